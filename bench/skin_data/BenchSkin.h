#pragma once
// A skin of program size for the skin-load figures: about 60 records, 11 pictures, 700 KB, with
// its pictures stream, its compressed form and the content that form inflates to.

#include <cstdint>
#include <vector>

#include "skin/data/bsSkinData.h"

namespace skin_bench {

struct TFixture {
    skin::TbsSkinSource Skin;
    std::vector<uint8_t> PicturesStream;
    std::vector<uint8_t> Compressed;
    std::vector<uint8_t> Content;
    TFixture();
};

const TFixture& Fixture();

}  // namespace skin_bench
