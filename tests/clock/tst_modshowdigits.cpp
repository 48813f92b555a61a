#include "clock/modShowDigits.h"
#include "support/FakeDigitGroup.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <array>
#include <cstdlib>

using namespace Qt::StringLiterals;

using Cells = QList<int>;
using Codes = QList<qint16>;

namespace {

constexpr qint16 Enter = 13;

// A fresh board's home score, visitor score and period, each showing 0.
std::array<FakeDigitGroup, 3> freshBoard()
{
    return {FakeDigitGroup(u"pledHomeScore"_s, {0, -1, -1}), FakeDigitGroup(u"pledVisitorScore"_s, {0, -1, -1}),
            FakeDigitGroup(u"pledPeriod"_s, {0})};
}

// The board's ranges: scores 0-199, the one-cell period 0-4.
qint16 maximumOf(const DigitGroup &group)
{
    return group.UBound() == 0 ? 4 : 199;
}

void press(DigitGroup &group, qint16 key, const KeyDispatch &dispatch = {})
{
    DigitEntryKey(group, key, 0, maximumOf(group), dispatch);
}

int numberOf(const DigitGroup &group)
{
    int number = 0;
    for (int k = group.UBound(); k >= 0; --k) {
        if (group.Caption(k) >= 0)
            number = number * 10 + group.Caption(k);
    }
    return number;
}

// How a display must show a number: its digits from cell 0 up, no leading zero, the cells above blank.
Cells cellsShowing(int number, qsizetype cellCount)
{
    Cells cells(cellCount, -1);
    for (qsizetype k = 0; k < cellCount && (k == 0 || number > 0); ++k, number /= 10)
        cells[k] = number % 10;
    return cells;
}

} // namespace

// The typed entry of scores and period, driven the way the board drives it: every key through
// DigitEntryKey with the board's ranges.
class TestModShowDigits : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void entry_data();
    void entry();
    void dispatchSeesEveryKeyFirst_data();
    void dispatchSeesEveryKeyFirst();
    void applyTextsKeysCannotBuild_data();
    void applyTextsKeysCannotBuild();
    void randomTypingKeepsDisplaysValid();
};

void TestModShowDigits::init()
{
    DigitEntry = {};
}

void TestModShowDigits::entry_data()
{
    // Keys start on the home score; H, V and P move to home, visitor and period; "\r" is Enter.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<Cells>("shown");
    QTest::addColumn<QString>("pending");

    QTest::newRow("12, then 1 5 Enter sets 15") << u"12\r15\r"_s << Cells {5, 1, -1} << QString();
    QTest::newRow("12, then + 3 adds at once") << u"12\r+3"_s << Cells {5, 1, -1} << QString();
    QTest::newRow("3, then - 5 would go below 0") << u"3\r-5"_s << Cells {3, -1, -1} << QString();
    QTest::newRow("198, then + 3 would pass 199") << u"198\r+3"_s << Cells {8, 9, 1} << QString();
    QTest::newRow("12, then 2 5 0 Enter is above 199") << u"12\r250\r"_s << Cells {2, 1, -1} << QString();
    QTest::newRow("10, then + 1 2 Enter: the 2 starts a new entry") << u"10\r+12\r"_s << Cells {2, -1, -1}
                                                                     << QString();
    QTest::newRow("0 0 7 Enter drops leading zeros") << u"007\r"_s << Cells {7, -1, -1} << QString();
    QTest::newRow("105, then 7 Enter blanks tens and hundreds") << u"105\r7\r"_s << Cells {7, -1, -1} << QString();
    QTest::newRow("12, then + Enter adds 0") << u"12\r+\r"_s << Cells {2, 1, -1} << QString();
    QTest::newRow("10, then + - 3 Enter adds a negative step") << u"10\r+-3\r"_s << Cells {7, -1, -1} << QString();
    QTest::newRow("space drops what came before") << u"9 4\r"_s << Cells {4, -1, -1} << QString();
    QTest::newRow("Enter takes the leading digits only") << u"12+3\r"_s << Cells {2, 1, -1} << QString();

    QTest::newRow("12, then 20 digits wrapping to 1 in 64 bits")
        << u"12\r18446744073709551617\r"_s << Cells {2, 1, -1} << QString();
    QTest::newRow("12, then a step wrapping to -5 in 64 bits")
        << u"12\r+-18446744073709551621\r"_s << Cells {2, 1, -1} << QString();

    QTest::newRow("digits wait for Enter") << u"15"_s << Cells {0, -1, -1} << u"15"_s;
    QTest::newRow("a sign then a sign waits") << u"+-"_s << Cells {0, -1, -1} << u"+-"_s;
    QTest::newRow("other keys add nothing") << u"1s.\x1b"_s << Cells {0, -1, -1} << u"1"_s;

    QTest::newRow("period 3, 5, + 1: a digit sets at once, 5 is above 4") << u"P35+1"_s << Cells {4} << QString();
    QTest::newRow("s on the period leaves it alone") << u"P2s"_s << Cells {2} << QString();
    QTest::newRow("period: a sign waits") << u"P-"_s << Cells {0} << u"-"_s;

    QTest::newRow("home 1, then visitor 2 Enter sets visitor 2") << u"1V2\r"_s << Cells {2, -1, -1} << QString();
    QTest::newRow("visitor 1, then home Enter applies nothing") << u"V1H\r"_s << Cells {0, -1, -1} << QString();
    QTest::newRow("period 2, home +, then period 1 sets 1") << u"P2H+P1"_s << Cells {1} << QString();
}

