#include "settings/SettingsStore.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
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

// Runs job on a worker thread. One blocked in open() on a FIFO is released after 5 s by opening the FIFO's
// other end, so a regression fails the test instead of hanging it.
bool FinishesWithoutBlocking(const std::function<void()> &job, const QString &fifo)
{
    const std::unique_ptr<QThread> worker(QThread::create(job));
    worker->start();
    if (worker->wait(QDeadlineTimer(5000)))
        return true;
    QFile otherEnd(fifo);
    otherEnd.open(QIODevice::ReadWrite);
    otherEnd.close();
    worker->wait();
    return false;
}

enum Thing { Fifo, LinkToFifo, Directory, Oversized };

} // namespace

// The per-user store as the operator's machine holds it, in a fresh configuration folder for every test.
class tst_SettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstRunLoadsDefaultsAndWritesNothing();
    void everyFieldSurvivesSaveAndLoad();
    void storedValue_data();
    void storedValue();
    void damagedLineCostsOnlyItself_data();
    void damagedLineCostsOnlyItself();
    void storeThatIsNoPlainFile_data();
    void storeThatIsNoPlainFile();
    void unwritableStoreIsReported();

private:
    QString storeFile() const { return m_config->path() + u"/Quorvane/Quorvane.conf"_s; }
    void writeStore(const QByteArray &ini);
    QByteArray storeBytes() const;

    std::unique_ptr<QTemporaryDir> m_config;
};
QUORVANE_TEST(tst_SettingsStore)

void tst_SettingsStore::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    QVERIFY(m_config->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
    Settings = SettingsRecord();
}

void tst_SettingsStore::writeStore(const QByteArray &ini)
{
    QVERIFY(QDir().mkpath(m_config->path() + u"/Quorvane"_s));
    QFile file(storeFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ini);
}

