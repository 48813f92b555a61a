#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class RtfAlignment { Left, Center, Right, Justify };

// The character state of an RTF group, with the font and colour tables already looked up.
struct RtfCharFormat
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    std::string font;                  // family name as the font table gives it; empty for the viewer's own
    std::optional<std::uint32_t> rgb;  // 0xRRGGBB; none for the automatic colour

    bool operator==(const RtfCharFormat &) const = default;
};

// The paragraph state; lengths in twips.
struct RtfParagraphFormat
{
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<int> tabStops;
};

// What the RTF reader hands on: text as it comes, and the end of each paragraph with the paragraph
// state in force at its end (an RTF paragraph takes the properties current at its \par).
class RtfSink
{
public:
    virtual ~RtfSink() = default;

    // Bytes of text in the given Windows code page (1252, 1251, 65001, ...).
    virtual void Text(std::string_view bytes, int codePage, const RtfCharFormat &format) = 0;
    // One UTF-16 code unit; a character beyond the BMP arrives as its two surrogates in turn.
    virtual void Unit(char16_t unit, const RtfCharFormat &format) = 0;
    virtual void EndParagraph(const RtfParagraphFormat &format) = 0;
};
