#include "Wiring.h"
#include "RtfReader.h"
#include "frmSplash.h"
#include "SoundPlayer.h"
#include "modCount.h"
#include "frmHelp.h"
#include "HelpPlacement.h"
#include "RtfTextDocument.h"
#include "frmChooseKey.h"
#include "FixedKeys.h"
#include "SettingsRecord.h"
#include "support/QuietOffscreen.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QFile>
#include <QDir>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

// The fuzz target's entry point (fuzz/rtf_fuzz.cpp): its sink aborts the run on any breach of what the
// text document builder takes for granted.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

// The document as one line: blocks split by "|", each led by its alignment and left margin where they differ from the
// default ({c} centred, {li24} left margin in pixels) and its tab stops, then each fragment led by its character
// format in brackets.
static QString Dump(const QByteArray &rtf)
{
    QTextDocument document;
    if (!RtfTextDocument::Read(rtf, &document))
        return u"refused"_s;
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat b = block.blockFormat();
        QString out;
        if (b.alignment() != Qt::AlignLeft)
            out += b.alignment() == Qt::AlignHCenter ? u"{c}"_s : b.alignment() == Qt::AlignRight ? u"{r}"_s : u"{j}"_s;
        if (b.leftMargin() != 0)
            out += u"{li%1}"_s.arg(b.leftMargin());
        for (const QTextOption::Tab &tab : b.tabPositions())
            out += u"{tab%1}"_s.arg(tab.position);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QStringList flags = {f.font().bold() ? u"b"_s : QString(), f.fontItalic() ? u"i"_s : QString(),
                                 f.fontUnderline() ? u"u"_s : QString(),
                                 f.fontPointSize() != 12 ? u"%1pt"_s.arg(f.fontPointSize()) : QString(),
                                 f.fontFamilies().toStringList().join(u' '),
                                 f.foreground().style() != Qt::NoBrush ? f.foreground().color().name() : QString()};
            flags.removeAll(QString());
            out += u'[' + flags.join(u' ') + u']' + it.fragment().text();
        }
        blocks << out;
    }
    return blocks.join(u'|');
}

// A table row: the document, and what it shows (null: anything but a refusal).
struct Read { QByteArray rtf; QString shown; };
Q_DECLARE_METATYPE(Read)

namespace {

const QSize Help(737, 618);
const QSize Least(180, 114);
const QRect Desk(0, 0, 1920, 1080);
// A board filling the desk: its clock, scores and period digit where the design puts them at this size.
const QList<QRect> Kept {{375, 172, 1170, 308}, {73, 610, 659, 308}, {1191, 610, 659, 308}, {875, 792, 170, 150}};

// A placement table row; expected null: anywhere on the board's screen that leaves the kept parts in sight.
struct Placement { QList<QRect> screens; QRect board; QList<QRect> keep; QRect expected; };

} // namespace
Q_DECLARE_METATYPE(Placement)

static QList<frmHelp *> HelpWindows()
{
    QList<frmHelp *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *help = qobject_cast<frmHelp *>(widget); help && help->isVisible())
            windows << help;
    return windows;
}

