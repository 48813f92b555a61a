#include "PointerHider.h"

#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace Qt::StringLiterals;

// The pointer over a full-screen window: hidden once it rests, back at once on motion or in a window.
class PointerHiderTest : public QObject
{
    Q_OBJECT

private slots:
    void pointer_data()
    {
        // steps: "full" and "normal" set the window's state, "move" moves the pointer over it, "other" over
        // another window, "rest" lets the idle time pass; hidden: whether the pointer is hidden after each step
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("hidden");
        QTest::newRow("in a window it always shows") << u"move rest"_s << u"no no"_s;
        QTest::newRow("full screen, untouched") << u"full rest rest"_s << u"no yes yes"_s;
        QTest::newRow("motion shows it at once, rest hides it again")
            << u"full rest move move rest"_s << u"no yes no no yes"_s;
        QTest::newRow("back to a window shows it for good") << u"full rest normal rest"_s << u"no yes no no"_s;
        QTest::newRow("resting over another window") << u"full move other rest"_s << u"no no no no"_s;
        QTest::newRow("back over the board") << u"full other rest move rest"_s << u"no no no no yes"_s;
    }
    void pointer()
    {
        QFETCH(QString, steps);
        QFETCH(QString, hidden);
        QWidget board, help;
        auto *hider = new PointerHider(&board, std::chrono::hours(1));
        for (QWidget *w : {&board, &help}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
        }
        QStringList seen;
        for (const QString &step : steps.split(u' ')) {
            if (step == u"full")
                board.showFullScreen();
            else if (step == u"normal")
                board.showNormal();
            else if (step == u"move" || step == u"other")
                QTest::mouseMove((step == u"move" ? &board : &help)->windowHandle(), QPoint(10 + seen.size(), 20));
            // The idle time passes at once: the pending wait, if the hider started one, ends now.
            else if (auto *idle = hider->findChild<QTimer *>(); idle->isActive()) {
                idle->stop();
                QMetaObject::invokeMethod(idle, "timeout");
            }
            const QCursor *cursor = QGuiApplication::overrideCursor();
            seen << ((cursor && cursor->shape() == Qt::BlankCursor) ? u"yes"_s : u"no"_s);
        }
        QCOMPARE(seen.join(u' '), hidden);
        // WHEN the window goes THEN no pointer stays hidden over the rest of the program
        delete hider;
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(PointerHiderTest)
#include "PointerHiderTest.moc"
