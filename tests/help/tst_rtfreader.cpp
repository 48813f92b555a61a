#include "help/RtfReader.h"
#include "help/RtfTextDocument.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

namespace {

// The document as one line: blocks split by "|", each led by its block format where it differs from
// the default ({c} centred, {li24} left margin in pixels, ...), then each fragment led by its character
// format in brackets.
QString Dump(const QByteArray &rtf)
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
        for (const auto &[name, pixels] : {std::pair(u"li", b.leftMargin()), std::pair(u"sb", b.topMargin()),
                                           std::pair(u"sa", b.bottomMargin())})
            if (pixels != 0)
                out += u"{%1%2}"_s.arg(name).arg(pixels);
        for (const QTextOption::Tab &tab : b.tabPositions())
            out += u"{tab%1}"_s.arg(tab.position);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QStringList flags;
            for (const auto &[flag, set] : {std::pair(u"b", f.fontWeight() == QFont::Bold),
                                            std::pair(u"i", f.fontItalic()), std::pair(u"u", f.fontUnderline())})
                if (set)
                    flags << QString::fromUtf16(flag);
            if (f.fontPointSize() != 12)
                flags << u"%1pt"_s.arg(f.fontPointSize());
            flags << f.fontFamilies().toStringList();
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                flags << f.foreground().color().name();
            out += u'[' + flags.join(u' ') + u']' + it.fragment().text();
        }
        blocks << out;
    }
    return blocks.join(u'|');
}

} // namespace

class tst_RtfReader : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void helpFile();
};