// Help: the RTF reader, the help file, and the help window on the splash and the board.
class HelpTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QuietOffscreenPlatform(); }
    // Help asked for on the splash ("splash") and on the board ("h"), the help file beside the program or not
    // ("file", "nofile"), keys typed in the help window ("key:" then the keys, F11 written as \v, a key twice as
    // one held down), help windows closed ("close"), the help window resized ("size:" and its outer size, frame
    // included; then seen are its outer size and the browser's place in it). Help opened at the whistle leaves the game run from the
    // keyboard: the board's commands typed in help still act on the board (that the board keeps the keyboard is
    // the end-to-end test's business). Seen: running, horns, help windows open, full screen, help's first line.
    void help_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        const QString notice = u"Help file has been moved from its normal location.  Please reinstall the program."_s;
        QTest::newRow("s in help starts the clock") << u"file h key:s"_s << u"1 0 1 0 Quorvane Help"_s;
        QTest::newRow("b in help sounds, once when held") << u"file h key:bb"_s << u"0 1 1 0 Quorvane Help"_s;
        QTest::newRow("F11 in help") << u"file h key:\v"_s << u"0 0 1 1 Quorvane Help"_s;
        QTest::newRow("digits are help's own") << u"file h key:5"_s << u"0 0 1 0 Quorvane Help"_s;
        QTest::newRow("Esc closes help") << u"file h key:\x1b"_s << u"0 0 0 0 "_s;
        QTest::newRow("one window for splash and board") << u"nofile splash h"_s << u"0 0 1 0 "_s + notice;
        QTest::newRow("closed, the file back: read anew") << u"nofile h close file h"_s << u"0 0 1 0 Quorvane Help"_s;
        // 2700 x 1700 twips is 180 x 113.3 pixels; the browser keeps 8 pixels left and right, 28 below.
        QTest::newRow("too narrow only") << u"file h size:100x400"_s << u"0 0 1 0 Quorvane Help 180x400 8,0,164,372"_s;
        QTest::newRow("a pixel short of 1700 twips") << u"file h size:300x113"_s << u"0 0 1 0 Quorvane Help 300x114 8,0,284,86"_s;
    }
    void help()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        if (steps.startsWith(u"nofile")) // the one line the log gets: help opens once without its file
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^The help file .* cannot be read"_s));
        auto *splash = new frmSplash;
        WireSplash(splash);
        QPointer<frmScoreboard> board;
        connect(splash, &frmSplash::boardOpened, this, [&board](frmScoreboard *opened) { board = opened; });
        splash->show();
        std::optional<QSignalSpy> horns;
        QString size;
        for (const QString &step : steps.split(u' ')) {
            if (step == u"file" || step == u"nofile")
                QFile::remove(frmHelp::HelpFilePath());
            if (step == u"file")
                QVERIFY(QFile::copy(QStringLiteral(QUORVANE_HELP_SOURCE), frmHelp::HelpFilePath()));
            if (step == u"splash")
                QTest::mouseClick(splash->cmdHelp, Qt::LeftButton);
            if (step == u"h" && !board) {
                splash->GoScore();
                horns.emplace(board->mmcBuzzer, &SoundPlayer::started);
            }
            if (step == u"h")
                QTest::keyClick(board, Qt::Key_H);
            for (frmHelp *open : step == u"close" ? HelpWindows() : QList<frmHelp *>())
                open->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (step.startsWith(u"size:")) {
                frmHelp *help = HelpWindows().first();
                QVERIFY(QTest::qWaitForWindowExposed(help));
                help->resize(QSize(step.section(u':', 1).section(u'x', 0, 0).toInt(), step.section(u'x', 1).toInt())
                             - (help->frameGeometry().size() - help->size()));
                QCoreApplication::processEvents();
                const QRect browser = help->rtbHelp->geometry();
                size = u" %1x%2 %3,%4,%5,%6"_s.arg(help->frameGeometry().width()).arg(help->frameGeometry().height())
                    .arg(browser.x()).arg(browser.y()).arg(browser.width()).arg(browser.height());
            }
            const QString keys = step.startsWith(u"key:") ? step.mid(4) : QString();
            for (qsizetype i = 0; i < keys.size(); ++i) {
                const QChar key = keys.at(i);
                const int code = key == u'\v' ? int(Qt::Key_F11) : key == u'\x1b' ? int(Qt::Key_Escape) : key.toUpper().unicode();
                QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, key == u'\v' ? QString() : QString(key),
                                i > 0 && keys.at(i - 1) == key);
                QApplication::sendEvent(HelpWindows().first()->rtbHelp, &press);
            }
        }
        const QList<frmHelp *> open = HelpWindows();
        const QString seen = u"%1 %2 %3 %4 %5"_s.arg(int(IsCounting(0) != 0)).arg(horns->count()).arg(open.size())
            .arg(int(board->isFullScreen())).arg(open.isEmpty() ? QString() : open.first()->rtbHelp->toPlainText().section(u'\n', 0, 0)) + size;
        for (frmHelp *window : open)
            window->close();
        QFile::remove(frmHelp::HelpFilePath());
        delete board;
        QCOMPARE(seen, expected);
    }

    // The help file's key tables, read as the window reads them, say what the program does: the factory keys of
    // the four commands and the fixed keys, and exactly the keys the key capture dialog refuses. The tables are the
    // runs of tabbed lines after the heading "Keys on the board"; a key is named by its character, a range of them
    // ("0\u20139"), Space or Enter; F11 and Tab type none.
    void helpFileTellsTheKeys()
    {
        QTextDocument help;
        QVERIFY(RtfTextDocument::Load(QStringLiteral(QUORVANE_HELP_SOURCE), &help));
        QList<QList<int>> tables {{}};
        for (const QString &line : help.toPlainText().section(u"\nKeys on the board\n"_s, 1).split(u'\n')) {
            if (!line.contains(u'\t') && !tables.last().isEmpty())
                tables << QList<int>();
            for (const QString &key : line.contains(u'\t') ? line.section(u'\t', 0, 0).split(u' ') : QStringList()) {
                const bool characters = key.size() == 1 || (key.size() == 3 && key.at(1) == u'\u2013');
                for (char16_t c = key.front().unicode(); characters && c <= key.back().unicode(); ++c)
                    tables.last() << c;
                if (key == u"Space" || key == u"Enter")
                    tables.last() << (key == u"Space" ? 32 : 13);
            }
        }
        const SettingsRecord factory;
        QCOMPARE(tables.at(0), (QList<int> {factory.StartStopClockKey, factory.ResetClockKey, factory.ClockSwitchKey,
                                            factory.BuzzerKey, HelpKey, OptionsKey}));
        const QList<qint16> refused = frmChooseKey::RefusedKeys();
        std::sort(tables[1].begin(), tables[1].end());
        QCOMPARE(tables.at(1), QList<int>(refused.begin(), refused.end()));
    }

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

    void reads_data()
    {
        QTest::addColumn<Read>("row");
        const auto row = [](const char *tag, const QByteArray &rtf, const QString &shown) { QTest::newRow(tag) << Read {rtf, shown}; };
        row("breaks, tab, escapes", R"({\rtf1 a\par\par b\line c\tab d\\\{\}\par})", u"[]a||[]b\u2028c\td\\{}"_s);
        row("named characters", R"({\rtf1 \emdash\bullet\rquote\ldblquote\~})", u"[]\u2014\u2022\u2019\u201C\u00A0"_s);
        row("bold, italic, underline, size", R"({\rtf1 {\b a}\i b\i0 \ul c\ulnone\fs36 d})", u"[b]a[i]b[u]c[18pt]d"_s);
        row("font table, \\deff", R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Mono;}}a\f0 b})", u"[Mono]a[Arial]b"_s);
        row("colour table", R"({\rtf1{\colortbl;\red0\green0\blue128;}\cf1 n\cf0 a})", u"[#000080]n[]a"_s);
        row("paragraph formats", R"({\rtf1\qc\li720\tx1800 a\par\pard b})", u"{c}{li48}{tab72}[]a|[]b"_s);
        row("\\'hh in the code page", R"({\rtf1\ansi\ansicpg1251 \'c0\'e1})", u"[]\u0410\u0431"_s);
        row("\\u, \\uc skipping, surrogates", R"({\rtf1 \u-10179?\u-8704?\uc2 \u233\'e9?x})", u"[]\U0001F600\u00E9x"_s);
        row("skipped destinations", R"({\rtf1{\stylesheet{N;}}{\info t}{\pict\bin3 }}}}x{\*\any {y}z}})", u"[]x"_s);
        // hostile input
        row("truncated", R"({\rtf1 {\b bold)", u"[b]bold"_s);
        row("\\' at the end", R"({\rtf1 a\')", u"[]a"_s);
        row("\\u with a huge N", R"({\rtf1 \u99999999999?})", u"[]\uFFFD"_s);
        row("100,000 nested groups", QByteArray(100'000, '{') + R"(\b deep)" + QByteArray(100'000, '}') + "x",
            u"[b]deep|[]x"_s);
        row("over the size limit", QByteArray(RtfReader::MaxBytes + 1, 'a'), u"refused"_s);
        QByteArray garbage(100'000, Qt::Uninitialized);
        QRandomGenerator(2024).fillRange(reinterpret_cast<quint32 *>(garbage.data()), garbage.size() / 4);
        row("binary garbage", garbage, QString());
    }

    void reads()
    {
        QFETCH(Read, row);
        const QString dump = Dump(row.rtf);
        QCOMPARE(dump, row.shown.isNull() && dump != u"refused"_s ? dump : row.shown); // a null shown takes anything else
        // Control bytes other than a tab never reach the document.
        for (const QChar c : dump)
            QVERIFY2(c.unicode() >= 0x20 || c == u'\t', qPrintable(u"U+%1"_s.arg(c.unicode(), 4, 16)));
    }

    void helpFileAndCorpus()
    {
        // Every input the fuzzer keeps, and the help file, once through the fuzz target: any input that ever
        // broke the reader stays a test without clang.
        const QFileInfoList files = QDir(QStringLiteral(QUORVANE_FUZZ_CORPUS)).entryInfoList(QDir::Files)
            << QFileInfo(QStringLiteral(QUORVANE_HELP_SOURCE));
        QVERIFY(files.size() > 2); // an empty corpus would pass without testing anything
        QByteArray bytes;
        for (const QFileInfo &info : files) {
            QFile file(info.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        }
        // The help file, the last of them, as the window shows it.
        const QStringList blocks = Dump(bytes).split(u'|');
        QCOMPARE(blocks.first(), u"{c}[b 20pt Arial #164080]Quorvane Help"_s);
        QCOMPARE(blocks.filter(u"[b 14pt Arial #164080]"_s).size(), 12);
        // the key table: bold keys in the fixed font, the actions at one tab stop
        QVERIFY(blocks.contains(u"{li24}{tab120}[b 11pt Courier New]s[11pt Arial]\tStart or stop the game clock."_s));
        // no markup shown as text
        QVERIFY(!blocks.join(QString()).contains(u'\\'));
    }
};
QTEST_MAIN(HelpTest)

#include "HelpTest.moc"
