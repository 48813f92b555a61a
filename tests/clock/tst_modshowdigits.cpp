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
constexpr qint16 StartStopKey = 115; // "s"

Codes codesOf(const QString &keys)
{
    Codes codes;
    for (const QChar c : keys)
        codes << qint16(c.unicode());
    return codes;
}

} // namespace

// The typed entry of scores and period, driven the way the board drives it: every key through
// DigitEntryKey with the board's ranges and a stand-in for the board's central key handler.
class TestModShowDigits : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void acceptedEntries_data();
    void acceptedEntries();
    void refusedEntries_data();
    void refusedEntries();
    void pendingEntries_data();
    void pendingEntries();

    void switchingDisplays_data();
    void switchingDisplays();

    void dispatchSeesEveryKeyFirst_data();
    void dispatchSeesEveryKeyFirst();
    void startStopKeyOnPeriodLeavesItAlone();
    void entryWorksWithoutDispatch();

    void applyAccepted_data();
    void applyAccepted();
    void applyRefused_data();
    void applyRefused();

    void randomTypingKeepsDisplaysValid();

private:
    void addEntryColumns();
    // Whether a row's keys may write to the cells at all: refused and pending entries must not.
    enum class Writes { Allowed, None };
    void checkEntry(Writes writes);
    void addApplyColumns();
    void checkApply();

    FakeDigitGroup &groupNamed(const QString &which);
    void type(DigitGroup &group, qint16 key);
    void type(DigitGroup &group, const QString &keys);

    FakeDigitGroup m_home {u"pledHomeScore"_s, 3};
    FakeDigitGroup m_visitor {u"pledVisitorScore"_s, 3};
    FakeDigitGroup m_period {u"pledPeriod"_s, 1};
    Codes m_dispatched;
    KeyDispatch m_dispatch;
};

void TestModShowDigits::init()
{
    DigitEntry = {};
    // A fresh board: every display shows 0.
    m_home.SetCaptions({0, -1, -1});
    m_visitor.SetCaptions({0, -1, -1});
    m_period.SetCaptions({0});
    m_dispatched.clear();
    m_dispatch = [this](qint16 key) { m_dispatched << key; };
}

FakeDigitGroup &TestModShowDigits::groupNamed(const QString &which)
{
    if (which == u"visitor"_s)
        return m_visitor;
    if (which == u"period"_s)
        return m_period;
    return m_home;
}

// The board's handlers: scores 0-199, the period 0-4.
void TestModShowDigits::type(DigitGroup &group, qint16 key)
{
    const qint16 maximum = &group == &m_period ? 4 : 199;
    DigitEntryKey(group, key, 0, maximum, m_dispatch);
}

void TestModShowDigits::type(DigitGroup &group, const QString &keys)
{
    for (const QChar c : keys)
        type(group, qint16(c.unicode()));
}

// ---- Typed entry rules: "\r" in a row's keys is Enter.

void TestModShowDigits::addEntryColumns()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<Cells>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<Cells>("after");
    QTest::addColumn<QString>("pending");
}

void TestModShowDigits::checkEntry(Writes writes)
{
    QFETCH(QString, display);
    QFETCH(Cells, before);
    QFETCH(QString, keys);
    QFETCH(Cells, after);
    QFETCH(QString, pending);

    // GIVEN the display showing its number
    FakeDigitGroup &group = groupNamed(display);
    group.SetCaptions(before);
    const int writesBefore = group.WriteCount();
    // WHEN the keys are typed on it
    type(group, keys);
    // THEN it shows the expected cells and the shared entry holds what is still pending
    QCOMPARE(group.Captions(), after);
    QCOMPARE(DigitEntry.Text, pending);
    QCOMPARE(DigitEntry.Owner, group.Name());
    if (writes == Writes::None)
        QCOMPARE(group.WriteCount(), writesBefore);
}

