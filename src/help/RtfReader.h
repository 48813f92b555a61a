#pragma once

#include "RtfSink.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads an RTF document and hands its text and formatting to a sink, which builds what is shown.
// Qt reads no RTF, and Debian 12 packages no maintained RTF library for C++, so the help window brings
// this small reader of its own. It is plain C++ over a byte buffer, so the fuzzer builds it alone.
// It reads what a help file needs (groups, paragraphs, line breaks, tabs and tab stops, bold, italic,
// underline, font sizes, the font and colour tables, alignment, left indent, paragraph spacing, \'hh,
// \uN with \ucN) and passes over the rest. Any byte sequence is a document: nothing recurses, nesting
// deeper than MaxDepth shares the deepest group's state, and every loop moves forward through the input.
class RtfReader
{
public:
    // A help file is a few dozen kilobytes; anything this large is refused whole.
    static constexpr std::size_t MaxBytes = 4 * 1024 * 1024;
    static constexpr std::size_t MaxDepth = 200;

    // Hands the document to the sink; false, with nothing handed on, for a document over MaxBytes.
    static bool Read(std::string_view rtf, RtfSink &sink);

private:
    RtfReader(std::string_view rtf, RtfSink &sink);
    void ReadAll();

    enum class Destination { Text, FontTable, ColorTable, Skip };

    struct Group
    {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        int halfPoints = 24;
        int font = -1;  // -1: the document's default font
        int color = 0;  // index into the colour table; 0 is the automatic colour
        RtfParagraphFormat paragraph;
        Destination destination = Destination::Text;
        int unicodeSkip = 1;
    };

    void OpenGroup();
    void CloseGroup();
    void ReadControl();
    void ControlWord(std::string_view word, std::optional<int> param);
    void Character(unsigned char byte);
    void Unicode(int value);
    void Emit(char16_t unit);
    void EndParagraph();
    void Flush();
    RtfCharFormat CharFormat() const;
    Group &Top() { return m_groups.back(); }

    RtfSink &m_sink;
    std::string_view m_input;
    std::size_t m_pos = 0;
    std::vector<Group> m_groups;
    int m_overflow = 0;       // braces opened beyond MaxDepth, still to close
    std::string m_text;       // text not yet handed on, all in the current group's state
    bool m_paragraphOpen = false;
    int m_fallbackToSkip = 0; // characters after \uN that stand in for it in older readers
    int m_codePage = 1252;
    int m_defaultFont = -1;
    std::map<int, std::string> m_fonts;
    int m_fontEntry = -1;
    std::string m_fontName;
    std::vector<std::optional<std::uint32_t>> m_colors;
    std::uint32_t m_colorEntry = 0;
    bool m_colorEntrySet = false;
};
