// The default skin, loaded the way the program loads its stored skin, holds every record and value
// the browser window and its dialogs rely on, passes skintool's check, and stretches without seams.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "AssetTestSupport.h"
#include "platform/core/IniFile.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsUtilsDraw.h"
#include "tools/skingen/PreviewSheet.h"
#include "tools/skingen/SkinPreview.h"
#include "tools/skingen/Theme.h"
#include "tools/skintool/SkinCheck.h"

namespace {

using namespace assettest;
using namespace skin;
using platform::core::TPoint;
using platform::core::TRect;

class SkinFacts : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_source = new TbsSkinSource;
        std::string error;
        ASSERT_TRUE(
            LoadSkinFolder((SourceDir() / "assets" / "skin" / "skin.ini").string(), *s_source, &error))
            << error;
        s_stored = new TbsStoredSkin;
        s_stored->Assign(*s_source);
        s_skin = new TbsSkinData;
        s_skin->SetStoredSkin(s_stored);
    }
    static void TearDownTestSuite() {
        delete s_skin;
        delete s_stored;
        delete s_source;
    }

    static TbsSkinData& Skin() { return *s_skin; }
    template <class T>
    static T& Control(const char* name) {
        const int index = s_skin->IndexOfControl(name);
        if (index < 0) throw std::runtime_error(std::string("no control record ") + name);
        return dynamic_cast<T&>(*s_skin->ControlRecords[static_cast<std::size_t>(index)]);
    }
    static const TbsDataSkinObject* Object(const char* name) {
        const int index = s_skin->IndexOfSkinObject(name);
        return index < 0 ? nullptr : s_skin->ObjectRecords[static_cast<std::size_t>(index)].get();
    }
    static std::string RawValue(const char* section, const char* key) {
        platform::core::TMemIniFile ini;
        ini.SetStrings(s_source->Lines);
        return ini.ReadString(section, key, "<missing>");
    }

    static inline TbsSkinSource* s_source = nullptr;
    static inline TbsStoredSkin* s_stored = nullptr;
    static inline TbsSkinData* s_skin = nullptr;
};

TEST_F(SkinFacts, LoadsWithTheSectionsPicturesAndRecordsOfTheProgramsSkin) {
    ASSERT_FALSE(Skin().SkinIsEmpty) << Skin().LoadProblem();
    platform::core::TMemIniFile ini;
    ini.SetStrings(s_source->Lines);
    platform::core::TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.Count(), 76);

    ASSERT_TRUE(Skin().Picture.SourceFormat().has_value());
    EXPECT_EQ(Skin().Picture.Width(), 205);
    EXPECT_EQ(Skin().Picture.Height(), 167);
    EXPECT_EQ(Skin().Picture.SourceFormat()->BitCount, 24);
    ASSERT_TRUE(Skin().FrameMask.SourceFormat().has_value());
    EXPECT_EQ(Skin().FrameMask.Width(), 205);
    EXPECT_EQ(Skin().FrameMask.Height(), 167);
    EXPECT_EQ(Skin().FrameMask.SourceFormat()->BitCount, 4);
    EXPECT_TRUE(Skin().InactivePicture.Empty());
    EXPECT_FALSE(Skin().MaskName.empty());
    EXPECT_EQ(Skin().ActivePictures.size(), 9u);

    EXPECT_EQ(Skin().ObjectRecords.size(), 12u);
    EXPECT_EQ(Skin().ControlRecords.size(), 57u);
    std::set<std::string> kinds;
    platform::core::TStringList entries;
    SkinReadList(ini, "SKINCONTROLS", "", entries);
    for (int i = 0; i < entries.Count(); ++i) kinds.insert(SplitEntry(entries[i]).Kind);
    EXPECT_EQ(entries.Count(), 57);
    EXPECT_EQ(kinds.size(), 26u);
    EXPECT_EQ(Skin().IndexOfControl("combobox"), 18);
    EXPECT_EQ(Skin().IndexOfControl("Combobox"), -1);
}

