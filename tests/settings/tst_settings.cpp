#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The settings store as the operator's machine holds it: one INI file per user under the
// configuration folder, which these tests point at a fresh temporary folder.
class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void emptyStoreGivesDefaultsAndWritesNothing();
    void saveWritesEverySixteenKeysAsDecimalText();
    void roundTripKeepsEveryField();
    void emptyValuesAreValuesNotDefaults();
    void colorValues_data();
    void colorValues();
    void keyCodeValues_data();
    void keyCodeValues();
    void garbageFileGivesDefaults();
    void handEditedCommaTextReadsAsWritten();
    void unwritableStoreIsReported();

private:
    QString storeFile() const { return m_config->path() + QStringLiteral("/Quorvane/Quorvane.conf"); }
    void writeStore(const QByteArray &ini);

    std::unique_ptr<QTemporaryDir> m_config;
};

void tst_Settings::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    QVERIFY(m_config->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config->path());
    Settings = SettingsRecord();
}

void tst_Settings::writeStore(const QByteArray &ini)
{
    QVERIFY(QDir().mkpath(m_config->path() + QStringLiteral("/Quorvane")));
    QFile file(storeFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ini);
}

void tst_Settings::emptyStoreGivesDefaultsAndWritesNothing()
{
    // GIVEN a first run with nothing stored, WHEN the settings load
    Settings.TitleText = QStringLiteral("left over");
    LoadSettings();

    // THEN every field has its factory value and the buzzer is the one beside the program
    QCOMPARE(Settings.FormBack, 4210752);
    QCOMPARE(Settings.LEDBack, 0);
    QCOMPARE(Settings.TimeColor, 255);
    QCOMPARE(Settings.ScoreColor, 33023);
    QCOMPARE(Settings.PeriodColor, 49152);
    QCOMPARE(Settings.BorderColor, 16777215);
    QCOMPARE(Settings.HomeColor, 16777215);
    QCOMPARE(Settings.VisitorColor, 16777215);
    QCOMPARE(Settings.StartStopClockKey, qint16(115));
    QCOMPARE(Settings.ResetClockKey, qint16(114));
    QCOMPARE(Settings.ClockSwitchKey, qint16(99));
    QCOMPARE(Settings.BuzzerKey, qint16(98));
    QCOMPARE(Settings.BuzzerFile, QCoreApplication::applicationDirPath() + QStringLiteral("/buzzer.wav"));
    QCOMPARE(Settings.TitleText, QStringLiteral("Home"));
    QCOMPARE(Settings.HomeText, QStringLiteral("Home"));
    QCOMPARE(Settings.VisitorText, QStringLiteral("Visitor"));

    // AND loading left no trace in the store
    QVERIFY(QDir(m_config->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

void tst_Settings::saveWritesEverySixteenKeysAsDecimalText()
{
    LoadSettings();
    QVERIFY(SaveSettings());

    QFile file(storeFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString ini = QString::fromUtf8(file.readAll());
    const QStringList expected = {
        QStringLiteral("[ColorSettings]"), QStringLiteral("FormBack=4210752"), QStringLiteral("LEDBack=0"),
        QStringLiteral("TimeColor=255"), QStringLiteral("ScoreColor=33023"), QStringLiteral("PeriodColor=49152"),
        QStringLiteral("BorderColor=16777215"), QStringLiteral("HomeColor=16777215"),
        QStringLiteral("VisitorColor=16777215"), QStringLiteral("[KeySettings]"),
        QStringLiteral("StartStopClockKey=115"), QStringLiteral("ResetClockKey=114"),
        QStringLiteral("ClockSwitchKey=99"), QStringLiteral("BuzzerKey=98"), QStringLiteral("BuzzerFile="),
        QStringLiteral("[TextSettings]"), QStringLiteral("TitleText=Home"), QStringLiteral("HomeText=Home"),
        QStringLiteral("VisitorText=Visitor"),
    };
    for (const QString &line : expected)
        QVERIFY2(ini.contains(line), qPrintable(line));

    QSettings store(storeFile(), QSettings::NativeFormat);
    QCOMPARE(store.allKeys().size(), 16);
}

void tst_Settings::roundTripKeepsEveryField()
{
    SettingsRecord changed;
    changed.FormBack = 0x102030;
    changed.LEDBack = 0x010203;
    changed.TimeColor = 0xABCDEF;
    changed.ScoreColor = 1;
    changed.PeriodColor = 0xFFFFFF;
    changed.BorderColor = 0;
    changed.HomeColor = 0x00FF00;
    changed.VisitorColor = 0xFF0000;
    changed.StartStopClockKey = 83;
    changed.ResetClockKey = 0;
    changed.ClockSwitchKey = 255;
    changed.BuzzerKey = 8;
    changed.BuzzerFile = QStringLiteral("/home/oper/sounds/horn, loud;#1.wav");
    changed.TitleText = QStringLiteral("Final = [Game] \"A\\B\" \u00e9t\u00e9");
    changed.HomeText = QStringLiteral("Smith, Jones");
    changed.VisitorText = QString();

    Settings = changed;
    QVERIFY(SaveSettings());
    Settings = SettingsRecord();
    LoadSettings();
    QCOMPARE(Settings, changed);
}

void tst_Settings::emptyValuesAreValuesNotDefaults()
{
    writeStore("[TextSettings]\nTitleText=\nHomeText=\nVisitorText=\n[KeySettings]\nBuzzerFile=\n");
    LoadSettings();
    QCOMPARE(Settings.TitleText, QString());
    QCOMPARE(Settings.HomeText, QString());
    QCOMPARE(Settings.VisitorText, QString());
    QCOMPARE(Settings.BuzzerFile, QString());
}

void tst_Settings::colorValues_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<qint32>("expected");

    // accepted
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("white") << QByteArray("16777215") << 16777215;
    QTest::newRow("orange") << QByteArray("33023") << 33023;
    // refused: the field keeps its default (FormBack 4210752)
    QTest::newRow("empty") << QByteArray("") << 4210752;
    QTest::newRow("letters") << QByteArray("grey") << 4210752;
    QTest::newRow("fraction") << QByteArray("12.5") << 4210752;
    QTest::newRow("negative") << QByteArray("-1") << 4210752;
    QTest::newRow("above 24 bits") << QByteArray("16777216") << 4210752;
    QTest::newRow("hexadecimal") << QByteArray("0x404040") << 4210752;
    QTest::newRow("huge") << QByteArray("99999999999999999999") << 4210752;
    QTest::newRow("trailing text") << QByteArray("255abc") << 4210752;
    QTest::newRow("lone minus") << QByteArray("-") << 4210752;
}

void tst_Settings::colorValues()
{
    QFETCH(QByteArray, stored);
    QFETCH(qint32, expected);
    writeStore("[ColorSettings]\nFormBack=" + stored + "\n");
    LoadSettings();
    QCOMPARE(Settings.FormBack, expected);
    QCOMPARE(Settings.ScoreColor, 33023);
}

void tst_Settings::keyCodeValues_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<qint16>("expected");

    // accepted
    QTest::newRow("capital S") << QByteArray("83") << qint16(83);
    QTest::newRow("zero") << QByteArray("0") << qint16(0);
    QTest::newRow("255") << QByteArray("255") << qint16(255);
    // refused: the default s (115) stays
    QTest::newRow("256") << QByteArray("256") << qint16(115);
    QTest::newRow("negative") << QByteArray("-5") << qint16(115);
    QTest::newRow("a letter") << QByteArray("s") << qint16(115);
    QTest::newRow("empty") << QByteArray("") << qint16(115);
    QTest::newRow("beyond 16 bits") << QByteArray("65651") << qint16(115);
}

void tst_Settings::keyCodeValues()
{
    QFETCH(QByteArray, stored);
    QFETCH(qint16, expected);
    writeStore("[KeySettings]\nStartStopClockKey=" + stored + "\n");
    LoadSettings();
    QCOMPARE(Settings.StartStopClockKey, expected);
    QCOMPARE(Settings.ResetClockKey, qint16(114));
}

void tst_Settings::garbageFileGivesDefaults()
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) % 256));
    writeStore(garbage);

    LoadSettings();
    SettingsRecord expected;
    expected.BuzzerFile = DefaultBuzzerFile();
    QCOMPARE(Settings, expected);
}

void tst_Settings::handEditedCommaTextReadsAsWritten()
{
    writeStore("[TextSettings]\nHomeText=Smith, Jones\n");
    LoadSettings();
    QCOMPARE(Settings.HomeText, QStringLiteral("Smith, Jones"));
}

void tst_Settings::unwritableStoreIsReported()
{
    // A plain file where the store's folder belongs: no one, not even root, can write the store.
    QFile blocker(m_config->path() + QStringLiteral("/Quorvane"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    Settings.TitleText = QStringLiteral("Final");
    QVERIFY(!SaveSettings());
}

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_settings.moc"
