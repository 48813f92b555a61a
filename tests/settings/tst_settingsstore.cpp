#include "settings/SettingsStore.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const SettingsField &Field(const QString &key)
{
    return *std::find_if(SettingsFields.begin(), SettingsFields.end(), [&](const auto &f) { return f.key == key; });
}

// Runs job on a worker thread. One blocked in open() on a FIFO is released after 5 s by opening and closing the
// FIFO's other end, so a regression fails the test instead of hanging it.
bool FinishesWithoutBlocking(const std::function<void()> &job, const QString &fifo)
{
    const std::unique_ptr<QThread> worker(QThread::create(job));
    worker->start();
    const bool finished = worker->wait(QDeadlineTimer(5000));
    if (!finished)
        QFile(fifo).open(QIODevice::ReadWrite);
    return worker->wait() && finished;
}

enum Thing { Fifo, LinkToFifo, Directory, HugeFile, FileForFolder };

} // namespace

// The per-user store as the operator's machine holds it, in a fresh configuration folder for every test.
class tst_SettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    const QString m_file = m_config.path() + u"/Quorvane/Quorvane.conf"_s;

    void writeStore(const QByteArray &ini)
    {
        QFile file(m_file);
        QVERIFY(QDir().mkpath(QFileInfo(m_file).path()) && file.open(QIODevice::WriteOnly) && file.write(ini) >= 0);
    }

