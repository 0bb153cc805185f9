// The compressed stored skin. First byte: 0 = the rest is the zlib stream, 1 = the rest is the
// decompressed content (compressed here), 2 = patches to a sound content.

#include <cstddef>
#include <cstdint>

#include "fuzz/skin_data/FuzzSkin.h"
#include "skin/data/bsSkinDataLoaded.h"
#include "skin/data/bszlibcompress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::vector<uint8_t> zdata;
    switch (data[0] % 3) {
        case 0:
            zdata.assign(data + 1, data + size);
            break;
        case 1:
            zdata = skin::ZCompress(data + 1, size - 1);
            break;
        default: {
            auto content = skinfuzz::Patched(skinfuzz::BaselineContent(), data + 1, size - 1);
            zdata = skin::ZCompress(content.data(), content.size());
        }
    }
    skin::TbsCompressedSkinStore compressed;
    compressed.SetCompressedData(std::move(zdata));
    skin::TbsLoadedSkin skinData;
    skinData.LoadCompressedStore(compressed);
    for (const auto& r : skinData.ControlRecords)
        if (skinData.IndexOfControl(r->SectionName) < 0) __builtin_trap();
    return 0;
}