QByteArray tst_SettingsStore::storeBytes() const
{
    QFile file(storeFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_SettingsStore::firstRunLoadsDefaultsAndWritesNothing()
{
    Settings.TitleText = u"left over"_s;
    LoadSettings();
    QCOMPARE(Settings, DefaultSettings());
    QCOMPARE(Settings.BuzzerFile, QCoreApplication::applicationDirPath() + u"/buzzer.wav"_s);
    QVERIFY(QDir(m_config->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

void tst_SettingsStore::everyFieldSurvivesSaveAndLoad()
{
    // GIVEN a store holding for every field a valid text unlike its default, taken by the field's kind
    const QStringList samples[] = {
        {u"0"_s, u"16777215"_s, u"1"_s, u"65280"_s, u"8421504"_s, u"4210752"_s, u"255"_s, u"123456"_s},
        {u"83"_s, u"0"_s, u"255"_s, u"8"_s},
        {u"/home/oper/sounds/horn, loud;#1.wav"_s, u"Final = [Game] \"A\\B\" \u00e9t\u00e9"_s, u" @Smith, Jones "_s, QString()},
    };
    qsizetype used[std::size(samples)] = {};
    QHash<QString, QString> given;
    {
        QSettings store(m_config->path() + u"/given.conf"_s, QSettings::NativeFormat);
        for (const SettingsField &field : SettingsFields) {
            const auto kind = field.member.index();
            given[field.path()] = samples[kind].at(used[kind]++);
            store.setValue(field.path(), given[field.path()]);
        }
    }
    QVERIFY(QDir().mkpath(m_config->path() + u"/Quorvane"_s));
    QVERIFY(QFile::rename(m_config->path() + u"/given.conf"_s, storeFile()));

    // WHEN it loads, the store is removed, and the record is saved again
    LoadSettings();
    const SettingsRecord loaded = Settings;
    QVERIFY(QFile::remove(storeFile()));
    QVERIFY(SaveSettings());

    // THEN the new store holds exactly those sixteen texts, and they load as the same record
    QSettings saved(storeFile(), QSettings::NativeFormat);
    QCOMPARE(saved.allKeys().size(), given.size());
    for (auto it = given.cbegin(); it != given.cend(); ++it)
        QCOMPARE(saved.value(it.key()).toString(), it.value());
    LoadSettings();
    QCOMPARE(Settings, loaded);
}

void tst_SettingsStore::storedValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("expected");

    // texts are taken as written, an empty one included, and cut when absurdly long
    QTest::newRow("empty text") << u"TitleText"_s << QByteArray() << QString();
    QTest::newRow("empty path") << u"BuzzerFile"_s << QByteArray() << QString();
    QTest::newRow("hand-edited comma") << u"HomeText"_s << QByteArray("Smith, Jones") << u"Smith, Jones"_s;
    QTest::newRow("huge team name") << u"VisitorText"_s << QByteArray(500000, 'x') << QString(255, u'x');
    QTest::newRow("huge path") << u"BuzzerFile"_s << QByteArray(500000, 'p') << QString(4096, u'p');
    // numbers that are no colour or key code keep the default
    const auto refused = [](const char *tag, const QString &key, const QByteArray &stored) {
        QTest::newRow(tag) << key << stored << Field(key).text(DefaultSettings());
    };
    refused("empty colour", u"FormBack"_s, "");
    refused("colour in letters", u"FormBack"_s, "grey");
    refused("fractional colour", u"ScoreColor"_s, "12.5");
    refused("negative colour", u"LEDBack"_s, "-1");
    refused("colour above 24 bits", u"FormBack"_s, "16777216");
    refused("hexadecimal colour", u"FormBack"_s, "0x404040");
    refused("colour beyond 64 bits", u"TimeColor"_s, "99999999999999999999");
    refused("key above 255", u"StartStopClockKey"_s, "256");
    refused("key as a letter", u"BuzzerKey"_s, "s");
    refused("key beyond 16 bits", u"ResetClockKey"_s, "65651");
}

void tst_SettingsStore::storedValue()
{
    QFETCH(QString, key);
    QFETCH(QByteArray, stored);
    QFETCH(QString, expected);
    writeStore(u"[%1]\n%2="_s.arg(Field(key).section, key).toLatin1() + stored + '\n');
    LoadSettings();
    QCOMPARE(Field(key).text(Settings), expected);
}

void tst_SettingsStore::damagedLineCostsOnlyItself_data()
{
    QTest::addColumn<QByteArray>("ini");
    const QByteArray colours = "[ColorSettings]\nFormBack=1\n";
    const QByteArray texts = "LEDBack=2\n[TextSettings]\nHomeText=Smith\nVisitorText=Jones\n";

    QTest::newRow("unclosed section header") << colours + "LEDBack=2\n[TextSettings\nHomeText=Smith\nVisitorText=Jones\n";
    QTest::newRow("line without equals sign") << colours + "no value here\n" + texts;
    QTest::newRow("binary garbage") << colours + QByteArray("\x01\"\xfe\0\xff=\x80[", 8) + '\n' + texts;
    QTest::newRow("stray quote") << colours + "TitleText=\"Final\n" + texts;
    QTest::newRow("trailing backslash") << colours + "TitleText=C:\\\n" + texts;
    QTest::newRow("truncated last line") << colours + texts + "TitleText=\"Fin";
}

void tst_SettingsStore::damagedLineCostsOnlyItself()
{
    QFETCH(QByteArray, ini);
    writeStore(ini);
    LoadSettings();

    // THEN every valid value around the damage is kept, and the damaged file is left as it was
    QCOMPARE(Settings.FormBack, 1);
    QCOMPARE(Settings.LEDBack, 2);
    QCOMPARE(Settings.HomeText, u"Smith"_s);
    QCOMPARE(Settings.VisitorText, u"Jones"_s);
    QCOMPARE(storeBytes(), ini);

    // AND the operator's next OK replaces it with a clean store that loads the same
    const SettingsRecord loaded = Settings;
    QVERIFY(SaveSettings());
    LoadSettings();
    QCOMPARE(Settings, loaded);
}

void tst_SettingsStore::storeThatIsNoPlainFile_data()
{
    QTest::addColumn<int>("thing");
    QTest::newRow("FIFO") << int(Fifo);
    QTest::newRow("symbolic link to a FIFO") << int(LinkToFifo);
    QTest::newRow("directory") << int(Directory);
    QTest::newRow("2 MB file") << int(Oversized);
}

void tst_SettingsStore::storeThatIsNoPlainFile()
{
    QFETCH(int, thing);
    const QString fifo = m_config->path() + (thing == LinkToFifo ? u"/fifo"_s : u"/Quorvane/Quorvane.conf"_s);
    QVERIFY(QDir().mkpath(m_config->path() + u"/Quorvane"_s));
    if (thing == Fifo || thing == LinkToFifo)
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    if (thing == LinkToFifo)
        QVERIFY(QFile::link(fifo, storeFile()));
    if (thing == Directory)
        QVERIFY(QDir().mkpath(storeFile()));
    if (thing == Oversized)
        writeStore("[ColorSettings]\nFormBack=1\n[TextSettings]\nHomeText=" + QByteArray(2 << 20, 'x') + '\n');
    const auto state = [this] {
        const QFileInfo info(storeFile());
        return std::tuple(info.isFile(), info.isDir(), info.isSymLink(), info.size(), info.lastModified());
    };
    const auto before = state();

    // WHEN the settings load and the operator then confirms the options
    Settings.TitleText = u"left over"_s;
    QVERIFY2(FinishesWithoutBlocking([] { LoadSettings(); }, fifo), "loading blocked");
    QCOMPARE(Settings, DefaultSettings());
    bool saved = true;
    QVERIFY2(FinishesWithoutBlocking([&saved] { saved = SaveSettings(); }, fifo), "saving blocked");

    // THEN saving is reported failed and whatever stood there is left alone
    QVERIFY(!saved);
    QVERIFY(state() == before);
}

void tst_SettingsStore::unwritableStoreIsReported()
{
    // A plain file where the store's folder belongs: no one, not even root, can write the store.
    QFile blocker(m_config->path() + u"/Quorvane"_s);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Settings.TitleText = u"Final"_s;
    QVERIFY(!SaveSettings());
}

#include "tst_settingsstore.moc"
