#include "TestBoard.h"

#include "display/Image.h"
#include "display/Label.h"
#include "display/PictureBox.h"
#include "display/PolyLED.h"
#include "display/Shape.h"
#include "display/modColor.h"
#include "settings/SettingsRecord.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

// Colouring the board's controls by type and its LED cells by group.
class tst_modColor : public QObject
{
    Q_OBJECT

private slots:
    void init();

    // By type
    void colorsByType_data();
    void colorsByType();
    void leavesOtherTypesAlone();
    void skipsByName_data();
    void skipsByName();
    void leavesADialogOfTheWindowAlone();

    // LED cells
    void colorsAGroup_data();
    void colorsAGroup();
    void colorsASingleCell();
};

namespace {

constexpr qint32 Untouched = 0x123456;
constexpr qint32 LedBack = 0x010203;
constexpr qint32 Border = 0x0A0B0C;

// The colour of a control's coloured part: a label's text, a panel's or cell's background, a shape's outline.
qint32 ColourOf(const QWidget *control)
{
    if (const auto *label = qobject_cast<const Label *>(control))
        return label->ForeColor();
    if (const auto *panel = qobject_cast<const PictureBox *>(control))
        return panel->BackColor();
    if (const auto *shape = qobject_cast<const Shape *>(control))
        return shape->BorderColor();
    if (const auto *cell = qobject_cast<const PolyLED *>(control))
        return cell->BackColor();
    return -1;
}

// Paints every control of the board in Untouched, so any colour a call gives shows.
void PaintUntouched(const TestBoard &board)
{
    for (QWidget *control : board.ScaledControls()) {
        if (auto *label = qobject_cast<Label *>(control))
            label->SetForeColor(Untouched);
        else if (auto *panel = qobject_cast<PictureBox *>(control))
            panel->SetBackColor(Untouched);
        else if (auto *shape = qobject_cast<Shape *>(control))
            shape->SetBorderColor(Untouched);
        else if (auto *cell = qobject_cast<PolyLED *>(control)) {
            cell->SetBackColor(Untouched);
            cell->SetLitColor(Untouched);
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

    QTest::newRow("title label text") << "lblTitle" << Border;
    QTest::newRow("caption label text") << "lblPeriod" << Border;
    QTest::newRow("clock panel background") << "picTime" << LedBack;
    QTest::newRow("score panel background") << "picHomeScore" << LedBack;
    QTest::newRow("frame outline") << "Shape2" << Border;
    QTest::newRow("dot inside a panel") << "shpTime(1)" << Border;
    QTest::newRow("excluded indicator") << "shpBonusH" << Untouched;
    QTest::newRow("excluded team name") << "lblHome" << Untouched;
    QTest::newRow("other team name") << "lblVisitor" << Border;
    QTest::newRow("LED cell") << "pledTime(0)" << Untouched;
    QTest::newRow("LED cell inside a score panel") << "pledHomeScore(2)" << Untouched;
    QTest::newRow("period cell") << "pledPeriod(0)" << Untouched;
}

void tst_modColor::colorsByType()
{
    QFETCH(QString, key);
    QFETCH(qint32, expected);

    // GIVEN the board in a colour no setting has
    TestBoard board;
    PaintUntouched(board);

    // WHEN it is coloured by type, the home team name and the home bonus indicator excluded
    ColorControlsByType(&board, {board.lblHome, board.shpBonusH});

    // THEN the control shows the colour of its type, or keeps its own
    QWidget *control = board.Control(key);
    QVERIFY(control);
    QCOMPARE(ColourOf(control), expected);
}

void tst_modColor::leavesOtherTypesAlone()
{
    // GIVEN the board with its LED cells, image, plain label and button
    TestBoard board;
    PaintUntouched(board);
    const QPalette plainPalette = board.plainLabel->palette();
    const QPalette buttonPalette = board.button->palette();

    ColorControlsByType(&board, {});

    // THEN a cell keeps both its colours, and no control of another type was given a colour of any kind
    QCOMPARE(board.pledPeriod[0]->BackColor(), Untouched);
    QCOMPARE(board.pledPeriod[0]->LitColor(), Untouched);
    for (const QWidget *other : QList<const QWidget *>{board.imgBonusH, board.plainLabel, board.button}) {
        const QList<QByteArray> given = other->dynamicPropertyNames();
        for (const char *colour : {"ForeColor", "BackColor", "BorderColor"})
            QVERIFY2(!given.contains(colour), qPrintable(other->objectName() + u' ' + QLatin1String(colour)));
    }
    QCOMPARE(board.plainLabel->palette(), plainPalette);
    QCOMPARE(board.button->palette(), buttonPalette);
}

void tst_modColor::skipsByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint32>("expected");

    QTest::newRow("a new label of another name") << "lblExtra" << Border;
    QTest::newRow("a name differing only in case") << "LBLHOME" << Border;
    QTest::newRow("a second control named as an excluded one") << "lblHome" << Untouched;
}

void tst_modColor::skipsByName()
{
    QFETCH(QString, name);
    QFETCH(qint32, expected);

    // GIVEN a label added to the board
    TestBoard board;
    auto *added = new Label(QStringLiteral("added"), &board);
    added->setObjectName(name);
    added->SetForeColor(Untouched);

    // WHEN the board is coloured with the team names excluded
    ColorControlsByType(&board, {board.lblHome, board.lblVisitor});

    // THEN the added label is skipped only when it carries an excluded name
    QCOMPARE(added->ForeColor(), expected);
}

void tst_modColor::leavesADialogOfTheWindowAlone()
{
    // GIVEN a dialog the board owns, with a label and a panel of its own
    TestBoard board;
    auto *dialog = new QDialog(&board);
    auto *label = new Label(QStringLiteral("in the dialog"), dialog);
    auto *panel = new PictureBox(dialog);
    label->SetForeColor(Untouched);
    panel->SetBackColor(Untouched);

    ColorControlsByType(&board, {});

    // THEN the dialog's controls keep their colours while the board's own take theirs
    QCOMPARE(label->ForeColor(), Untouched);
    QCOMPARE(panel->BackColor(), Untouched);
    QCOMPARE(board.lblTitle->ForeColor(), Border);
}

void tst_modColor::colorsAGroup_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<qint32>("color");

    QTest::newRow("group of one cell") << "pledPeriod" << 0xC000;
    QTest::newRow("group of three cells") << "pledHomeScore" << 33023;
    QTest::newRow("group of four cells") << "pledTime" << 255;
}

void tst_modColor::colorsAGroup()
{
    QFETCH(QString, group);
    QFETCH(qint32, color);

    // GIVEN the board's cells in a colour no setting has
    TestBoard board;
    PaintUntouched(board);
    const LedGroup &cells = group == u"pledPeriod" ? board.pledPeriod
                          : group == u"pledHomeScore" ? board.pledHomeScore
                                                       : board.pledTime;

    // WHEN one group is coloured
    SetLEDColors(cells, color);

    // THEN each of its cells has the LED background and the group's lit colour
    QVERIFY(cells.Count() > 0);
    for (const PolyLED *cell : cells) {
        QCOMPARE(cell->BackColor(), LedBack);
        QCOMPARE(cell->LitColor(), color);
    }
    // AND the cells of the other groups keep theirs
    for (const LedGroup *other : {&board.pledPeriod, &board.pledHomeScore, &board.pledTime}) {
        if (other == &cells)
            continue;
        for (const PolyLED *cell : *other)
            QCOMPARE(cell->LitColor(), Untouched);
    }
}

void tst_modColor::colorsASingleCell()
{
    // GIVEN two cells of a group
    TestBoard board;
    PaintUntouched(board);

    // WHEN one of them is coloured on its own
    SetLEDColors(board.pledTime[1], 0x00FF00);
    SetLEDColors(static_cast<PolyLED *>(nullptr), 0x00FF00);

    // THEN that one shows the colours and its neighbours keep theirs
    QCOMPARE(board.pledTime[1]->BackColor(), LedBack);
    QCOMPARE(board.pledTime[1]->LitColor(), 0x00FF00);
    QCOMPARE(board.pledTime[0]->LitColor(), Untouched);
    QCOMPARE(board.pledTime[2]->BackColor(), Untouched);
}

QTEST_MAIN(tst_modColor)
#include "tst_modcolor.moc"
