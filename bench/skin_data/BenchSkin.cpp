#include "bench/skin_data/BenchSkin.h"

#include <algorithm>
#include <cstdlib>
#include <random>

#include "platform/core/IniFile.h"
#include "platform/core/Stream.h"
#include "skin/data/bszlibcompress.h"

namespace skin_bench {

using namespace skin;
using platform::gfx::TBitmap;

namespace {

using namespace skin;
using platform::gfx::TBitmap;

// Frame-like pictures: gradients with bevels and some texture, so they compress as skin
// pictures do rather than as noise or as flat colour.
TBitmap SkinPicture(int w, int h, uint32_t seed) {
    TBitmap b(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int edge = std::min({x, y, w - 1 - x, h - 1 - y});
            int base = edge < 3 ? 90 + edge * 50 : 160 + (x * 40) / w - (y * 30) / h;
            int grain = static_cast<int>(rng() % 7);
            int r = std::clamp(base + grain, 0, 255), g = std::clamp(base + 8 - grain, 0, 255),
                bl = std::clamp(base + 25, 0, 255);
            b.SetPixel(x, y, platform::gfx::RGB(r, g, bl));
        }
    }
    return b;
}

TBitmap Mask(int w, int h) {
    // Black frame, white inside, as frame masks are.
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, (x < 4 || y < 4 || x > w - 5) ? 0 : 0xFFFFFF);
    return b;
}

// Fills every key of a record with a plausible value.
class TPlausible : public TbsSkinKeyVisitor {
public:
    explicit TPlausible(uint32_t seed) : m_rng(seed) {}
    void Integer(std::string_view k, int32_t& v, int32_t) override {
        v = k.find("pictureindex") != std::string_view::npos ? static_cast<int32_t>(m_rng() % 9)
                                                             : static_cast<int32_t>(m_rng() % 20);
    }
    void Color(std::string_view, TColor& v, TColor) override { v = static_cast<TColor>(m_rng() & 0xFFFFFF); }
    void Flag(std::string_view, bool& v) override { v = m_rng() % 2; }
    void Rect(std::string_view, TRect& v) override {
        int l = static_cast<int>(m_rng() % 100), t = static_cast<int>(m_rng() % 100);
        v = {l, t, l + 10 + static_cast<int>(m_rng() % 40), t + 10 + static_cast<int>(m_rng() % 20)};
    }
    void Point(std::string_view, TPoint& v) override {
        v = {static_cast<int>(m_rng() % 30), static_cast<int>(m_rng() % 20)};
    }
    void Text(std::string_view k, std::string& v, std::string_view) override {
        v = k.find("font") != std::string_view::npos ? "Tahoma" : "name";
    }
    void FontStyle(std::string_view, TFontStyles& v) override { v = platform::gfx::fsBold; }
    void Alignment(std::string_view, TAlignment& v) override { v = taLeftJustify; }
    void MorphKind(std::string_view, TbsMorphKind& v) override { v = mkGradient; }
    void Command(std::string_view, TbsStdCommand& v) override { v = cmClose; }

private:
    std::mt19937 m_rng;
};

TbsSkinSource MakeSkin() {
    TbsSkinSource skin;
    skin.Pictures.Picture = SkinPicture(205, 167, 1);
    skin.Pictures.FrameMask = Mask(205, 167);
    for (int i = 0; i < 9; ++i)
        skin.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(SkinPicture(150, 145, 10 + i)));

    platform::core::TMemIniFile ini;
    ini.WriteString("VERSION", "skinname", "Bench");
    ini.WriteString("PICTURES", "picture", "main.bmp");
    ini.WriteString("PICTURES", "inactivepicture", "");
    ini.WriteString("PICTURES", "mask", "mask.bmp");
    ini.WriteString("PICTURES", "activepicturescount", "9");
    for (int i = 0; i < 9; ++i)
        ini.WriteString("PICTURES", std::to_string(i), "p" + std::to_string(i) + ".bmp");
    for (const char* key : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"})
        ini.WriteString("FORMINFO", key, "20,30");
    ini.WriteString("FORMINFO", "clientrect", "6,30,199,160");
    TbsDataSkinPopupWindow popup;
    TbsDataSkinHintWindow hint;
    TPlausible fill(99);
    popup.VisitKeys(fill);
    hint.VisitKeys(fill);
    popup.SaveToIni(ini);
    hint.SaveToIni(ini);
    auto objectKinds = SkinObjectKinds();
    auto controlKinds = SkinControlKinds();
    ini.WriteString("SKINOBJECTS", "count", "12");
    for (int i = 0; i < 12; ++i) {
        const auto& kind = objectKinds[static_cast<std::size_t>(i) % objectKinds.size()];
        std::string name = "object" + std::to_string(i);
        ini.WriteString("SKINOBJECTS", std::to_string(i), name + ":" + kind.Kind);
        auto r = kind.Create(name);
        r->VisitKeys(fill);
        r->SaveToIni(ini);
    }
    ini.WriteString("SKINCONTROLS", "count", "48");
    for (int i = 0; i < 48; ++i) {
        const auto& kind = controlKinds[static_cast<std::size_t>(i) % controlKinds.size()];
        std::string name =
            i < static_cast<int>(controlKinds.size()) ? kind.Kind : "control" + std::to_string(i);
        ini.WriteString("SKINCONTROLS", std::to_string(i), name + ":" + kind.Kind);
        auto r = kind.Create(name);
        r->VisitKeys(fill);
        r->SaveToIni(ini);
    }
    ini.GetStrings(skin.Lines);
    return skin;
}

}  // namespace

TFixture::TFixture() : Skin(MakeSkin()) {
    platform::core::TMemoryStream s;
    WriteSkinPictures(s, Skin.Pictures);
    PicturesStream = s.Bytes();
    // The pictures as the codec reads them, so that both forms carry the same files.
    platform::core::TMemoryStream in(PicturesStream);
    ReadSkinPictures(in, Skin.Pictures);
    if (!BuildCompressedContent(Skin, Content)) std::abort();
    Compressed = ZCompress(Content.data(), Content.size());
}

const TFixture& Fixture() {
    static TFixture f;
    return f;
}

}  // namespace skin_bench
