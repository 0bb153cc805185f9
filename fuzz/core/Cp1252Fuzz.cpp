// Fuzzes the Windows-1252 decoder and encoder and the UTF-8 helpers around them.
// Properties: any bytes decode to valid UTF-8 with one code point per byte and encode back to
// the same bytes; encoding any text gives one byte per code point; valid UTF-8 survives code
// point conversion; case-insensitive comparison agrees with case mapping and is antisymmetric.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/core/Strings.h"

using namespace platform::core;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = Cp1252ToUtf8(bytes);
    Check(IsValidUtf8(utf8));
    Check(Utf8ToCp1252(utf8) == bytes);
    Check(Utf8ToCodePoints(utf8).size() == bytes.size());

    // The same bytes read as UTF-8.
    const std::u32string cps = Utf8ToCodePoints(bytes);
    Check(Utf8ToCp1252(bytes).size() == cps.size());
    Check(IsValidUtf8(CodePointsToUtf8(cps)));
    TTextEncoding detected = TTextEncoding::Utf8;
    const std::string decoded = DecodeExternalText(bytes, &detected);
    Check(IsValidUtf8(decoded));
    if (IsValidUtf8(bytes)) {
        Check(detected == TTextEncoding::Utf8);
        Check(decoded == bytes);
        Check(CodePointsToUtf8(cps) == bytes);
        // What the code page holds survives a trip through it.
        const std::string through = Cp1252ToUtf8(Utf8ToCp1252(bytes));
        Check(Utf8ToCodePoints(through).size() == cps.size());
    } else {
        Check(detected == TTextEncoding::Windows1252);
        Check(EncodeExternalText(decoded, detected) == bytes);
    }

    std::size_t total = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = Utf8CharLength(bytes, i);
        Check(len >= 1 && len <= 4 && i + len <= bytes.size());
        i += len;
        ++total;
    }
    Check(total == cps.size());
    std::string popped(bytes);
    std::size_t pops = 0;
    while (!popped.empty()) {
        const std::size_t before = popped.size();
        Utf8PopBack(popped);
        Check(popped.size() < before && before - popped.size() <= 4);
        ++pops;
    }
    Check(pops == cps.size());

    Check(CompareText(bytes, UpperCase(bytes)) == 0);
    Check(CompareText(bytes, LowerCase(bytes)) == 0);
    const std::string_view a = bytes.substr(0, bytes.size() / 2);
    const std::string_view b = bytes.substr(bytes.size() / 2);
    Check(Sign(CompareText(a, b)) == -Sign(CompareText(b, a)));
    Check(Sign(CompareLocaleText(a, b)) == -Sign(CompareLocaleText(b, a)));
    Check(CompareLocaleText(a, a) == 0);

    if (const auto v = TryStrToInt(bytes)) Check(TryStrToInt(IntToStr(*v)) == *v);
    (void)Trim(bytes);
    (void)SplitString(bytes, ',');
    return 0;
}
