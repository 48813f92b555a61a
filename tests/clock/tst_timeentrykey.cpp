#include "clock/modCount.h"
#include "settings/SettingsRecord.h"
#include "support/ClockValueText.h"
#include "support/FakeDigitGroup.h"
#include "support/FakeDotPair.h"
#include "support/SteppedClock.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Blank = -1;
constexpr qint16 Enter = 13;
constexpr qint32 BoardMaximum = 5999;

const ClockValue Refused = ClockValue::FromSeconds(-1);

constexpr qint32 Border = 0x00A1B2C3;
constexpr qint32 Background = 0x00102030;

} // namespace

// Typing a clock value on the clock display: minutes "." seconds and tenths, then Enter, with every
// key also passed to the board's key handler first.
class tst_TimeEntryKey : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void parse_data();
    void parse();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();

    void dispatchSeesEveryKeyOnceBeforeTheEntry();
    void keyFromAnotherDisplayStartsAFreshEntry();
    void maximumFlagAndSlotArePassedOn();

private:
    void type(const QString &keys, qint32 maximum = BoardMaximum, qint32 countUp = 0, qint16 slot = 0,
              const KeyDispatch &dispatch = {});

    SteppedClock m_clock {QDateTime()};
    FakeDigitGroup m_cells {u"pledTime"_s, {}};
    FakeDotPair m_dots;
};

void tst_TimeEntryKey::init()
{
    Settings = SettingsRecord();
    Settings.BorderColor = Border;
    Settings.LEDBack = Background;
    CountSlots = {};
    TimeEntry = {};
    m_dots = FakeDotPair();
    m_cells = FakeDigitGroup(u"pledTime"_s, {1, 0, 0, 0});

    // The board running down from 10:00, five seconds in.
    m_clock.Set(QDateTime(QDate(2026, 3, 7), QTime(12, 0)));
    ClockResetTime = Seconds(600);
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    m_clock.Advance(5000);
}

void tst_TimeEntryKey::type(const QString &keys, qint32 maximum, qint32 countUp, qint16 slot,
                            const KeyDispatch &dispatch)
{
    for (const QChar key : keys)
        TimeEntryKey(m_cells, static_cast<qint16>(key.unicode()), maximum, countUp, slot, m_dots, dispatch);
}

void tst_TimeEntryKey::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ClockValue>("expected");

    QTest::newRow("minutes only 8") << u"8"_s << Seconds(480);
    QTest::newRow("one seconds digit 8.5") << u"8.5"_s << Seconds(485);
    QTest::newRow("two seconds digits 8.50") << u"8.50"_s << Seconds(530);
    QTest::newRow("trailing point 12.") << u"12."_s << Seconds(720);
    QTest::newRow("seconds only .30") << u".30"_s << Seconds(30);
    QTest::newRow("tenths 0.455") << u"0.455"_s << Tenths(455);
    QTest::newRow("minutes seconds tenths 12.345") << u"12.345"_s << Tenths(7545);
    QTest::newRow("seconds above 59 add on 1.75") << u"1.75"_s << Seconds(135);
    QTest::newRow("fourth seconds character ignored 1.1234") << u"1.1234"_s << Tenths(723);
    QTest::newRow("point alone") << u"."_s << Seconds(0);
    QTest::newRow("empty") << QString() << Seconds(0);
    QTest::newRow("largest minutes and seconds 99.59") << u"99.59"_s << Seconds(5999);
    QTest::newRow("99.599") << u"99.599"_s << Tenths(59999);
    QTest::newRow("largest fields 99.99") << u"99.99"_s << Seconds(6039);
    QTest::newRow("eight characters 00000099") << u"00000099"_s << Seconds(5940);

    QTest::newRow("minutes above 99: 100") << u"100"_s << Refused;
    QTest::newRow("three parts 1.2.3") << u"1.2.3"_s << Refused;
    QTest::newRow("nine characters 123456789") << u"123456789"_s << Refused;
    QTest::newRow("nine characters 000000099") << u"000000099"_s << Refused;
    QTest::newRow("letters abc") << u"abc"_s << Refused;
    QTest::newRow("non-ASCII digit") << QString(QChar(0x0667)) << Refused;
}

void tst_TimeEntryKey::parse()
{
    QFETCH(QString, text);
    QFETCH(ClockValue, expected);
    QCOMPARE(ParseTimeEntry(text), expected);
}

