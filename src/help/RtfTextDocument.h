#pragma once

#include "RtfSink.h"

#include <QString>
#include <QStringDecoder>
#include <QTextCursor>

class QByteArrayView;
class QTextDocument;

// Fills a QTextDocument from an RTF document: RtfReader parses, this turns its runs and paragraphs
// into Qt's character and block formats and decodes the text from the document's code page.
class RtfTextDocument : public RtfSink
{
public:
    // Replaces the document's content with the RTF document's. False for a document too large to
    // read, with the document left as it was. Any other bytes make a document.
    static bool Read(QByteArrayView rtf, QTextDocument *document);
    // The same from a file: false for a file that is missing, cannot be read or is too large.
    static bool Load(const QString &path, QTextDocument *document);

private:
    explicit RtfTextDocument(QTextDocument *document);

    void Text(std::string_view bytes, int codePage, const RtfCharFormat &format) override;
    void Unit(char16_t unit, const RtfCharFormat &format) override;
    void EndParagraph(const RtfParagraphFormat &format) override;

    void Append(const QString &text, const RtfCharFormat &format);
    void StartBlock();
    void Flush();

    QTextCursor m_cursor;
    // The block the cursor is in was ended by the last paragraph; the next text starts a new one. Left
    // until text comes, so a document ending in \par has no empty block after it.
    bool m_blockEnded = false;
    // Text of one format is gathered and inserted at once, which also keeps surrogate pairs together.
    QString m_pending;
    RtfCharFormat m_pendingFormat;
    int m_codePage = 0;
    QStringDecoder m_decoder;
};