void TestModShowDigits::entry()
{
    QFETCH(QString, keys);
    QFETCH(Cells, shown);
    QFETCH(QString, pending);

    auto board = freshBoard();
    FakeDigitGroup *focused = &board[0];
    for (const QChar key : keys) {
        const qsizetype display = u"HVP"_s.indexOf(key);
        if (display >= 0)
            focused = &board[static_cast<std::size_t>(display)];
        else
            press(*focused, static_cast<qint16>(key.unicode()));
    }

    QCOMPARE(focused->Captions(), shown);
    QCOMPARE(DigitEntry.Text, pending);
    QCOMPARE(DigitEntry.Owner, focused->Name());
}

void TestModShowDigits::dispatchSeesEveryKeyFirst_data()
{
    QTest::addColumn<int>("display");
    QTest::newRow("home score") << 0;
    QTest::newRow("period") << 2;
}

void TestModShowDigits::dispatchSeesEveryKeyFirst()
{
    QFETCH(int, display);
    const QString keys = u"12\r+3 -\rsrho.S\x1b\x08\x7f+\r9"_s;

    auto board = freshBoard();
    FakeDigitGroup &group = board[static_cast<std::size_t>(display)];
    // The handler records what the display showed when each key reached it, to prove it ran first.
    Codes dispatched;
    QList<Cells> seen;
    const KeyDispatch dispatch = [&](qint16 key) {
        dispatched << key;
        seen << group.Captions();
    };

    Codes codes;
    QList<Cells> shownBefore;
    for (const QChar key : keys) {
        codes << static_cast<qint16>(key.unicode());
        shownBefore << group.Captions();
        press(group, codes.last(), dispatch);
    }

    QCOMPARE(dispatched, codes);
    QCOMPARE(seen, shownBefore);
    QVERIFY2(group.Captions() != shownBefore.first(), "the keys should have changed the display");
}

void TestModShowDigits::applyTextsKeysCannotBuild_data()
{
    QTest::addColumn<Cells>("before");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<Cells>("after");

    const Cells twelve {2, 1, -1};
    QTest::newRow("all blank, + 5 counts from 0") << Cells {-1, -1, -1} << u"+5"_s << 0 << 199 << Cells {5, -1, -1};
    QTest::newRow("starts with a letter") << twelve << u"x12"_s << 0 << 199 << twelve;
    // Arabic-Indic three: a digit to Unicode, but not one a cell can show.
    QTest::newRow("a non-Latin digit") << Cells {2, 1, -1, -1, -1} << QString(QChar(0x0663)) << 0 << 32767
                                       << Cells {2, 1, -1, -1, -1};
    // No cell can show a minus sign, nor a fourth digit on a three-cell group.
    QTest::newRow("negative in range") << twelve << u"-15"_s << -20 << 199 << twelve;
    QTest::newRow("more digits than cells") << twelve << u"1234"_s << 0 << 9999 << twelve;
}

