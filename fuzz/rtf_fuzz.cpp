// The RTF reader under libFuzzer (fuzz.sh), and in the reader's tests, which replay the corpus through it.
#include "RtfReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Holds the reader to what the text document builder takes for granted: a breach stops the fuzzer
// as a crash would.
class CheckingSink : public RtfSink
{
public:
    void Text(std::string_view bytes, int, const RtfCharFormat &format) override
    {
        Require(!bytes.empty());
        for (const char byte : bytes)
            Require(static_cast<unsigned char>(byte) >= 0x20 || byte == '\t');
        Require(format);
    }

    void Unit(char16_t, const RtfCharFormat &format) override { Require(format); }

    void EndParagraph(const RtfParagraphFormat &format) override
    {
        Require(format.leftIndent >= 0 && format.spaceBefore >= 0 && format.spaceAfter >= 0);
        Require(format.tabStops.size() <= 64);
    }

private:
    static void Require(bool holds)
    {
        if (!holds)
            std::abort();
    }

    static void Require(const RtfCharFormat &format)
    {
        Require(format.halfPoints >= 2 && format.halfPoints <= 2000);
        Require(!format.rgb || *format.rgb <= 0xFFFFFF);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    CheckingSink sink;
    RtfReader::Read(std::string_view(reinterpret_cast<const char *>(data), size), sink);
    return 0;
}