void TestModShowDigits::acceptedEntries_data()
{
    addEntryColumns();
    const QString home = u"home"_s;
    const QString period = u"period"_s;
    QTest::newRow("12, 1 5 Enter sets 15") << home << Cells {2, 1, -1} << u"15\r"_s << Cells {5, 1, -1} << QString();
    QTest::newRow("12, + 3 adds at once") << home << Cells {2, 1, -1} << u"+3"_s << Cells {5, 1, -1} << QString();
    QTest::newRow("12, - 5 takes off at once") << home << Cells {2, 1, -1} << u"-5"_s << Cells {7, -1, -1} << QString();
    QTest::newRow("10, + 1 2 Enter: the 2 starts a new entry")
        << home << Cells {0, 1, -1} << u"+12\r"_s << Cells {2, -1, -1} << QString();
    QTest::newRow("0 0 7 Enter drops leading zeros") << home << Cells {0, -1, -1} << u"007\r"_s << Cells {7, -1, -1} << QString();
    QTest::newRow("105, 7 Enter blanks tens and hundreds")
        << home << Cells {5, 0, 1} << u"7\r"_s << Cells {7, -1, -1} << QString();
    QTest::newRow("99, + 1 carries into the hundreds") << home << Cells {9, 9, -1} << u"+1"_s << Cells {0, 0, 1} << QString();
    QTest::newRow("105, - 9 drops the hundreds") << home << Cells {5, 0, 1} << u"-9"_s << Cells {6, 9, -1} << QString();
    QTest::newRow("12, 0 Enter sets 0") << home << Cells {2, 1, -1} << u"0\r"_s << Cells {0, -1, -1} << QString();
    QTest::newRow("space drops what came before") << home << Cells {2, 1, -1} << u"9 4\r"_s << Cells {4, -1, -1} << QString();
    QTest::newRow("letters inside an entry are skipped")
        << home << Cells {2, 1, -1} << u"1s5\r"_s << Cells {5, 1, -1} << QString();
    QTest::newRow("Enter takes the leading digits only")
        << home << Cells {0, 5, -1} << u"12+3\r"_s << Cells {2, 1, -1} << QString();
    QTest::newRow("10, + - 3 Enter adds a negative step")
        << home << Cells {0, 1, -1} << u"+-3\r"_s << Cells {7, -1, -1} << QString();
    QTest::newRow("10, - - 3 Enter takes off a negative step")
        << home << Cells {0, 1, -1} << u"--3\r"_s << Cells {3, 1, -1} << QString();
    QTest::newRow("two relative entries in a row") << home << Cells {2, 1, -1} << u"+3-7"_s << Cells {8, -1, -1} << QString();
    QTest::newRow("visitor 150, 8 8 Enter sets 88")
        << u"visitor"_s << Cells {0, 5, 1} << u"88\r"_s << Cells {8, 8, -1} << QString();
    QTest::newRow("+ Enter adds 0") << home << Cells {2, 1, -1} << u"+\r"_s << Cells {2, 1, -1} << QString();
    QTest::newRow("period: - Enter takes off 0") << period << Cells {2} << u"-\r"_s << Cells {2} << QString();
    QTest::newRow("period 2, 3 sets 3 at once") << period << Cells {2} << u"3"_s << Cells {3} << QString();
    QTest::newRow("period 2, + 1 adds 1") << period << Cells {2} << u"+1"_s << Cells {3} << QString();
    QTest::newRow("period 3, 0 sets 0") << period << Cells {3} << u"0"_s << Cells {0} << QString();
    QTest::newRow("period 2, + - 1 Enter takes 1 off") << period << Cells {2} << u"+-1\r"_s << Cells {1} << QString();
}

void TestModShowDigits::acceptedEntries()
{
    checkEntry(Writes::Allowed);
}