private slots:
    void init()
    {
        QVERIFY(QDir(m_config.path()).removeRecursively() && QDir().mkpath(m_config.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        Settings.TitleText = u"left over"_s;
    }

    void firstRunLoadsDefaultsAndWritesNothing()
    {
        LoadSettings();
        QCOMPARE(Settings, DefaultSettings());
        QCOMPARE(Settings.BuzzerFile, QCoreApplication::applicationDirPath() + u"/buzzer.wav"_s);
        QVERIFY(QDir(m_config.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    void everyFieldSurvivesSaveAndLoad()
    {
        // GIVEN for every field a stored text unlike its default, chosen by the field's kind
        const QStringList samples[] = {
            {u"0"_s, u"16777215"_s, u"1"_s, u"65280"_s, u"8421504"_s, u"4210752"_s, u"255"_s, u"33023"_s},
            {u"83"_s, u"0"_s, u"255"_s, u"8"_s},
            {u"/home/op/horn, loud;#1.wav"_s, u"Final = [Game] \"A\\B\" \u00e9t\u00e9"_s, u" @Smith, Jones "_s, {}},
        };
        qsizetype used[std::size(samples)] = {};
        QSettings given(m_config.path() + u"/given.conf"_s, QSettings::NativeFormat);
        for (const SettingsField &field : SettingsFields)
            given.setValue(field.path(), samples[field.member.index()].at(used[field.member.index()]++));

        // WHEN the record read from them is saved
        Settings = ReadSettings(given);
        const SettingsRecord chosen = Settings;
        QVERIFY(SaveSettings());

        // THEN the store holds exactly those sixteen texts, and loading it gives the same record
        QSettings saved(m_file, QSettings::NativeFormat);
        QCOMPARE(saved.allKeys(), given.allKeys());
        for (const QString &key : given.allKeys())
            QCOMPARE(saved.value(key), given.value(key));
        LoadSettings();
        QCOMPARE(Settings, chosen);
    }

    void storedValue_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("expected");
        // texts as written, an empty one included, cut when absurdly long
        QTest::newRow("empty text") << u"TitleText"_s << QByteArray() << QString();
        QTest::newRow("hand-edited comma") << u"HomeText"_s << QByteArray("Smith, Jones") << u"Smith, Jones"_s;
        QTest::newRow("huge team name") << u"VisitorText"_s << QByteArray(500000, 'x') << QString(255, u'x');
        QTest::newRow("huge path") << u"BuzzerFile"_s << QByteArray(500000, 'p') << QString(4096, u'p');
        // numbers that are no colour or key code leave the default
        for (const auto &[key, stored] : {std::pair(u"FormBack"_s, "grey"), {u"LEDBack"_s, "-1"},
                 {u"TimeColor"_s, "16777216"}, {u"ScoreColor"_s, "0x404040"}, {u"BuzzerKey"_s, "s"},
                 {u"ResetClockKey"_s, "256"}, {u"StartStopClockKey"_s, "65651"}})
            QTest::addRow("%s=%s", qPrintable(key), stored)
                << key << QByteArray(stored) << Field(key).text(DefaultSettings());
    }

    void storedValue()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, stored);
        QFETCH(QString, expected);
        writeStore(u"[%1]\n%2="_s.arg(Field(key).section, key).toLatin1() + stored + '\n');
        LoadSettings();
        QCOMPARE(Field(key).text(Settings), expected);
    }

    void damagedLineCostsOnlyItself_data()
    {
        QTest::addColumn<QByteArray>("ini");
        const QByteArray head = "[ColorSettings]\nFormBack=1\n";
        const QByteArray tail = "LEDBack=2\n[TextSettings]\nHomeText=Smith\nVisitorText=Jones\n";
        QTest::newRow("unclosed section header") << head + "LEDBack=2\n[TextSettings\nHomeText=Smith\nVisitorText=Jones";
        QTest::newRow("line without equals sign") << head + "no value here\n" + tail;
        QTest::newRow("binary garbage") << head + QByteArray("\x01\"\xfe\0\xff=\x80[", 8) + '\n' + tail;
        QTest::newRow("stray quote") << head + "TitleText=\"Final\n" + tail;
        QTest::newRow("trailing backslash") << head + "TitleText=C:\\\n" + tail;
        QTest::newRow("truncated last line") << head + tail + "TitleText=\"Fin";
    }

    void damagedLineCostsOnlyItself()
    {
        QFETCH(QByteArray, ini);
        writeStore(ini);
        LoadSettings();
        // THEN every valid value around the damage is kept, and the file is left as it was
        QCOMPARE(std::tuple(Settings.FormBack, Settings.LEDBack, Settings.HomeText, Settings.VisitorText),
                 std::tuple(1, 2, u"Smith"_s, u"Jones"_s));
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == ini);
        // AND the operator's next OK replaces it with a clean store that loads the same
        const SettingsRecord loaded = Settings;
        QVERIFY(SaveSettings());
        LoadSettings();
        QCOMPARE(Settings, loaded);
    }

    void unusableStore_data()
    {
        QTest::addColumn<int>("thing");
        QTest::newRow("FIFO") << int(Fifo);
        QTest::newRow("symbolic link to a FIFO") << int(LinkToFifo);
        QTest::newRow("directory") << int(Directory);
        QTest::newRow("2 MB file") << int(HugeFile);
        QTest::newRow("file in place of the folder") << int(FileForFolder);
    }

    void unusableStore()
    {
        QFETCH(int, thing);
        const QString fifo = thing == LinkToFifo ? m_config.path() + u"/fifo"_s : m_file;
        const QString folder = QFileInfo(m_file).path();
        QVERIFY(thing == FileForFolder ? QFile(folder).open(QIODevice::WriteOnly)
                                       : QDir().mkpath(thing == Directory ? m_file : folder));
        if (thing == Fifo || thing == LinkToFifo)
            QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        if (thing == LinkToFifo)
            QVERIFY(QFile::link(fifo, m_file));
        if (thing == HugeFile)
            writeStore("[ColorSettings]\nFormBack=1\n[TextSettings]\nHomeText=" + QByteArray(2 << 20, 'x'));
        const auto state = [this] {
            const QFileInfo info(m_file);
            return std::tuple(info.isFile(), info.isSymLink(), info.size());
        };
        const auto before = state();

        // WHEN the settings load and the operator then confirms the options
        QVERIFY2(FinishesWithoutBlocking([] { LoadSettings(); }, fifo), "loading blocked");
        QCOMPARE(Settings, DefaultSettings());
        bool saved = true;
        QVERIFY2(FinishesWithoutBlocking([&saved] { saved = SaveSettings(); }, fifo), "saving blocked");

        // THEN the save is reported failed (no one, not even root, can write through a file where the store's folder
        // belongs) and whatever stood there is left alone
        QVERIFY(!saved);
        QCOMPARE(state(), before);
    }
};
QUORVANE_TEST(tst_SettingsStore)

#include "tst_settingsstore.moc"