void tst_RtfReader::reads_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *tag, const char *rtf, const QString &shown) {
        QTest::newRow(tag) << QByteArray(rtf) << shown;
    };

    // text and paragraphs
    row("plain text, line ends ignored", R"({\rtf1 Hello
 world})", u"[]Hello world"_s);
    row("paragraphs, no empty block after the last", R"({\rtf1 a\par\par b\par})", u"[]a||[]b"_s);
    row("line break stays in the paragraph", R"({\rtf1 a\line b})", u"[]a\u2028b"_s);
    row("tab word and tab byte", "{\\rtf1 a\\tab b\tc}", u"[]a\tb\tc"_s);
    row("escaped symbols", R"({\rtf1 \\\{\}})", u"[]\\{}"_s);
    row("named characters", R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~\_})",
        u"[]\u2014\u2013\u2022\u2018\u2019\u201C\u201D\u00A0\u2011"_s);
    // character state
    row("group restores bold", R"({\rtf1 {\b x}y})", u"[b]x[]y"_s);
    row("b0, i and ul on and off", R"({\rtf1 \b a\b0 \i b\i0 \ul c\ulnone d})", u"[b]a[i]b[u]c[]d"_s);
    row("font size in half points", R"({\rtf1 \fs36 big})", u"[18pt]big"_s);
    row("plain resets character state", R"({\rtf1 \b\i\fs40 a\plain b})", u"[b i 20pt]a[]b"_s);
    row("font table, default font", R"({\rtf1\deff1{\fonttbl{\f0\fswiss Arial;}{\f1 Courier New;}}a\f0 b})",
        u"[Courier New]a[Arial]b"_s);
    row("colour table, auto colour", R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue128;}\cf1 r\cf2 n\cf0 a})",
        u"[#ff0000]r[#000080]n[]a"_s);
    // paragraph state
    row("alignment until pard", R"({\rtf1\qc a\par\qr b\par\qj c\par\pard d})", u"{c}[]a|{r}[]b|{j}[]c|[]d"_s);
    row("indent, spacing, tab stops", R"({\rtf1\li720\sb300\sa150\tx1800 a})", u"{li48}{sb20}{sa10}{tab72}[]a"_s);
    row("paragraph takes the state at its end", R"({\rtf1 a\qc\par b})", u"{c}[]a|{c}[]b"_s);
    // code pages and Unicode
    row("\\'hh in Windows-1252 by default", R"({\rtf1 \'93\'80\'e9\'94})", u"[]\u201C\u20AC\u00E9\u201D"_s);
    row("\\'hh in another code page", R"({\rtf1\ansi\ansicpg1251 \'c0\'e1})", u"[]\u0410\u0431"_s);
    row("\\'hh in UTF-8", R"({\rtf1\ansicpg65001 \'c3\'a9})", u"[]\u00E9"_s);
    row("unknown code page reads as 1252", R"({\rtf1\ansicpg99999 \'80})", u"[]\u20AC"_s);
    row("\\u skips one fallback character", R"({\rtf1 \u8364?x})", u"[]\u20ACx"_s);
    row("\\uc2 skips two, \\'hh counts one", R"({\rtf1\uc2 \u233\'e9?x})", u"[]\u00E9x"_s);
    row("\\uc0 skips none", R"({\rtf1\uc0 \u233 x})", u"[]\u00E9x"_s);
    row("negative \\u and surrogate pair", R"({\rtf1 \u-4064?\u-10179?\u-8704?})", u"[]\uF020\U0001F600"_s);
    // destinations that show nothing
    row("skipped destinations",
        R"({\rtf1{\*\generator g}{\stylesheet{\s0 Normal;}}{\info{\title t}}{\pict\bin3 }}}}x{\*\unknown {y}z}})", u"[]x"_s);
    // hostile input
    QTest::newRow("truncated") << QByteArray(R"({\rtf1 {\b bold)") << u"[b]bold"_s;
    QTest::newRow("\\' at the end") << QByteArray(R"({\rtf1 a\')") << u"[]a"_s;
    QTest::newRow("\\' with one digit") << QByteArray(R"({\rtf1 a\'4)") << u"[]a"_s;
    QTest::newRow("\\u with a huge N") << QByteArray(R"({\rtf1 \u99999999999?})") << u"[]\uFFFD"_s;
    QTest::newRow("\\bin beyond the end") << QByteArray(R"({\rtf1 a\bin999999 }})") << u"[]a"_s;
    QTest::newRow("unbalanced braces") << QByteArray(R"(}}a{\rtf1 {\b b}}}c)") << u"[]a[b]b|[]c"_s;
    QTest::newRow("100,000 nested groups")
        << QByteArray(100'000, '{') + R"(\b deep)" + QByteArray(100'000, '}') + "x" << u"[b]deep|[]x"_s;
    QTest::newRow("over the size limit") << QByteArray(RtfReader::MaxBytes + 1, 'a') << u"refused"_s;
    // Any bytes make a document; control bytes other than a tab never reach it.
    QByteArray garbage(100'000, Qt::Uninitialized);
    QRandomGenerator random(2024);
    for (char &byte : garbage)
        byte = static_cast<char>(random.bounded(256));
    QTest::newRow("binary garbage") << garbage << QString();
}

void tst_RtfReader::reads()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, shown);

    const QString dump = Dump(rtf);
    if (!shown.isNull())
        QCOMPARE(dump, shown);
    QVERIFY(!shown.isNull() || dump != u"refused"_s);
    for (const QChar c : dump)
        QVERIFY2(c.unicode() >= 0x20 || c == u'\t', qPrintable(u"U+%1"_s.arg(c.unicode(), 4, 16)));
}

void tst_RtfReader::helpFile()
{
    QFile file(QStringLiteral(QUORVANE_HELP_SOURCE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList blocks = Dump(file.readAll()).split(u'|');

    QCOMPARE(blocks.first(), u"{c}{sb8}{sa4}[b 20pt Arial #164080]Quorvane Help"_s);
    QCOMPARE(blocks.filter(u"}[b 14pt Arial #164080]"_s).size(), 12);
    QVERIFY(blocks.contains(u"{sb16}{sa6}[b 14pt Arial #164080]Getting started"_s));
    // the key table: bold keys in the fixed font, the actions at one tab stop
    QVERIFY(blocks.contains(u"{li24}{sa4}{tab120}[b 11pt Courier New]s[11pt Arial]\tStart or stop the game clock."_s));
    QVERIFY(blocks.contains(u"{li24}{sa4}{tab120}[b 11pt Courier New]F11[11pt Arial]\tFull screen on and off."_s));
    // no markup shown as text
    QVERIFY(!blocks.join(QString()).contains(u'\\'));
}

QUORVANE_TEST(tst_RtfReader)
#include "tst_rtfreader.moc"