void TestModShowDigits::refusedEntries_data()
{
    addEntryColumns();
    const QString home = u"home"_s;
    const QString period = u"period"_s;
    QTest::newRow("3, - 5 would go below 0") << home << Cells {3, -1, -1} << u"-5"_s << Cells {3, -1, -1} << QString();
    QTest::newRow("198, + 3 would pass 199") << u"visitor"_s << Cells {8, 9, 1} << u"+3"_s << Cells {8, 9, 1} << QString();
    QTest::newRow("2 5 0 Enter is above 199") << home << Cells {2, 1, -1} << u"250\r"_s << Cells {2, 1, -1} << QString();
    QTest::newRow("Enter alone applies nothing") << home << Cells {2, 1, -1} << u"\r"_s << Cells {2, 1, -1} << QString();
    QTest::newRow("space before Enter drops the entry")
        << home << Cells {2, 1, -1} << u"15 \r"_s << Cells {2, 1, -1} << QString();
    QTest::newRow("30 digits then Enter") << home << Cells {2, 1, -1} << u"123456789012345678901234567890\r"_s
                                          << Cells {2, 1, -1} << QString();
    QTest::newRow("20 nines then Enter") << home << Cells {2, 1, -1} << u"99999999999999999999\r"_s << Cells {2, 1, -1}
                                         << QString();
    QTest::newRow("a step too large to hold") << home << Cells {2, 1, -1} << u"+-99999999999999999999\r"_s
                                              << Cells {2, 1, -1} << QString();
    QTest::newRow("period 2, 5 is above 4") << period << Cells {2} << u"5"_s << Cells {2} << QString();
    QTest::newRow("period 2, + 3 would pass 4") << period << Cells {2} << u"+3"_s << Cells {2} << QString();
    QTest::newRow("period 0, - 1 would go below 0") << period << Cells {0} << u"-1"_s << Cells {0} << QString();
}

void TestModShowDigits::refusedEntries()
{
    checkEntry(Writes::None);
}

void TestModShowDigits::pendingEntries_data()
{
    addEntryColumns();
    const QString home = u"home"_s;
    const QString period = u"period"_s;
    QTest::newRow("digits wait for Enter") << home << Cells {2, 1, -1} << u"15"_s << Cells {2, 1, -1} << u"15"_s;
    QTest::newRow("a lone sign waits") << home << Cells {2, 1, -1} << u"+"_s << Cells {2, 1, -1} << u"+"_s;
    QTest::newRow("a sign then a sign waits") << home << Cells {2, 1, -1} << u"+-"_s << Cells {2, 1, -1} << u"+-"_s;
    QTest::newRow("other keys add nothing") << home << Cells {2, 1, -1} << u"1s.\x1b"_s << Cells {2, 1, -1} << u"1"_s;
    QTest::newRow("space empties the entry") << home << Cells {2, 1, -1} << u"15 "_s << Cells {2, 1, -1} << QString();
    QTest::newRow("a sign after digits waits") << home << Cells {2, 1, -1} << u"1+"_s << Cells {2, 1, -1} << u"1+"_s;
    QTest::newRow("period: a sign waits") << period << Cells {2} << u"-"_s << Cells {2} << u"-"_s;
    QTest::newRow("period: a sign then a sign waits") << period << Cells {2} << u"--"_s << Cells {2} << u"--"_s;
    QTest::newRow("period: a letter applies the empty entry") << period << Cells {2} << u"x"_s << Cells {2} << QString();
}

void TestModShowDigits::pendingEntries()
{
    checkEntry(Writes::None);
}

// ---- The shared entry belongs to the display it was typed on.

