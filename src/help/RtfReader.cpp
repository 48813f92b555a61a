#include "RtfReader.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Longer control words and numbers are cut short (and still read to their end): no real word is longer,
// and a number stays far inside int however many digits follow.
constexpr std::size_t MaxWordLength = 32;
constexpr int MaxParameter = 1'000'000'000;
// Tab stops beyond these are ignored; lengths are kept within a few metres of paper.
constexpr std::size_t MaxTabStops = 64;
constexpr int MaxTwips = 100'000;

// Destinations whose text is never shown.
constexpr std::array SkippedDestinations = {
    std::string_view("stylesheet"), std::string_view("info"),     std::string_view("pict"),
    std::string_view("header"),     std::string_view("headerl"),  std::string_view("headerr"),
    std::string_view("headerf"),    std::string_view("footer"),   std::string_view("footerl"),
    std::string_view("footerr"),    std::string_view("footerf"),  std::string_view("footnote"),
    std::string_view("object"),     std::string_view("fldinst"),  std::string_view("themedata"),
};

// Typographic characters that RTF writers spell as words.
constexpr std::array<std::pair<std::string_view, char16_t>, 7> NamedCharacters = {{
    {"emdash", u'\u2014'},
    {"endash", u'\u2013'},
    {"bullet", u'\u2022'},
    {"lquote", u'\u2018'},
    {"rquote", u'\u2019'},
    {"ldblquote", u'\u201C'},
    {"rdblquote", u'\u201D'},
}};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int Twips(std::optional<int> param)
{
    return std::clamp(param.value_or(0), 0, MaxTwips);
}

} // namespace

bool RtfReader::Read(std::string_view rtf, RtfSink &sink)
{
    if (rtf.size() > MaxBytes)
        return false;
    RtfReader(rtf, sink).ReadAll();
    return true;
}

RtfReader::RtfReader(std::string_view rtf, RtfSink &sink)
    : m_sink(sink)
    , m_input(rtf)
    , m_groups(1)
{
}

void RtfReader::ReadAll()
{
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos++];
        if (c == '{')
            OpenGroup();
        else if (c == '}')
            CloseGroup();
        else if (c == '\\')
            ReadControl();
        else
            Character(static_cast<unsigned char>(c));
    }
    Flush();
    if (m_paragraphOpen)
        EndParagraph();
}

void RtfReader::OpenGroup()
{
    Flush();
    m_fallbackToSkip = 0;
    if (m_groups.size() < MaxDepth)
        m_groups.push_back(Top());
    else
        ++m_overflow;
}

void RtfReader::CloseGroup()
{
    Flush();
    m_fallbackToSkip = 0;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    // The document's own group is closing: a last paragraph without \par keeps the state it was written in.
    if (m_groups.size() == 2 && m_paragraphOpen)
        EndParagraph();
    if (m_groups.size() > 1)
        m_groups.pop_back();
}

void RtfReader::ReadControl()
{
    if (m_pos >= m_input.size())
        return;
    const char first = m_input[m_pos];
    if (!IsLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            // Both digits, or the escape is dropped with whatever part of it is there.
            const int high = m_pos < m_input.size() ? HexValue(m_input[m_pos]) : -1;
            const int low = high >= 0 && m_pos + 1 < m_input.size() ? HexValue(m_input[m_pos + 1]) : -1;
            m_pos += (high >= 0) + (low >= 0);
            if (low >= 0)
                Character(static_cast<unsigned char>(high * 16 + low));
        } else if (m_fallbackToSkip > 0) {
            --m_fallbackToSkip;
        } else if (first == '\\' || first == '{' || first == '}') {
            Character(static_cast<unsigned char>(first));
        } else if (first == '\r' || first == '\n') {
            ControlWord("par", std::nullopt);
        } else if (first == '~') {
            Emit(u'\u00A0');
        } else if (first == '_') {
            Emit(u'\u2011');
        } else if (first == '*') {
            Flush();
            Top().destination = Destination::Skip;
        }
        return;
    }

    const std::size_t start = m_pos;
    while (m_pos < m_input.size() && IsLetter(m_input[m_pos]))
        ++m_pos;
    const std::string_view word = m_input.substr(start, std::min(m_pos - start, MaxWordLength));

    std::optional<int> param;
    const bool negative = m_pos < m_input.size() && m_input[m_pos] == '-';
    if (negative)
        ++m_pos;
    if (m_pos < m_input.size() && IsDigit(m_input[m_pos])) {
        long long value = 0;
        for (; m_pos < m_input.size() && IsDigit(m_input[m_pos]); ++m_pos)
            value = std::min<long long>(value * 10 + (m_input[m_pos] - '0'), MaxParameter);
        param = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < m_input.size() && m_input[m_pos] == ' ')
        ++m_pos;

    if (word == "bin") {
        // Raw bytes, whatever they look like; counted, never parsed.
        m_pos += std::min<std::size_t>(std::max(param.value_or(0), 0), m_input.size() - m_pos);
    } else if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
    } else {
        ControlWord(word, param);
    }
}

