#include "TestBoard.h"

#include "display/Label.h"
#include "display/PolyLED.h"
#include "display/modColor.h"
#include "settings/SettingsRecord.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// Colouring the board's controls by type and its LED cells by group.
class tst_modColor : public QObject
{
    Q_OBJECT

private slots:
    void init();

    // By type
    void colorsByType_data();
    void colorsByType();
    void leavesOtherControlsAlone();
    void skipsByName_data();
    void skipsByName();

    // LED cells
    void colorsLedCells();
};

namespace {

constexpr qint32 Untouched = 0x123456;
constexpr qint32 LedBack = 0x010203;
constexpr qint32 Border = 0x0A0B0C;

// The colour of a control's coloured part: a label's text, a panel's or cell's background, a shape's outline.
qint32 ColourOf(const QWidget *control)
{
    for (const char *colour : {"ForeColor", "BorderColor", "BackColor"}) {
        if (control->metaObject()->indexOfProperty(colour) >= 0)
            return control->property(colour).toInt();
    }
    return -1;
}

// Paints every control of the board in Untouched, so any colour a call gives shows.
void PaintUntouched(const TestBoard &board)
{
    for (QWidget *control : board.ScaledControls()) {
        for (const char *colour : {"ForeColor", "BackColor", "BorderColor", "LitColor"}) {
            if (control->metaObject()->indexOfProperty(colour) >= 0)
                control->setProperty(colour, Untouched);
        }
    }
}

} // namespace

void tst_modColor::init()
{
    Settings = SettingsRecord{};
    Settings.LEDBack = LedBack;
    Settings.BorderColor = Border;
}

void tst_modColor::colorsByType_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<qint32>("expected");

    QTest::newRow("label text") << u"lblTitle"_s << Border;
    QTest::newRow("panel background") << u"picHomeScore"_s << LedBack;
    QTest::newRow("frame outline") << u"Shape2"_s << Border;
    QTest::newRow("dot inside a panel") << u"shpTime"_s << Border;
    QTest::newRow("excluded indicator") << u"shpBonusH"_s << Untouched;
    QTest::newRow("excluded team name") << u"lblHome"_s << Untouched;
    QTest::newRow("LED cell inside a panel") << u"pledHomeScore(2)"_s << Untouched;
}

void tst_modColor::colorsByType()
{
    QFETCH(QString, key);
    QFETCH(qint32, expected);

    // GIVEN the board in a colour no setting has
    TestBoard board;
    PaintUntouched(board);

    // WHEN it is coloured by type, the home team name and the home bonus indicator excluded
    ColorControlsByType(&board, {board.Control(u"lblHome"_s), board.Control(u"shpBonusH"_s)});

    // THEN the control shows the colour of its type, or keeps its own
    QCOMPARE(ColourOf(board.Control(key)), expected);
}

void tst_modColor::leavesOtherControlsAlone()
{
    // GIVEN the board, and a dialog it owns holding a label
    TestBoard board;
    PaintUntouched(board);
    auto *dialogLabel = new Label(u"in the dialog"_s, new QDialog(&board));
    dialogLabel->SetForeColor(Untouched);

    ColorControlsByType(&board, {});

    // THEN a cell keeps its lit colour, the dialog's label its own, and no control of another type was
    // given a colour of any kind
    QCOMPARE(board.pledPeriod[0]->LitColor(), Untouched);
    QCOMPARE(dialogLabel->ForeColor(), Untouched);
    for (const QWidget *other : QList<const QWidget *>{board.Control(u"imgBonusH"_s), board.plainLabel, board.button}) {
        const QList<QByteArray> given = other->dynamicPropertyNames();
        for (const char *colour : {"ForeColor", "BackColor", "BorderColor"})
            QVERIFY2(!given.contains(colour), colour);
    }
}

void tst_modColor::skipsByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint32>("expected");

    QTest::newRow("a new label of another name") << u"lblExtra"_s << Border;
    QTest::newRow("a name differing only in case") << u"LBLHOME"_s << Border;
    QTest::newRow("a second control named as an excluded one") << u"lblHome"_s << Untouched;
}

void tst_modColor::skipsByName()
{
    QFETCH(QString, name);
    QFETCH(qint32, expected);

    // GIVEN a label added to the board
    TestBoard board;
    auto *added = new Label(u"added"_s, &board);
    added->setObjectName(name);
    added->SetForeColor(Untouched);

    ColorControlsByType(&board, {board.Control(u"lblHome"_s), board.Control(u"lblVisitor"_s)});

    // THEN the added label is skipped only when it carries an excluded name
    QCOMPARE(added->ForeColor(), expected);
}

void tst_modColor::colorsLedCells()
{
    // GIVEN the board's cells in a colour no setting has
    TestBoard board;
    PaintUntouched(board);

    // WHEN a group of one cell, a group of three and a single cell of a third group are coloured
    SetLEDColors(board.pledPeriod, 0xC000);
    SetLEDColors(board.pledHomeScore, 33023);
    SetLEDColors(board.pledTime[1], 0x00FF00);
    SetLEDColors(static_cast<PolyLED *>(nullptr), 0x00FF00);

    // THEN each has the LED background and its lit colour, and the single cell's neighbours keep theirs
    QCOMPARE(board.pledPeriod[0]->BackColor(), LedBack);
    QCOMPARE(board.pledPeriod[0]->LitColor(), 0xC000);
    for (const PolyLED *cell : board.pledHomeScore) {
        QCOMPARE(cell->BackColor(), LedBack);
        QCOMPARE(cell->LitColor(), 33023);
    }
    QCOMPARE(board.pledTime[1]->BackColor(), LedBack);
    QCOMPARE(board.pledTime[1]->LitColor(), 0x00FF00);
    QCOMPARE(board.pledTime[0]->LitColor(), Untouched);
    QCOMPARE(board.pledTime[2]->BackColor(), Untouched);
}

QTEST_MAIN(tst_modColor)
#include "tst_modcolor.moc"