void TestModShowDigits::switchingDisplays_data()
{
    // Each step is "<display>:<keys>"; all displays start at home 12, visitor 30, period 2.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Cells>("home");
    QTest::addColumn<Cells>("visitor");
    QTest::addColumn<Cells>("period");

    QTest::newRow("1 on home, 2 Enter on visitor sets visitor 2")
        << QStringList {u"home:1"_s, u"visitor:2\r"_s} << Cells {2, 1, -1} << Cells {2, -1, -1} << Cells {2};
    QTest::newRow("1 on visitor, Enter on home applies nothing")
        << QStringList {u"visitor:1"_s, u"home:\r"_s} << Cells {2, 1, -1} << Cells {0, 3, -1} << Cells {2};
    QTest::newRow("+ on home, 1 on period sets 1 rather than adding")
        << QStringList {u"home:+"_s, u"period:1"_s} << Cells {2, 1, -1} << Cells {0, 3, -1} << Cells {1};
    QTest::newRow("- on period, 5 Enter on visitor sets 5")
        << QStringList {u"period:-"_s, u"visitor:5\r"_s} << Cells {2, 1, -1} << Cells {5, -1, -1} << Cells {2};
    QTest::newRow("back on home after visitor starts afresh")
        << QStringList {u"home:1"_s, u"visitor:x"_s, u"home:5\r"_s} << Cells {5, -1, -1} << Cells {0, 3, -1} << Cells {2};
}

void TestModShowDigits::switchingDisplays()
{
    QFETCH(QStringList, steps);
    QFETCH(Cells, home);
    QFETCH(Cells, visitor);
    QFETCH(Cells, period);

    m_home.SetCaptions({2, 1, -1});
    m_visitor.SetCaptions({0, 3, -1});
    m_period.SetCaptions({2});
    for (const QString &step : steps) {
        const qsizetype colon = step.indexOf(u':');
        type(groupNamed(step.left(colon)), step.mid(colon + 1));
    }
    QCOMPARE(m_home.Captions(), home);
    QCOMPARE(m_visitor.Captions(), visitor);
    QCOMPARE(m_period.Captions(), period);
}

// ---- Every key still works as a board command.

void TestModShowDigits::dispatchSeesEveryKeyFirst_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("keys");

    const QString mixed = u"12\r+3 -\rsrho.S\x1b\x08\x7f+\r9"_s;
    QTest::newRow("home") << u"home"_s << mixed;
    QTest::newRow("visitor") << u"visitor"_s << mixed;
    QTest::newRow("period") << u"period"_s << mixed;
}

void TestModShowDigits::dispatchSeesEveryKeyFirst()
{
    QFETCH(QString, display);
    QFETCH(QString, keys);

    FakeDigitGroup &group = groupNamed(display);
    // The board's handler records what the display showed when the key reached it, to prove it
    // ran before the entry had applied the key.
    QList<Cells> seen;
    m_dispatch = [&](qint16 key) {
        m_dispatched << key;
        seen << group.Captions();
    };

    QList<Cells> shownBefore;
    for (const QChar c : keys) {
        shownBefore << group.Captions();
        type(group, qint16(c.unicode()));
    }

    QCOMPARE(m_dispatched, codesOf(keys));
    QCOMPARE(seen, shownBefore);
    QVERIFY2(group.Captions() != shownBefore.first(), "the keys should have changed the display at least once");
}

void TestModShowDigits::startStopKeyOnPeriodLeavesItAlone()
{
    // GIVEN the period showing 2 and a board whose start/stop key toggles the clock
    m_period.SetCaptions({2});
    int toggles = 0;
    m_dispatch = [&](qint16 key) {
        m_dispatched << key;
        if (key == StartStopKey)
            ++toggles;
    };
    // WHEN "s" is typed on the period display
    type(m_period, StartStopKey);
    // THEN the clock was toggled once and the period still shows 2
    QCOMPARE(toggles, 1);
    QCOMPARE(m_dispatched, Codes {StartStopKey});
    QCOMPARE(m_period.Captions(), Cells {2});
    QVERIFY(DigitEntry.Text.isEmpty());
}

void TestModShowDigits::entryWorksWithoutDispatch()
{
    m_home.SetCaptions({2, 1, -1});
    for (const qint16 key : codesOf(u"15\r"_s))
        DigitEntryKey(m_home, key, 0, 199, KeyDispatch());
    QCOMPARE(m_home.Captions(), (Cells {5, 1, -1}));
}

