#include "SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

// A store table row, described there.
struct Stored { QByteArray there; QString key; QString loaded; QString failure {}; };
Q_DECLARE_METATYPE(Stored)

// The per-user store as the operator's machine holds it, in a fresh configuration folder for every test.
class SettingsStoreTest : public QObject
{
    Q_OBJECT

    const QString m_config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString m_file = SettingsFileName();

private slots:
    void init()
    {
        QVERIFY(QDir(m_config).removeRecursively() && QDir().mkpath(m_config));
        Settings.TitleText = u"left over"_s;
    }

    void everyFieldSurvivesSaveAndLoad()
    {
        // GIVEN for every field, in the table's order, a stored text unlike its default
        const QStringList texts = {u"83"_s, u"0"_s, u"255"_s, u"8"_s, u"/home/op/horn, loud;#1.wav"_s, u"0"_s,
            u"16777215"_s, u"1"_s, u"65280"_s, u"8421504"_s, u"4210752"_s, u"255"_s, u"33023"_s,
            u"Final = [Game] \"A\\B\" \u00e9t\u00e9"_s, u" @Smith, Jones "_s, {}};
        QSettings given(m_config + u"/given.conf"_s, QSettings::NativeFormat);
        for (qsizetype i = 0; i < texts.size(); ++i)
            given.setValue(SettingsFields.at(i).path(), texts.at(i));

        // WHEN the record read from them is saved
        Settings = ReadSettings(given);
        QCOMPARE(SaveSettings(), QString());

        // THEN the store holds exactly those sixteen texts, and loading it gives the same record
        QSettings saved(m_file, QSettings::NativeFormat);
        for (const QString &key : saved.allKeys() + given.allKeys()) // the keys of either: none missing, none extra
            QCOMPARE(saved.value(key), given.value(key));
        LoadSettings();
        QCOMPARE(Settings, ReadSettings(given));
    }

    // The stored texts of colours and keys: whole decimal numbers in range, else the default (-1 here).
    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("key");
        for (const auto &[text, colour, key] : std::initializer_list<std::tuple<const char16_t *, int, int>> {
                 {u"0", 0, 0}, {u"255", 255, 255}, {u"256", 256, -1}, {u"16777215", 16777215, -1}, {u"16777216", -1, -1},
                 {u"-1", -1, -1}, {u"-0", 0, 0}, {u"-", -1, -1}, {u"grey", -1, -1}, {u"", -1, -1}, {u" 5", -1, -1},
                 {u"\u0665", -1, -1}, {u"000000000065", 65, 65}, {u"0000000000065", -1, -1}})
            QTest::addRow("\"%s\"", QString::fromUtf16(text).toUtf8().constData()) << QString::fromUtf16(text) << colour << key;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(int, colour);
        QFETCH(int, key);
        QCOMPARE(ColorFromText(text, -1), colour);
        QCOMPARE(KeyCodeFromText(text, -1), key);
    }

    // The store's text (with the key looked at after loading, and the text it must then hold: null, its default;
    // loading writes nothing), or "@" and something at the store's path that is not a readable plain file of sane
    // size: the settings load as the factory's, nothing blocks (a store opened on a FIFO would wait for a writer,
    // and CTest's timeout fails the run), and the next save replaces an oversized file but leaves anything else as
    // it is and says what is there (failure; empty: saved).
    void store_data()
    {
        QTest::addColumn<Stored>("row");
        QTest::newRow("no store") << Stored {{}, u"TitleText"_s, {}};
        QTest::newRow("empty text") << Stored {"[TextSettings]\nTitleText=", u"TitleText"_s, u""_s};
        QTest::newRow("hand-edited comma") << Stored {"[TextSettings]\nHomeText=Smith, Jones", u"HomeText"_s, u"Smith, Jones"_s};
        QTest::newRow("huge team name") << Stored {"[TextSettings]\nHomeText=" + QByteArray(500000, 'x'), u"HomeText"_s, QString(255, u'x')};
        QTest::newRow("cut inside a character") << Stored {"[TextSettings]\nHomeText=" + QByteArray(254, 'x') + "\xF0\x9F\x98\x80", u"HomeText"_s, QString(254, u'x')};
        // numbers that are no colour or key code leave the default (the rules are the numbers table's)
        QTest::newRow("key code too big") << Stored {"[KeySettings]\nBuzzerKey=256", u"BuzzerKey"_s, {}};
        // a damaged line costs only itself: the line after it is still read
        QTest::newRow("unclosed section header") << Stored {"[TextSettings\nHomeText=Smith", u"HomeText"_s, u"Smith"_s};
        QTest::newRow("stray quote") << Stored {"[TextSettings]\nTitleText=\"Final\nHomeText=Smith", u"HomeText"_s, u"Smith"_s};
        QTest::newRow("named pipe") << Stored {"@fifo", {}, {}, u"a named pipe is in its place, and is left as it is"_s};
        QTest::newRow("folder") << Stored {"@folder", {}, {}, u"a folder is in its place, and is left as it is"_s};
        QTest::newRow("device, through a link") << Stored {"@device", {}, {}, u"a device is in its place, and is left as it is"_s};
        // no one, not even root, can write through a file where the store's folder belongs: the system says why
        QTest::newRow("file where the folder belongs") << Stored {"@blocked", {}, {}, u"Not a directory"_s};
        QTest::newRow("oversized file") << Stored {"@huge", {}, {}, {}};
    }
    void store()
    {
        QFETCH(Stored, row);
        const QString folder = QFileInfo(m_file).path();
        QVERIFY(row.there == "@blocked" ? QFile(folder).open(QIODevice::WriteOnly) : QDir().mkpath(folder));
        QFile file(m_file);
        QVERIFY(row.there == "@fifo" ? mkfifo(QFile::encodeName(m_file).constData(), 0600) == 0
                : row.there == "@folder" ? QDir().mkdir(m_file)
                : row.there == "@device" ? QFile::link(u"/dev/null"_s, m_file)
                : row.there == "@huge" ? file.open(QIODevice::WriteOnly) && file.write("[TextSettings]\nHomeText=" + QByteArray(2 << 20, 'x')) > 0
                : row.there.startsWith('@') || row.there.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(row.there) > 0));
        file.close();
        // The line the log gets each time the store is left unread, again after a save that left it as it was.
        for (int i = row.there == "@blocked" || !row.there.startsWith('@') ? 0 : row.failure.isEmpty() ? 1 : 2; i > 0; --i)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^The settings store .* is not read"_s));
        LoadSettings();
        const QString key = row.key.isEmpty() ? u"HomeText"_s : row.key;
        const SettingsField &field = *std::find_if(SettingsFields.begin(), SettingsFields.end(), [&](const auto &f) { return f.key == key; });
        QCOMPARE(field.text(Settings), row.loaded.isNull() ? field.text(DefaultSettings()) : row.loaded);
        if (row.there.startsWith('@'))
            QCOMPARE(Settings, DefaultSettings());
        else
            QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), row.there);
        file.close();
        Settings.HomeText = u"Eagles"_s;
        QCOMPARE(SaveSettings(), row.failure);
        // a store written over would now be a file that holds the name
        LoadSettings();
        QCOMPARE(Settings.HomeText, row.failure.isEmpty() ? u"Eagles"_s : u"Home"_s);
    }
};
QTEST_GUILESS_MAIN(SettingsStoreTest)

#include "SettingsStoreTest.moc"