TEST_F(SkinFacts, HasTheFrameObjectsAndWindowsTheBrowserAndItsDialogsUse) {
    std::set<TbsStdCommand> commands;
    int captions = 0;
    for (const auto& r : Skin().ObjectRecords) {
        if (dynamic_cast<const TbsDataSkinCaption*>(r.get())) ++captions;
        auto* b = dynamic_cast<const TbsDataSkinStdButton*>(r.get());
        if (b && !dynamic_cast<const TbsDataSkinMainMenuBarButton*>(b)) commands.insert(b->command);
    }
    EXPECT_EQ(captions, 1);
    EXPECT_EQ(commands, (std::set<TbsStdCommand>{cmClose, cmMinimize, cmMaximize, cmRollUp, cmSysMenu}));
    EXPECT_NE(dynamic_cast<const TbsDataSkinMenuItem*>(Object("MENUITEM")), nullptr);
    EXPECT_NE(Skin().ActivePicture(Skin().PopupWindow.windowpictureindex), nullptr);
    EXPECT_EQ(Skin().HintWindow.windowpictureindex, 8);
    EXPECT_EQ(Skin().HintWindow.clientrect, (TRect{8, 3, 39, 18}));

    // Every skinned control of the toolkit finds a record under its default name.
    for (const char* name : {"button",     "resizebutton",   "combobox", "listbox",  "vscrollbar",
                             "hscrollbar", "bothhscrollbar", "hupdown",  "vupdown",  "stdlabel",
                             "bevel",      "edit",           "memo",     "tab",      "vsplitter",
                             "controlbar", "mainmenubar",    "treeview", "listview", "richedit"})
        EXPECT_GE(Skin().IndexOfControl(name), 0) << name;
    auto& list = Control<TbsDataSkinListBox>("listbox");
    for (const std::string& bar : {list.vscrollbarname, list.hscrollbarname, list.bothhscrollbarname})
        EXPECT_NO_THROW((void)Control<TbsDataSkinScrollBarControl>(bar.c_str())) << bar;
    EXPECT_EQ(Control<TbsDataSkinTabControl>("tab").updown, "hupdown");
}

TEST_F(SkinFacts, ButtonsStretchAsTheWindowLayoutExpects) {
    auto& button = Control<TbsDataSkinButtonControl>("button");
    EXPECT_EQ(button.righttoppoint, (TPoint{46, 10}));
    EXPECT_EQ(button.rightbottompoint, (TPoint{0, 0}));
    EXPECT_EQ(skingen::StretchModeOf(button), 2);
    auto& resize = Control<TbsDataSkinButtonControl>("resizebutton");
    for (const TPoint& p :
         {resize.lefttoppoint, resize.righttoppoint, resize.leftbottompoint, resize.rightbottompoint})
        EXPECT_FALSE(IsEmptyPoint(p));
    EXPECT_EQ(skingen::StretchModeOf(resize), 1);
}

TEST_F(SkinFacts, ComboBoxAndItsListHaveTheStoredGeometry) {
    auto& c = Control<TbsDataSkinComboBox>("combobox");
    EXPECT_EQ(c.skinrect.Width(), 41);
    EXPECT_EQ(c.skinrect.Height(), 18);
    EXPECT_EQ(c.righttoppoint, (TPoint{21, 8}));
    EXPECT_EQ(c.clientrect, (TRect{1, 1, 24, 17}));
    EXPECT_EQ(c.buttonrect, (TRect{26, 2, 39, 16}));
    EXPECT_TRUE(IsEmptyRect(c.itemrect));
    EXPECT_EQ(c.focusitemrect.Width(), 24);
    EXPECT_EQ(c.focusitemrect.Height(), 16);
    EXPECT_EQ(c.itemleftoffset, 4);
    EXPECT_EQ(c.itemrightoffset, 4);
    EXPECT_EQ(c.listboxname, "listbox");
    // A box W wide: the button follows the right edge; the item's text rectangle is (5, 1, w - 4, 15)
    // of an item w = W - 18 wide.
    for (int width : {120, 185, 543}) {
        const int dx = width - c.skinrect.Width();
        const TRect button = c.buttonrect.Left >= c.skinrect.Width() - c.righttoppoint.X
                                 ? c.buttonrect.Offset(dx, 0)
                                 : c.buttonrect;
        EXPECT_EQ(button, (TRect{width - 15, 2, width - 2, 16}));
        const int w = c.clientrect.Width() + dx;
        const TRect text{c.itemtextrect.Left, c.itemtextrect.Top,
                         c.itemtextrect.Right + w - c.clientrect.Width(), c.itemtextrect.Bottom};
        EXPECT_EQ(text, (TRect{5, 1, w - 4, 15}));
    }
    auto& l = Control<TbsDataSkinListBox>("listbox");
    EXPECT_EQ(l.skinrect.Height(), 56);
    EXPECT_EQ(l.clientrect.Top, 2);
    EXPECT_EQ(l.clientrect.Bottom, 54);
    EXPECT_EQ(l.itemrect.Height(), 18);
    EXPECT_EQ(l.itemtextrect, (TRect{4, 2, 37, 16}));
    // Five rows of the drop-down list: 5 x 18 + 4 pixels.
    EXPECT_EQ(l.skinrect.Height() + 5 * l.itemrect.Height() + l.clientrect.Top - l.clientrect.Bottom, 94);
}

