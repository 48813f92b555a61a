#include "clock/modCount.h"
#include "clock/modShowDigits.h"
#include "support/ClockValueText.h"
#include "support/FakeDigitGroup.h"
#include "support/FakeDotPair.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

using Cells = QList<int>;

namespace {

// The board's four displays in memory, typed on as the board routes keys: H, V, P and T move to the home
// score, visitor score, period and clock; X moves the focus away; "\r" is Enter; every other character is
// a key on the display.
struct Board
{
    FakeDigitGroup home {u"pledHomeScore"_s, {0, -1, -1}};
    FakeDigitGroup visitor {u"pledVisitorScore"_s, {0, -1, -1}};
    FakeDigitGroup period {u"pledPeriod"_s, {0}};
    FakeDigitGroup time {u"pledTime"_s, {1, 0, 0, 0}};
    FakeDotPair dots;
    QList<qint16> dispatched;

    FakeDigitGroup *Type(const QString &keys)
    {
        FakeDigitGroup *focused = &home;
        const KeyDispatch dispatch = [this](qint16 key) { dispatched << key; };
        for (const QChar key : keys) {
            if (key == u'X') { // the focus leaves the display
                ClearEntries();
                continue;
            }
            const qsizetype display = u"HVPT"_s.indexOf(key);
            if (display >= 0) {
                focused = std::array {&home, &visitor, &period, &time}[static_cast<std::size_t>(display)];
                continue;
            }
            const auto code = static_cast<qint16>(key.unicode());
            if (focused == &time)
                TimeEntryKey(time, code, 5999, 0, 0, dots, dispatch);
            else
                DigitEntryKey(*focused, code, 0, focused == &period ? 4 : 199, dispatch);
        }
        return focused;
    }
};

} // namespace

// The typed entry of clock times, scores and the period.
class EntryTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ResetGameState();
        ClockResetTime = Seconds(600);
        SetCount(ClockResetTime, 0, 0);
    }

    void clockEntry_data()
    {
        // An entry refused leaves the reset time at 600; cells are compared where the row gives them.
        QTest::addColumn<QString>("keys");
        QTest::addColumn<ClockValue>("resetTime");
        QTest::addColumn<Cells>("cells");
        QTest::newRow("minutes only") << u"T8\r"_s << Seconds(480) << Cells {-1, 8, 0, 0};
        QTest::newRow("7.30 shows 7:30") << u"T7.30\r"_s << Seconds(450) << Cells {-1, 7, 3, 0};
        QTest::newRow("one seconds digit") << u"T8.5\r"_s << Seconds(485) << Cells {};
        QTest::newRow("seconds only") << u"T.30\r"_s << Seconds(30) << Cells {3, 0, 0, -1};
        QTest::newRow("third seconds digit is tenths") << u"T12.345\r"_s << Tenths(7545) << Cells {};
        QTest::newRow("seconds above 59 add on") << u"T1.75\r"_s << Seconds(135) << Cells {};
        QTest::newRow("99.59 is the largest") << u"T99.59\r"_s << Seconds(5999) << Cells {9, 9, 5, 9};
        QTest::newRow("99.595 is above 99:59") << u"T99.595\r"_s << Seconds(600) << Cells {1, 0, 0, 0};
        QTest::newRow("minutes above 99") << u"T100\r"_s << Seconds(600) << Cells {};
        QTest::newRow("three parts") << u"T1.2.3\r"_s << Seconds(600) << Cells {};
        QTest::newRow("nine characters") << u"T000000099\r"_s << Seconds(600) << Cells {};
        QTest::newRow("space discards what came before") << u"T12 7.30\r"_s << Seconds(450) << Cells {};
        QTest::newRow("half an entry dropped by typing on a score") << u"T5H12\rT.30\r"_s << Seconds(30) << Cells {};
        QTest::newRow("half an entry dropped when the focus leaves") << u"T5XT.30\r"_s << Seconds(30) << Cells {};
    }
    void clockEntry()
    {
        QFETCH(QString, keys);
        QFETCH(ClockValue, resetTime);
        QFETCH(Cells, cells);
        Board board;
        StartCount(0);
        board.Type(keys);
        QCOMPARE(ClockResetTime, resetTime);
        if (!cells.isEmpty())
            QCOMPARE(board.time.Captions(), cells);
        // An accepted entry presets and stops the clock.
        QCOMPARE(IsCounting(0), resetTime == Seconds(600) ? qint16(-1) : qint16(0));
    }

    void digitEntry_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<Cells>("shown");
        QTest::newRow("12, then 1 5 Enter sets 15") << u"12\r15\r"_s << Cells {5, 1, -1};
        QTest::newRow("12, then + 3 adds at once") << u"12\r+3"_s << Cells {5, 1, -1};
        QTest::newRow("198, then + 3 would pass 199") << u"198\r+3"_s << Cells {8, 9, 1};
        QTest::newRow("250 is above 199") << u"12\r250\r"_s << Cells {2, 1, -1};
        QTest::newRow("+ 1 2 Enter: the 2 starts a new entry") << u"10\r+12\r"_s << Cells {2, -1, -1};
        QTest::newRow("leading zeros dropped, 105 to 7 blanks two cells") << u"105\r007\r"_s << Cells {7, -1, -1};
        QTest::newRow("a digit run wrapping in 64 bits") << u"12\r18446744073709551617\r"_s << Cells {2, 1, -1};
        QTest::newRow("a step wrapping in 64 bits") << u"12\r+-18446744073709551621\r"_s << Cells {2, 1, -1};
        QTest::newRow("period: 3 at once, 5 above 4, + 1") << u"P35+1"_s << Cells {4};
        QTest::newRow("period: a command key applies nothing") << u"P2s"_s << Cells {2};
        QTest::newRow("home 1, then visitor 2 Enter") << u"1V2\r"_s << Cells {2, -1, -1};
        QTest::newRow("home 1, clock set, home 5 Enter sets 5") << u"1T7\rH5\r"_s << Cells {5, -1, -1};
        QTest::newRow("home 1, focus away and back, 5 Enter sets 5") << u"1XH5\r"_s << Cells {5, -1, -1};
    }
    void digitEntry()
    {
        QFETCH(QString, keys);
        QFETCH(Cells, shown);
        Board board;
        QCOMPARE(board.Type(keys)->Captions(), shown);
    }

    void everyKeyReachesTheBoardOnceFirst()
    {
        Board board;
        board.Type(u"T7s\rH+x"_s);
        QCOMPARE(board.dispatched, (QList<qint16> {'7', 's', 13, '+', 'x'}));
    }
};

QUORVANE_TEST(EntryTest)
#include "EntryTest.moc"
