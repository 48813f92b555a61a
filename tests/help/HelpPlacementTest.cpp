#include "HelpPlacement.h"

#include <QTest>

namespace {

const QSize Help(737, 618);
const QSize Least(180, 114);
const QRect Desk(0, 0, 1920, 1080);
// A board filling the desk: its clock, scores and period digit where the design puts them at this size.
const QList<QRect> Kept {{375, 172, 1170, 308}, {73, 610, 659, 308}, {1191, 610, 659, 308}, {875, 792, 170, 150}};

struct Placement
{
    QList<QRect> screens;
    QRect board;
    QList<QRect> keep;
    QRect expected; // null: anywhere on the board's screen that leaves the kept parts in sight
};

} // namespace
Q_DECLARE_METATYPE(Placement)

class HelpPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void place_data()
    {
        QTest::addColumn<Placement>("row");
        QTest::newRow("right of the board") << Placement {{Desk}, {200, 300, 632, 453}, Kept, {832, 300, 737, 618}};
        QTest::newRow("left where the right has no room") << Placement {{Desk}, {1200, 100, 632, 453}, Kept, {463, 100, 737, 618}};
        QTest::newRow("below a wide board, level with it") << Placement {{Desk}, {100, 0, 1800, 400}, Kept, {100, 400, 737, 618}};
        QTest::newRow("above a low one") << Placement {{Desk}, {100, 680, 1800, 400}, Kept, {100, 62, 737, 618}};
        QTest::newRow("the next screen's middle") << Placement {{Desk, {1920, 0, 1280, 1024}}, Desk, Kept, {2191, 203, 737, 618}};
        QTest::newRow("that screen smaller than help") << Placement {{Desk, {-640, 0, 640, 480}}, Desk, Kept, {-640, 0, 640, 480}};
        QTest::newRow("squeezed beside the centred board") << Placement {{Desk}, {644, 314, 632, 453}, Kept, {1276, 314, 644, 618}};
        QTest::newRow("full screen: clear of the digits") << Placement {{Desk}, Desk, Kept, {}};
        QTest::newRow("full upright screen") << Placement {{{0, 0, 1080, 1920}}, {0, 0, 1080, 1920}, {{100, 300, 880, 400}, {40, 900, 450, 300}, {590, 900, 450, 300}}, {}};
        QTest::newRow("no room anywhere: covers the least") << Placement {{{0, 0, 400, 300}}, {0, 0, 400, 300}, {{0, 0, 400, 140}, {0, 160, 400, 140}}, {0, 0, 400, 300}};
    }
    void place()
    {
        QFETCH(Placement, row);
        const QRect help = PlaceHelp(Help, Least, row.board, row.keep, row.screens);
        if (!row.expected.isNull()) {
            QCOMPARE(help, row.expected);
            return;
        }
        QVERIFY(row.screens.first().contains(help));
        QVERIFY(help.width() >= Least.width() && help.height() >= Least.height());
        for (const QRect &part : row.keep)
            QVERIFY2(!help.intersects(part), qPrintable(QStringLiteral("help at %1,%2 %3x%4 covers a kept part")
                                                            .arg(help.x()).arg(help.y()).arg(help.width()).arg(help.height())));
    }
};
QTEST_MAIN(HelpPlacementTest)

#include "HelpPlacementTest.moc"
