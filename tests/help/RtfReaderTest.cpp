#include "RtfReader.h"
#include "RtfTextDocument.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
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

class RtfReaderTest : public QObject
{
    Q_OBJECT

private slots:
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
QTEST_MAIN(RtfReaderTest)

#include "RtfReaderTest.moc"