// ---- ApplyDigitEntry on its own, with texts the keys alone cannot build.

void TestModShowDigits::addApplyColumns()
{
    QTest::addColumn<Cells>("before");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<Cells>("after");
}

void TestModShowDigits::checkApply()
{
    QFETCH(Cells, before);
    QFETCH(QString, entry);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(Cells, after);

    FakeDigitGroup group(u"pledTest"_s, int(before.size()));
    group.SetCaptions(before);
    ApplyDigitEntry(group, entry, qint16(minimum), qint16(maximum));
    QCOMPARE(group.Captions(), after);
}

void TestModShowDigits::applyAccepted_data()
{
    addApplyColumns();
    const Cells twelve {2, 1, -1};
    QTest::newRow("leading zeros") << twelve << u"007"_s << 0 << 199 << Cells {7, -1, -1};
    QTest::newRow("30 zeros then 7") << twelve << u"0000000000000000000000000000007"_s << 0 << 199 << Cells {7, -1, -1};
    QTest::newRow("digits stop at a space") << twelve << u"4 2"_s << 0 << 199 << Cells {4, -1, -1};
    QTest::newRow("digits stop at a sign") << twelve << u"45-3"_s << 0 << 199 << Cells {5, 4, -1};
    QTest::newRow("plus alone adds 0") << twelve << u"+"_s << 0 << 199 << twelve;
    QTest::newRow("plus plus 3 adds 3") << twelve << u"++3"_s << 0 << 199 << Cells {5, 1, -1};
    QTest::newRow("plus minus 3 takes 3 off") << twelve << u"+-3"_s << 0 << 199 << Cells {9, -1, -1};
    QTest::newRow("the step stops at a letter") << twelve << u"+5x7"_s << 0 << 199 << Cells {7, 1, -1};
    QTest::newRow("the step stops at a second sign") << twelve << u"+5+7"_s << 0 << 199 << Cells {7, 1, -1};
    QTest::newRow("a space after the sign leaves no digit") << twelve << u"+ 5"_s << 0 << 199 << twelve;
    QTest::newRow("two signs after the sign leave no digit") << twelve << u"+--5"_s << 0 << 199 << twelve;
    QTest::newRow("long step with leading zeros") << twelve << u"+000000000000000000000000000005"_s << 0 << 199
                                                   << Cells {7, 1, -1};
    QTest::newRow("all blank, + 5 counts from 0") << Cells {-1, -1, -1} << u"+5"_s << 0 << 199 << Cells {5, -1, -1};
    QTest::newRow("all blank, - 0 shows 0") << Cells {-1, -1, -1} << u"-0"_s << 0 << 199 << Cells {0, -1, -1};
    QTest::newRow("all blank, 3 shows 3") << Cells {-1, -1, -1} << u"3"_s << 0 << 199 << Cells {3, -1, -1};
    QTest::newRow("minimum itself") << twelve << u"-12"_s << 0 << 199 << Cells {0, -1, -1};
    QTest::newRow("maximum itself") << twelve << u"199"_s << 0 << 199 << Cells {9, 9, 1};
    QTest::newRow("one cell, maximum itself") << Cells {2} << u"+2"_s << 0 << 4 << Cells {4};
}

void TestModShowDigits::applyAccepted()
{
    checkApply();
}

