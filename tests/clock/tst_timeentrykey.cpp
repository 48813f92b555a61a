#include "clock/modCount.h"
#include "settings/SettingsRecord.h"
#include "support/ClockValueText.h"
#include "support/FakeDigitGroup.h"
#include "support/FakeDotPair.h"
#include "support/SteppedClock.h"

#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Blank = -1;
constexpr qint16 Enter = 13;
constexpr qint32 BoardMaximum = 5999;

constexpr ClockValue Seconds(qint64 seconds) { return ClockValue::FromSeconds(seconds); }
constexpr ClockValue Tenths(qint64 tenths) { return ClockValue::FromTenths(tenths); }

constexpr qint32 Border = 0x00A1B2C3;
constexpr qint32 Background = 0x00102030;

} // namespace

// Typing a clock value on the clock display: minutes "." seconds and Enter, with every key also
// passed to the board's key handler first.
class tst_TimeEntryKey : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void acceptedEntry_data();
    void acceptedEntry();
    void refusedEntry_data();
    void refusedEntry();

    void textIsKeptBetweenKeys();
    void everyKeyReachesTheDispatchOnceBeforeTheEntry();
    void commandKeyMidEntryLeavesTheText();
    void acceptedEntryStopsARunningClock();
    void refusedEntryLeavesARunningClockRunning();
    void keyFromAnotherDisplayStartsAFreshEntry();
    void maximumFlagAndSlotArePassedOn();
    void worksWithoutADispatch();

private:
    // Types each character of keys on the clock display the way the board wires it.
    void Type(const QString &keys);

    std::unique_ptr<SteppedClock> m_clock;
    std::unique_ptr<FakeDigitGroup> m_cells;
    FakeDotPair m_dots;
    QList<qint16> m_dispatched;
};

void tst_TimeEntryKey::init()
{
    Settings = SettingsRecord();
    Settings.BorderColor = Border;
    Settings.LEDBack = Background;
    CountSlots = {};
    TimeEntry = {};
    m_dispatched.clear();
    m_dots = FakeDotPair();
    m_clock = std::make_unique<SteppedClock>(QDateTime(QDate(2026, 3, 7), QTime(12, 0)));

    // The board at load: 10:00 on slot 0, counting down, 10:00 to reset to.
    ClockResetTime = Seconds(600);
    SetCount(Seconds(600), 0, 0);
    m_cells = std::make_unique<FakeDigitGroup>(u"pledTime"_s, 4);
    m_cells->SetCaptions({1, 0, 0, 0});
}

void tst_TimeEntryKey::cleanup()
{
    m_clock.reset();
}

void tst_TimeEntryKey::Type(const QString &keys)
{
    const KeyDispatch dispatch = [this](qint16 key) { m_dispatched.append(key); };
    for (const QChar key : keys)
        TimeEntryKey(*m_cells, static_cast<qint16>(key.unicode()), BoardMaximum, 0, 0, m_dots, dispatch);
}

void tst_TimeEntryKey::acceptedEntry_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<ClockValue>("value");
    QTest::addColumn<QList<int>>("cells");
    QTest::addColumn<qint32>("upperDot");
    QTest::newRow("7 . 3 0 Enter -> 7:30") << u"7.30\r"_s << Seconds(450) << QList {Blank, 7, 3, 0} << Border;
    QTest::newRow("8 Enter -> 8:00") << u"8\r"_s << Seconds(480) << QList {Blank, 8, 0, 0} << Border;
    QTest::newRow("1 Enter -> 1:00") << u"1\r"_s << Seconds(60) << QList {Blank, 1, 0, 0} << Border;
    QTest::newRow("largest 99.59 -> 99:59") << u"99.59\r"_s << Seconds(5999) << QList {9, 9, 5, 9} << Border;
    QTest::newRow("tenths 0.455 -> 45.5") << u"0.455\r"_s << Tenths(455) << QList {4, 5, 5, Blank} << Background;
    QTest::newRow("point alone -> 0.0") << u".\r"_s << ClockValue() << QList {Blank, 0, 0, Blank} << Background;
    QTest::newRow("space discards what came before") << u"12 7.30\r"_s << Seconds(450) << QList {Blank, 7, 3, 0}
                                                     << Border;
    QTest::newRow("letters are not collected") << u"7x.3y0\r"_s << Seconds(450) << QList {Blank, 7, 3, 0}
                                               << Border;
}

void tst_TimeEntryKey::acceptedEntry()
{
    QFETCH(QString, keys);
    QFETCH(ClockValue, value);
    QFETCH(QList<int>, cells);
    QFETCH(qint32, upperDot);

    Type(keys);

    QCOMPARE(CountSlots[0].Preset, value);
    QCOMPARE(ClockResetTime, value);
    QCOMPARE(GetCount(0), value);
    QCOMPARE(m_cells->Captions(), cells);
    QCOMPARE(m_dots.UpperColor(), upperDot);
    QCOMPARE(m_dots.LowerColor(), Border);
    QVERIFY(TimeEntry.Text.isEmpty());
}

void tst_TimeEntryKey::refusedEntry_data()
{
    QTest::addColumn<QString>("keys");
    QTest::newRow("99.595 is above 99:59") << u"99.595\r"_s;
    QTest::newRow("99.99 is above 99:59") << u"99.99\r"_s;
    QTest::newRow("100 minutes") << u"100\r"_s;
    QTest::newRow("three parts 1.2.3") << u"1.2.3\r"_s;
    QTest::newRow("nine characters") << u"123456789\r"_s;
    QTest::newRow("Enter alone") << u"\r"_s;
    QTest::newRow("space then Enter") << u"7 \r"_s;
    QTest::newRow("letters then Enter") << u"ab\r"_s;
}