void TestModShowDigits::applyTextsKeysCannotBuild()
{
    QFETCH(Cells, before);
    QFETCH(QString, entry);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(Cells, after);

    FakeDigitGroup group(u"pledTest"_s, before);
    ApplyDigitEntry(group, entry, static_cast<qint16>(minimum), static_cast<qint16>(maximum));
    QCOMPARE(group.Captions(), after);
}

void TestModShowDigits::randomTypingKeepsDisplaysValid()
{
    constexpr int Keys = 200'000;

    // Digits dominate, as they do when an operator types; the rest are the entry's own keys, command
    // letters, the clock's ".", control keys and a character above 127.
    QList<qint16> alphabet;
    for (int repeat = 0; repeat < 4; ++repeat) {
        for (qint16 digit = u'0'; digit <= u'9'; ++digit)
            alphabet << digit;
    }
    alphabet << u'+' << u'+' << u'+' << u'-' << u'-' << u'-' << u' ' << Enter << Enter << Enter << Enter;
    alphabet << u's' << u'r' << u'h' << u'o' << u'S' << u'x' << u'.' << 0 << 8 << 9 << 10 << 27 << 127 << 233;

    auto board = freshBoard();
    std::array<int, 3> highest {};
    std::array<bool, 3> reachedZeroAgain {};
    Codes dispatched;
    const KeyDispatch dispatch = [&](qint16 key) { dispatched << key; };
    QRandomGenerator random(20240611);
    std::size_t focused = 0;
    int changes = 0;
    for (int n = 0; n < Keys; ++n) {
        if (random.bounded(8) == 0)
            focused = random.bounded(3);
        const qint16 key = alphabet.at(random.bounded(int(alphabet.size())));
        std::array<int, 3> before {};
        for (std::size_t d = 0; d < 3; ++d)
            before[d] = numberOf(board[d]);
        dispatched.clear();

        press(board[focused], key, dispatch);

        QString problem;
        if (dispatched != Codes {key})
            problem = u"the key did not reach the board's handler exactly once"_s;
        for (std::size_t d = 0; d < 3 && problem.isEmpty(); ++d) {
            const int after = numberOf(board[d]);
            if (board[d].Captions() != cellsShowing(after, board[d].Captions().size()) || after > maximumOf(board[d]))
                problem = u"a display shows no valid number"_s;
            else if (after != before[d]) {
                ++changes;
                highest[d] = std::max(highest[d], after);
                reachedZeroAgain[d] = reachedZeroAgain[d] || after == 0;
                if (d != focused)
                    problem = u"a display without the focus changed"_s;
                else if (!((key >= u'0' && key <= u'9') || key == Enter))
                    problem = u"a key that applies no entry changed the number"_s;
                else if (board[d].UBound() > 0 && key != Enter && std::abs(after - before[d]) > 9)
                    problem = u"a sign and one digit moved a score by more than 9"_s;
                else if (!DigitEntry.Text.isEmpty())
                    problem = u"an applied entry was left in the buffer"_s;
            }
        }
        if (problem.isEmpty() && (key == Enter || key == u' ') && !DigitEntry.Text.isEmpty())
            problem = u"Enter or space left text in the buffer"_s;
        if (problem.isEmpty() && DigitEntry.Owner != board[focused].Name())
            problem = u"the buffer does not belong to the focused display"_s;
        if (!problem.isEmpty())
            QFAIL(qPrintable(u"key %1 (code %2) on %3: %4"_s.arg(n).arg(key).arg(board[focused].Name(), problem)));
    }

    // The run must exercise the entry: many changes, every display up to its maximum and back to 0.
    QVERIFY(changes > Keys / 100);
    for (std::size_t d = 0; d < 3; ++d) {
        QCOMPARE(highest[d], maximumOf(board[d]));
        QVERIFY(reachedZeroAgain[d]);
    }
}

QTEST_GUILESS_MAIN(TestModShowDigits)
#include "tst_modshowdigits.moc"