TEST_F(SkinFacts, UpDownsLabelsAndBevelHaveTheStoredValues) {
    auto& v = Control<TbsDataSkinUpDownControl>("vupdown");
    EXPECT_EQ(v.skinrect.Width(), 18);
    EXPECT_EQ(v.skinrect.Height(), 36);
    auto& h = Control<TbsDataSkinUpDownControl>("hupdown");
    EXPECT_EQ(h.skinrect.Width(), 36);
    EXPECT_EQ(h.skinrect.Height(), 18);
    // The description itself (not only the loaded record) gives no corner points.
    for (const char* section : {"vupdown", "hupdown"})
        for (const char* key : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"})
            EXPECT_EQ(RawValue(section, key), "0,0") << section << " " << key;

    auto& label = Control<TbsDataSkinStdLabelControl>("stdlabel");
    EXPECT_EQ(label.fontcolor, 0);
    EXPECT_EQ(label.activefontcolor, 16744448);
    auto& bevel = Control<TbsDataSkinBevel>("bevel");
    EXPECT_EQ(bevel.lightcolor, 0);
    EXPECT_EQ(bevel.darkcolor, 12632256);
    EXPECT_EQ(bevel.pictureindex, -1);
}

TEST_F(SkinFacts, SkinToolFindsNoProblem) {
    const std::vector<skintool::TProblem> problems = skintool::CheckSkin(*s_source);
    for (const auto& p : problems) ADD_FAILURE() << skintool::FormatProblem(p);
}

// Every state image of a record whose picture stretches repeats a plain middle, so no size shows a
// seam: the columns (or rows) between the corner points are alike, the client area is one colour.
TEST_F(SkinFacts, StretchedFacesRepeatPlainMiddles) {
    class TStateRects : public TbsSkinKeyVisitor {
    public:
        std::vector<std::pair<std::string, TRect>> Rects;
        void Integer(std::string_view, int32_t&, int32_t) override {}
        void Color(std::string_view, TColor&, TColor) override {}
        void Flag(std::string_view, bool&) override {}
        void Rect(std::string_view k, TRect& v) override { Rects.emplace_back(k, v); }
        void Point(std::string_view, TPoint&) override {}
        void Text(std::string_view, std::string&, std::string_view) override {}
        void FontStyle(std::string_view, TFontStyles&) override {}
        void Alignment(std::string_view, TAlignment&) override {}
        void MorphKind(std::string_view, TbsMorphKind&) override {}
        void Command(std::string_view, TbsStdCommand&) override {}
    };
    int checked = 0;
    for (const auto& record : Skin().ControlRecords) {
        auto* r = dynamic_cast<TbsDataSkinCustomControl*>(record.get());
        const platform::gfx::TBitmap* picture = r ? Skin().ActivePicture(r->pictureindex) : nullptr;
        if (!picture) continue;
        TStateRects states;
        r->VisitKeys(states);
        const int w = r->skinrect.Width(), h = r->skinrect.Height();
        for (const auto& entry : states.Rects) {
            const std::string& key = entry.first;
            const TRect& s = entry.second;
            if (key.find("skinrect") == std::string::npos || s.Width() != w || s.Height() != h) continue;
            auto px = [&](int x, int y) { return picture->Pixel(s.Left + x, s.Top + y); };
            auto columnsAlike = [&](int x0, int x1, int y0, int y1) {
                for (int x = x0 + 1; x < x1; ++x)
                    for (int y = y0; y < y1; ++y)
                        if (px(x, y) != px(x0, y)) return false;
                return true;
            };
            auto rowsAlike = [&](int y0, int y1, int x0, int x1) {
                for (int y = y0 + 1; y < y1; ++y)
                    for (int x = x0; x < x1; ++x)
                        if (px(x, y) != px(x, y0)) return false;
                return true;
            };
            const std::string what = r->SectionName + " " + key;
            const TRect& cl = r->clientrect;
            switch (skingen::StretchModeOf(*r)) {
                case 1:
                    EXPECT_TRUE(columnsAlike(r->lefttoppoint.X, r->righttoppoint.X, 0, cl.Top))
                        << what << " top edge";
                    EXPECT_TRUE(columnsAlike(r->leftbottompoint.X, r->rightbottompoint.X, cl.Bottom, h))
                        << what << " bottom edge";
                    EXPECT_TRUE(rowsAlike(r->lefttoppoint.Y, r->leftbottompoint.Y, 0, cl.Left))
                        << what << " left edge";
                    EXPECT_TRUE(rowsAlike(r->righttoppoint.Y, r->rightbottompoint.Y, cl.Right, w))
                        << what << " right edge";
                    EXPECT_TRUE(columnsAlike(cl.Left, cl.Right, cl.Top, cl.Bottom) &&
                                rowsAlike(cl.Top, cl.Bottom, cl.Left, cl.Right))
                        << what << " client";
                    break;
                case 2:
                    EXPECT_TRUE(columnsAlike(r->lefttoppoint.X, r->righttoppoint.X, 0, h)) << what;
                    break;
                case 3:
                    EXPECT_TRUE(rowsAlike(r->lefttoppoint.Y, r->leftbottompoint.Y, 0, w)) << what;
                    break;
                default:
                    break;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 60);
}

TEST_F(SkinFacts, FrameIsCutToItsRoundedOutlineAtAnySize) {
    for (auto [w, h] : {std::pair{205, 167}, std::pair{770, 603}}) {
        const auto region = skingen::FrameRegion(Skin(), w, h);
        ASSERT_TRUE(region.has_value());
        for (TPoint corner : {TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{0, h - 1}, TPoint{w - 1, h - 1}})
            EXPECT_FALSE(region->Contains(corner)) << w << "x" << h << " " << corner.X << "," << corner.Y;
        for (TPoint inside : {TPoint{w / 2, 0}, TPoint{3, 3}, TPoint{0, h / 2}, TPoint{w - 1, h / 2},
                              TPoint{w / 2, h - 1}, TPoint{w / 2, h / 2}})
            EXPECT_TRUE(region->Contains(inside)) << w << "x" << h << " " << inside.X << "," << inside.Y;
        EXPECT_EQ(region->Box(), (TRect{0, 0, w, h}));
    }
}

TEST_F(SkinFacts, FrameComposedAtThePictureSizeIsThePicture) {
    skingen::TFramePreviewOptions options;
    options.Width = Skin().Picture.Width();
    options.Height = Skin().Picture.Height();
    const platform::gfx::TBitmap frame = skingen::RenderFramePreview(Skin(), options);
    const auto region = skingen::FrameRegion(Skin(), options.Width, options.Height);
    ASSERT_TRUE(region.has_value());
    int differing = 0;
    for (int y = 0; y < options.Height; ++y)
        for (int x = 0; x < options.Width; ++x)
            if (region->Contains({x, y}) && frame.Pixel(x, y) != Skin().Picture.Pixel(x, y)) ++differing;
    EXPECT_EQ(differing, 0);

    // The browser's window: the caption strip and the client keep their colours when stretched.
    options.Width = 770;
    options.Height = 603;
    const platform::gfx::TBitmap big = skingen::RenderFramePreview(Skin(), options);
    for (int y = 1; y < Skin().clientrect.Top; ++y)
        EXPECT_EQ(big.Pixel(400, y), Skin().Picture.Pixel(100, y)) << y;
    EXPECT_EQ(big.Pixel(385, 300), skingen::theme::kClient);
}

}  // namespace