void tst_TimeEntryKey::refusedEntry()
{
    QFETCH(QString, keys);

    Type(keys);

    QCOMPARE(CountSlots[0].Preset, Seconds(600));
    QCOMPARE(ClockResetTime, Seconds(600));
    QCOMPARE(m_cells->WriteCount(), 0);
    QCOMPARE(m_dots.UpperColor(), FakeDotPair::NeverSet);
    QVERIFY(TimeEntry.Text.isEmpty());
}

void tst_TimeEntryKey::textIsKeptBetweenKeys()
{
    Type(u"7."_s);
    QCOMPARE(TimeEntry.Text, u"7."_s);
    QCOMPARE(TimeEntry.Owner, u"pledTime"_s);
    // Nothing is echoed while typing.
    QCOMPARE(m_cells->WriteCount(), 0);
    QCOMPARE(CountSlots[0].Preset, Seconds(600));
}

void tst_TimeEntryKey::everyKeyReachesTheDispatchOnceBeforeTheEntry()
{
    QList<qint16> keys;
    QStringList textSeen;
    const KeyDispatch dispatch = [&](qint16 key) {
        keys.append(key);
        textSeen.append(TimeEntry.Text);
    };

    for (const QChar key : u"7s. 3\r\r"_s)
        TimeEntryKey(*m_cells, static_cast<qint16>(key.unicode()), BoardMaximum, 0, 0, m_dots, dispatch);

    QCOMPARE(keys, (QList<qint16> {'7', 's', '.', ' ', '3', Enter, Enter}));
    // The handler sees each key before the entry has taken it.
    QCOMPARE(textSeen, (QStringList {u""_s, u"7"_s, u"7"_s, u"7."_s, u""_s, u"3"_s, u""_s}));
}

void tst_TimeEntryKey::commandKeyMidEntryLeavesTheText()
{
    // The board's start/stop key, as its key handler does it.
    const KeyDispatch dispatch = [](qint16 key) {
        if (key != Settings.StartStopClockKey)
            return;
        if (IsCounting(0) == -1)
            StopCount(0);
        else
            StartCount(0);
    };
    const auto type = [&](const QString &keys) {
        for (const QChar key : keys)
            TimeEntryKey(*m_cells, static_cast<qint16>(key.unicode()), BoardMaximum, 0, 0, m_dots, dispatch);
    };

    type(u"7s"_s);
    QCOMPARE(IsCounting(0), qint16(-1));
    QCOMPARE(TimeEntry.Text, u"7"_s);

    type(u".30\r"_s);
    QCOMPARE(CountSlots[0].Preset, Seconds(450));
    QCOMPARE(IsCounting(0), qint16(0));
}

void tst_TimeEntryKey::acceptedEntryStopsARunningClock()
{
    StartCount(0);
    m_clock->Advance(5000);
    QCOMPARE(GetCount(0), Seconds(595));

    Type(u"7.30\r"_s);

    QCOMPARE(IsCounting(0), qint16(0));
    m_clock->Advance(5000);
    QCOMPARE(GetCount(0), Seconds(450));
    QCOMPARE(m_cells->Captions(), (QList {Blank, 7, 3, 0}));
}

void tst_TimeEntryKey::refusedEntryLeavesARunningClockRunning()
{
    StartCount(0);
    m_clock->Advance(5000);

    Type(u"99.595\r"_s);

    QCOMPARE(IsCounting(0), qint16(-1));
    m_clock->Advance(5000);
    QCOMPARE(GetCount(0), Seconds(590));
}

void tst_TimeEntryKey::keyFromAnotherDisplayStartsAFreshEntry()
{
    // GIVEN "12" left over from a display of another name
    TimeEntry = {u"12"_s, u"pledOther"_s};

    Type(u"3\r"_s);

    QCOMPARE(TimeEntry.Owner, u"pledTime"_s);
    QCOMPARE(CountSlots[0].Preset, Seconds(180));
    QCOMPARE(m_cells->Captions(), (QList {Blank, 3, 0, 0}));
}

void tst_TimeEntryKey::maximumFlagAndSlotArePassedOn()
{
    const auto type = [&](const QString &keys) {
        for (const QChar key : keys)
            TimeEntryKey(*m_cells, static_cast<qint16>(key.unicode()), 60, 1, 3, m_dots, KeyDispatch());
    };

    type(u"1.01\r"_s);
    QCOMPARE(CountSlots[3].Preset, ClockValue());
    QCOMPARE(m_cells->WriteCount(), 0);

    type(u"1\r"_s);
    QCOMPARE(CountSlots[3].Preset, Seconds(60));
    QCOMPARE(CountSlots[3].CountUp, 1);
    QCOMPARE(ClockResetTime, Seconds(60));
    QCOMPARE(CountSlots[0].Preset, Seconds(600));
    QCOMPARE(m_cells->Captions(), (QList {Blank, 1, 0, 0}));
}

void tst_TimeEntryKey::worksWithoutADispatch()
{
    for (const QChar key : u"2.15\r"_s)
        TimeEntryKey(*m_cells, static_cast<qint16>(key.unicode()), BoardMaximum, 0, 0, m_dots, KeyDispatch());
    QCOMPARE(CountSlots[0].Preset, Seconds(135));
}

QTEST_GUILESS_MAIN(tst_TimeEntryKey)
#include "tst_timeentrykey.moc"
