// The stored skin: its pictures stream as a form resource carries it, and loading the skin data
// from it. First byte: 0 = the rest is the pictures stream, 1 = patches to a sound stream.

#include <cstddef>
#include <cstdint>

#include "fuzz/skin_data/FuzzSkin.h"
#include "skin/data/bsSkinDataLoaded.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::vector<uint8_t> stream = data[0] % 2 == 0
                                      ? std::vector<uint8_t>(data + 1, data + size)
                                      : skinfuzz::Patched(skinfuzz::BaselinePictures(), data + 1, size - 1);
    skin::TbsSkinStore stored;
    stored.SetIniStrings(skintest::SkinLines());
    platform::core::TMemoryStream in(std::move(stream));
    bool ok = stored.ReadPictures(in);
    skin::TbsLoadedSkin skinData;
    skinData.LoadStore(&stored);
    if (ok == skinData.SkinIsEmpty) __builtin_trap();  // a sound stream loads, a broken one never does
    if (ok) {
        platform::core::TMemoryStream out;
        stored.WritePictures(out);
    }
    return 0;
}