void TestModShowDigits::applyRefused_data()
{
    addApplyColumns();
    const Cells twelve {2, 1, -1};
    QTest::newRow("empty") << twelve << QString() << 0 << 199 << twelve;
    QTest::newRow("starts with a letter") << twelve << u"x12"_s << 0 << 199 << twelve;
    QTest::newRow("starts with a space") << twelve << u" 12"_s << 0 << 199 << twelve;
    // Arabic-Indic three: a digit to Unicode, but not one a cell can show. Five cells and the widest
    // range leave room for any value a careless reading of it could give.
    QTest::newRow("a non-Latin digit") << Cells {2, 1, -1, -1, -1} << QString(QChar(0x0663)) << 0 << 32767
                                       << Cells {2, 1, -1, -1, -1};
    QTest::newRow("a step of a non-Latin digit") << Cells {2, 1, -1, -1, -1} << u"+"_s + QChar(0x0663) << 0 << 32767
                                                 << Cells {2, 1, -1, -1, -1};
    QTest::newRow("one above the maximum") << twelve << u"200"_s << 0 << 199 << twelve;
    QTest::newRow("one below the minimum") << twelve << u"-13"_s << 0 << 199 << twelve;
    QTest::newRow("+ 11 nines") << twelve << u"+99999999999"_s << 0 << 199 << twelve;
    QTest::newRow("- 26 nines") << twelve << u"-99999999999999999999999999"_s << 0 << 199 << twelve;
    QTest::newRow("30 digits") << twelve << u"123456789012345678901234567890"_s << 0 << 199 << twelve;
    QTest::newRow("largest 64-bit number") << twelve << u"9223372036854775807"_s << 0 << 199 << twelve;
    QTest::newRow("one past 64 bits signed") << twelve << u"9223372036854775808"_s << 0 << 199 << twelve;
    // 2^64 + 1 and 2^64 + 5 would wrap to 1 and 5 in unsigned 64-bit arithmetic.
    QTest::newRow("wraps to 1 in 64 bits") << twelve << u"18446744073709551617"_s << 0 << 199 << twelve;
    QTest::newRow("step wraps to 5 in 64 bits") << twelve << u"+18446744073709551621"_s << 0 << 199 << twelve;
    QTest::newRow("step wraps to -5 in 64 bits") << twelve << u"-18446744073709551621"_s << 0 << 199 << twelve;
    // 2^32 + 3 would wrap to 3 in 32-bit arithmetic.
    QTest::newRow("wraps to 3 in 32 bits") << twelve << u"4294967299"_s << 0 << 199 << twelve;
    QTest::newRow("wraps to 3 in 16 bits") << twelve << u"65539"_s << 0 << 199 << twelve;
    QTest::newRow("minimum above maximum") << twelve << u"5"_s << 9 << 3 << twelve;
    // No cell can show a minus sign, nor a fourth digit on a three-cell group.
    QTest::newRow("negative in range") << twelve << u"-15"_s << -20 << 199 << twelve;
    QTest::newRow("more digits than cells") << twelve << u"1234"_s << 0 << 9999 << twelve;
    QTest::newRow("one cell, two digits") << Cells {3} << u"12"_s << 0 << 99 << Cells {3};
}

void TestModShowDigits::applyRefused()
{
    checkApply();
}

// ---- Random typing: a long deterministic run of keys across the three displays.