void tst_TimeEntryKey::accepted_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<ClockValue>("value");
    QTest::addColumn<QList<int>>("cells");
    QTest::addColumn<qint32>("upperDot");
    QTest::newRow("7 . 3 0 Enter -> 7:30") << u"7.30\r"_s << Seconds(450) << QList {Blank, 7, 3, 0} << Border;
    QTest::newRow("largest 99.59 -> 99:59") << u"99.59\r"_s << Seconds(5999) << QList {9, 9, 5, 9} << Border;
    QTest::newRow("tenths 0.455 -> 45.5") << u"0.455\r"_s << Tenths(455) << QList {4, 5, 5, Blank} << Background;
    QTest::newRow("point alone -> 0.0") << u".\r"_s << ClockValue() << QList {Blank, 0, 0, Blank} << Background;
    QTest::newRow("space discards what came before") << u"12 7.30\r"_s << Seconds(450) << QList {Blank, 7, 3, 0}
                                                     << Border;
    QTest::newRow("letters are not collected") << u"7x.3y0\r"_s << Seconds(450) << QList {Blank, 7, 3, 0}
                                               << Border;
}

void tst_TimeEntryKey::accepted()
{
    QFETCH(QString, keys);
    QFETCH(ClockValue, value);
    QFETCH(QList<int>, cells);
    QFETCH(qint32, upperDot);

    type(keys);

    QCOMPARE(ClockResetTime, value);
    QCOMPARE(m_cells.Captions(), cells);
    QCOMPARE(m_dots.UpperColor(), upperDot);
    QVERIFY(TimeEntry.Text.isEmpty());
    // The new value stops the running clock.
    m_clock.Advance(5000);
    QCOMPARE(IsCounting(0), qint16(0));
    QCOMPARE(GetCount(0), value);
}

void tst_TimeEntryKey::refused_data()
{
    QTest::addColumn<QString>("keys");
    QTest::newRow("99.595 is above 99:59") << u"99.595\r"_s;
    QTest::newRow("100 minutes") << u"100\r"_s;
    QTest::newRow("Enter alone") << u"\r"_s;
    QTest::newRow("space then Enter") << u"7 \r"_s;
}

void tst_TimeEntryKey::refused()
{
    QFETCH(QString, keys);

    type(keys);

    QCOMPARE(ClockResetTime, Seconds(600));
    QCOMPARE(m_dots.UpperColor(), FakeDotPair::NeverSet);
    QVERIFY(TimeEntry.Text.isEmpty());
    // The clock runs on untouched.
    m_clock.Advance(5000);
    QCOMPARE(GetCount(0), Seconds(590));
}

void tst_TimeEntryKey::dispatchSeesEveryKeyOnceBeforeTheEntry()
{
    QList<qint16> keys;
    QStringList textSeen;
    type(u"7s.30\r\r"_s, BoardMaximum, 0, 0, [&](qint16 key) {
        keys.append(key);
        textSeen.append(TimeEntry.Text);
    });

    QCOMPARE(keys, (QList<qint16> {'7', Settings.StartStopClockKey, '.', '3', '0', Enter, Enter}));
    // Each key reaches the handler before the entry takes it, and the command key leaves the text alone.
    QCOMPARE(textSeen, (QStringList {u""_s, u"7"_s, u"7"_s, u"7."_s, u"7.3"_s, u"7.30"_s, u""_s}));
    QCOMPARE(ClockResetTime, Seconds(450));
}

void tst_TimeEntryKey::keyFromAnotherDisplayStartsAFreshEntry()
{
    TimeEntry = {u"12"_s, u"pledOther"_s};

    type(u"3\r"_s);

    QCOMPARE(TimeEntry.Owner, u"pledTime"_s);
    QCOMPARE(ClockResetTime, Seconds(180));
}

void tst_TimeEntryKey::maximumFlagAndSlotArePassedOn()
{
    // A count-up clock on slot 3 with a one-minute maximum, and no key handler at all.
    type(u"1.01\r"_s, 60, 1, 3);
    QCOMPARE(m_dots.UpperColor(), FakeDotPair::NeverSet);

    type(u"1\r"_s, 60, 1, 3);
    QCOMPARE(CountSlots[3].Preset, Seconds(60));
    QCOMPARE(CountSlots[3].CountUp, 1);
    QCOMPARE(CountSlots[0].Preset, Seconds(600));
    QCOMPARE(m_cells.Captions(), (QList {Blank, 1, 0, 0}));
}

QTEST_GUILESS_MAIN(tst_TimeEntryKey)
#include "tst_timeentrykey.moc"
