#include "RtfTextDocument.h"

#include "Twips.h"
#include "RtfReader.h"

#include <QFile>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>

namespace {

// Qt reaches the Windows code pages through ICU. Where it lacks the document's, Windows-1252 reads it
// best, and without that Latin-1, which differs from it only in 0x80-0x9F.
QStringDecoder DecoderFor(int codePage)
{
    if (codePage == 65001)
        return QStringDecoder(QStringDecoder::Utf8);
    const QByteArray number = QByteArray::number(codePage);
    for (const QByteArray &name : {"windows-" + number, "cp" + number, QByteArray("windows-1252")}) {
        QStringDecoder decoder(name.constData());
        if (decoder.isValid())
            return decoder;
    }
    return QStringDecoder(QStringDecoder::Latin1);
}

QTextCharFormat CharFormat(const RtfCharFormat &rtf)
{
    QTextCharFormat format;
    format.setFontWeight(rtf.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(rtf.italic);
    format.setFontUnderline(rtf.underline);
    format.setFontPointSize(rtf.halfPoints / 2.0);
    if (!rtf.font.empty())
        format.setFontFamilies({QString::fromLatin1(rtf.font).trimmed()});
    if (rtf.rgb)
        format.setForeground(QColor(QRgb(*rtf.rgb)));
    return format;
}

QTextBlockFormat BlockFormat(const RtfParagraphFormat &rtf)
{
    static constexpr Qt::Alignment Alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
    QTextBlockFormat format;
    format.setAlignment(Alignments[static_cast<int>(rtf.alignment)]);
    format.setLeftMargin(rtf.leftIndent / TwipsPerPixel);
    format.setTopMargin(rtf.spaceBefore / TwipsPerPixel);
    format.setBottomMargin(rtf.spaceAfter / TwipsPerPixel);
    // RTF measures tab stops from the page's margin, Qt from the block's own left edge.
    QList<QTextOption::Tab> tabs;
    for (const int stop : rtf.tabStops)
        if (stop > rtf.leftIndent)
            tabs.append(QTextOption::Tab((stop - rtf.leftIndent) / TwipsPerPixel, QTextOption::LeftTab));
    format.setTabPositions(tabs);
    return format;
}

} // namespace

bool RtfTextDocument::Read(QByteArrayView rtf, QTextDocument *document)
{
    if (static_cast<std::size_t>(rtf.size()) > RtfReader::MaxBytes)
        return false;
    document->clear();
    RtfTextDocument builder(document);
    RtfReader::Read(std::string_view(rtf.data(), static_cast<std::size_t>(rtf.size())), builder);
    builder.Flush();
    return true;
}

bool RtfTextDocument::Load(const QString &path, QTextDocument *document)
{
    QFile file(path);
    // The size is asked first, so a huge file is never read into memory.
    if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(RtfReader::MaxBytes))
        return false;
    const QByteArray rtf = file.read(RtfReader::MaxBytes + 1);
    return file.error() == QFileDevice::NoError && Read(rtf, document);
}

RtfTextDocument::RtfTextDocument(QTextDocument *document)
    : m_cursor(document)
{
}

void RtfTextDocument::Text(std::string_view bytes, int codePage, const RtfCharFormat &format)
{
    if (codePage != m_codePage) {
        m_codePage = codePage;
        m_decoder = DecoderFor(codePage);
    }
    Append(m_decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))), format);
}

void RtfTextDocument::Unit(char16_t unit, const RtfCharFormat &format)
{
    Append(QString(QChar(unit)), format);
}

void RtfTextDocument::EndParagraph(const RtfParagraphFormat &format)
{
    StartBlock();
    Flush();
    m_cursor.setBlockFormat(BlockFormat(format));
    m_blockEnded = true;
}

void RtfTextDocument::Append(const QString &text, const RtfCharFormat &format)
{
    StartBlock();
    if (format != m_pendingFormat)
        Flush();
    m_pendingFormat = format;
    m_pending += text;
}

void RtfTextDocument::StartBlock()
{
    if (!m_blockEnded)
        return;
    m_cursor.insertBlock();
    m_blockEnded = false;
}

void RtfTextDocument::Flush()
{
    if (m_pending.isEmpty())
        return;
    m_cursor.insertText(m_pending, CharFormat(m_pendingFormat));
    m_pending.clear();
}