namespace {

// Everything a display must look like after any key: its number 0..maximum, written with its
// cells lit contiguously from cell 0 and no leading zero. Returns what is wrong, or nothing.
QString displayProblem(const FakeDigitGroup &group, int maximum)
{
    const Cells cells = group.Captions();
    const qsizetype lit = cells.indexOf(-1) < 0 ? cells.size() : cells.indexOf(-1);
    if (lit == 0)
        return u"no cell lit"_s;
    for (qsizetype k = lit; k < cells.size(); ++k) {
        if (cells.at(k) != -1)
            return u"a gap in the lit cells"_s;
    }
    int number = 0;
    for (qsizetype k = lit - 1; k >= 0; --k) {
        if (cells.at(k) < 0 || cells.at(k) > 9)
            return u"a cell shows %1"_s.arg(cells.at(k));
        number = number * 10 + cells.at(k);
    }
    if (lit > 1 && cells.at(lit - 1) == 0)
        return u"a leading zero"_s;
    if (number > maximum)
        return u"%1 is above %2"_s.arg(number).arg(maximum);
    return {};
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

QString describeCells(const Cells &cells)
{
    QStringList words;
    for (const int cell : cells)
        words << QString::number(cell);
    return words.join(u',');
}

QString describeKeys(const Codes &keys)
{
    QStringList words;
    for (const qint16 key : keys) {
        if (key > 32 && key < 127)
            words << QString(QChar(key));
        else
            words << u"<%1>"_s.arg(key);
    }
    return words.join(u' ');
}

} // namespace

void TestModShowDigits::randomTypingKeepsDisplaysValid()
{
    constexpr quint32 Seed = 20240611;
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

    struct Display
    {
        FakeDigitGroup *group;
        int maximum;
    };
    const std::array<Display, 3> displays {Display {&m_home, 199}, Display {&m_visitor, 199}, Display {&m_period, 4}};
    std::array<int, 3> highest {};
    std::array<bool, 3> reachedZeroAgain {};

    QRandomGenerator random(Seed);
    int focused = 0;
    int changes = 0;
    // What reproduces a failure: the focused display's cells when the focus moved there (the
    // shared entry starts afresh then) and the keys typed on it since.
    Cells shownWhenFocused = m_home.Captions();
    Codes typedHere;
    for (int n = 0; n < Keys; ++n) {
        if (random.bounded(8) == 0) {
            const int next = random.bounded(3);
            if (next != focused) {
                focused = next;
                typedHere.clear();
                shownWhenFocused = displays[focused].group->Captions();
            }
        }
        const qint16 key = alphabet.at(random.bounded(int(alphabet.size())));
        typedHere << key;

        std::array<int, 3> before {};
        for (int d = 0; d < 3; ++d)
            before[d] = numberOf(*displays[d].group);
        const qsizetype dispatchedBefore = m_dispatched.size();

        type(*displays[focused].group, key);

        QString problem;
        if (m_dispatched.size() != dispatchedBefore + 1 || m_dispatched.last() != key)
            problem = u"the key did not reach the board's handler exactly once"_s;
        for (int d = 0; d < 3 && problem.isEmpty(); ++d) {
            problem = displayProblem(*displays[d].group, displays[d].maximum);
            const int after = numberOf(*displays[d].group);
            if (problem.isEmpty() && after != before[d]) {
                ++changes;
                highest[d] = std::max(highest[d], after);
                if (after == 0)
                    reachedZeroAgain[d] = true;
                const bool appliesEntry = (key >= u'0' && key <= u'9') || key == Enter;
                if (d != focused)
                    problem = u"a display without the focus changed"_s;
                else if (!appliesEntry)
                    problem = u"a key that applies no entry changed the number"_s;
                else if (d != 2 && key != Enter && std::abs(after - before[d]) > 9)
                    problem = u"a sign and one digit moved a score by more than 9"_s;
                else if (!DigitEntry.Text.isEmpty())
                    problem = u"an applied entry was left in the buffer"_s;
            }
        }
        if (problem.isEmpty() && (key == Enter || key == u' ') && !DigitEntry.Text.isEmpty())
            problem = u"Enter or space left text in the buffer"_s;
        if (problem.isEmpty() && DigitEntry.Owner != displays[focused].group->Name())
            problem = u"the buffer does not belong to the focused display"_s;

        if (!problem.isEmpty()) {
            QFAIL(qPrintable(u"key %1 on %2: %3; it showed cells %4, then got keys %5"_s.arg(n)
                                 .arg(displays[focused].group->Name(), problem, describeCells(shownWhenFocused),
                                      describeKeys(typedHere))));
        }
    }

    // The run must actually exercise the entry: many changes, every display driven up to its maximum
    // and back down to 0.
    qInfo("%d numbers changed in %d keys", changes, Keys);
    QVERIFY(changes > Keys / 100);
    for (int d = 0; d < 3; ++d) {
        QCOMPARE(highest[d], displays[d].maximum);
        QVERIFY(reachedZeroAgain[d]);
    }
}

QTEST_GUILESS_MAIN(TestModShowDigits)
#include "tst_modshowdigits.moc"