void RtfReader::ControlWord(std::string_view word, std::optional<int> param)
{
    Flush();
    Group &group = Top();
    if (group.destination == Destination::Skip)
        return;
    const bool on = param.value_or(1) != 0;

    if (word == "fonttbl") {
        group.destination = Destination::FontTable;
    } else if (word == "colortbl") {
        group.destination = Destination::ColorTable;
    } else if (std::find(SkippedDestinations.begin(), SkippedDestinations.end(), word) != SkippedDestinations.end()) {
        group.destination = Destination::Skip;
    } else if (word == "ansicpg") {
        m_codePage = param.value_or(1252);
    } else if (word == "deff") {
        m_defaultFont = param.value_or(0);
    } else if (word == "uc") {
        group.unicodeSkip = std::clamp(param.value_or(1), 0, 10);
    } else if (word == "u") {
        Unicode(param.value_or(0xFFFD));
        m_fallbackToSkip = group.unicodeSkip;
    } else if (word == "f") {
        if (group.destination == Destination::FontTable) {
            m_fontEntry = param.value_or(0);
            m_fontName.clear();
        } else {
            group.font = param.value_or(-1);
        }
    } else if (word == "red" || word == "green" || word == "blue") {
        const int shift = word == "red" ? 16 : word == "green" ? 8 : 0;
        const auto component = static_cast<std::uint32_t>(std::clamp(param.value_or(0), 0, 255));
        m_colorEntry = (m_colorEntry & ~(0xFFu << shift)) | component << shift;
        m_colorEntrySet = true;
    } else if (group.destination != Destination::Text) {
        return;
    } else if (word == "par" || word == "page") {
        EndParagraph();
    } else if (word == "line") {
        Emit(u'\u2028');
    } else if (word == "tab") {
        Character('\t');
    } else if (word == "b") {
        group.bold = on;
    } else if (word == "i") {
        group.italic = on;
    } else if (word == "ul") {
        group.underline = on;
    } else if (word == "ulnone") {
        group.underline = false;
    } else if (word == "fs") {
        group.halfPoints = std::clamp(param.value_or(24), 2, 2000);
    } else if (word == "cf") {
        group.color = param.value_or(0);
    } else if (word == "plain") {
        group.bold = group.italic = group.underline = false;
        group.halfPoints = 24;
        group.font = -1;
        group.color = 0;
    } else if (word == "pard") {
        group.paragraph = RtfParagraphFormat();
    } else if (word == "ql") {
        group.paragraph.alignment = RtfAlignment::Left;
    } else if (word == "qc") {
        group.paragraph.alignment = RtfAlignment::Center;
    } else if (word == "qr") {
        group.paragraph.alignment = RtfAlignment::Right;
    } else if (word == "qj") {
        group.paragraph.alignment = RtfAlignment::Justify;
    } else if (word == "li") {
        group.paragraph.leftIndent = Twips(param);
    } else if (word == "sb") {
        group.paragraph.spaceBefore = Twips(param);
    } else if (word == "sa") {
        group.paragraph.spaceAfter = Twips(param);
    } else if (word == "tx") {
        if (group.paragraph.tabStops.size() < MaxTabStops)
            group.paragraph.tabStops.push_back(Twips(param));
    } else {
        const auto named = std::find_if(NamedCharacters.begin(), NamedCharacters.end(),
                                        [word](const auto &entry) { return entry.first == word; });
        if (named != NamedCharacters.end())
            Emit(named->second);
    }
}

void RtfReader::Character(unsigned char byte)
{
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    // Line ends and other control bytes are layout of the file, not text; a literal tab is a tab.
    if (byte < 0x20 && byte != '\t')
        return;
    switch (Top().destination) {
    case Destination::Text:
        m_text.push_back(static_cast<char>(byte));
        break;
    case Destination::FontTable:
        if (byte != ';') {
            m_fontName.push_back(static_cast<char>(byte));
        } else if (m_fontEntry >= 0) {
            m_fonts[m_fontEntry] = m_fontName;
            m_fontName.clear();
        }
        break;
    case Destination::ColorTable:
        if (byte == ';') {
            m_colors.push_back(m_colorEntrySet ? std::optional(m_colorEntry) : std::nullopt);
            m_colorEntry = 0;
            m_colorEntrySet = false;
        }
        break;
    case Destination::Skip:
        break;
    }
}

void RtfReader::Unicode(int value)
{
    // \u is a signed 16-bit number: negative values stand for the upper half of the code units.
    if (value >= -0x8000 && value < 0)
        value += 0x10000;
    Emit(value >= 0 && value <= 0xFFFF ? static_cast<char16_t>(value) : u'\uFFFD');
}

void RtfReader::Emit(char16_t unit)
{
    Flush();
    if (Top().destination != Destination::Text)
        return;
    m_sink.Unit(unit, CharFormat());
    m_paragraphOpen = true;
}

void RtfReader::EndParagraph()
{
    Flush();
    m_sink.EndParagraph(Top().paragraph);
    m_paragraphOpen = false;
}

void RtfReader::Flush()
{
    if (m_text.empty())
        return;
    m_sink.Text(m_text, m_codePage, CharFormat());
    m_text.clear();
    m_paragraphOpen = true;
}

RtfCharFormat RtfReader::CharFormat() const
{
    const Group &group = m_groups.back();
    RtfCharFormat format;
    format.bold = group.bold;
    format.italic = group.italic;
    format.underline = group.underline;
    format.halfPoints = group.halfPoints;
    const auto font = m_fonts.find(group.font >= 0 ? group.font : m_defaultFont);
    if (font != m_fonts.end())
        format.font = font->second;
    if (group.color >= 0 && static_cast<std::size_t>(group.color) < m_colors.size())
        format.rgb = m_colors[static_cast<std::size_t>(group.color)];
    return format;
}
