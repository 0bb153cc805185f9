// The record catalogue: kinds, defaults, the quirks of single classes, and that every class
// writes what it reads.

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "platform/core/IniFile.h"
#include "skin/data/bsSkinDataRecords.h"
#include "tests/skin_data/SkinDataFixture.h"

using namespace skin;
using platform::core::TMemIniFile;

namespace {

// Sets every field to a distinct value that is not its default.
class TFill : public TbsSkinKeyVisitor {
public:
    void Integer(std::string_view, int32_t& v, int32_t) override { v = Next(); }
    void Color(std::string_view, TColor& v, TColor) override { v = Next() * 1000; }
    void Flag(std::string_view, bool& v) override { v = true; }
    void Rect(std::string_view, TRect& v) override {
        int n = Next();
        v = {n, n + 1, n + 2, n + 3};
    }
    void Point(std::string_view, TPoint& v) override {
        int n = Next();
        v = {n, n + 1};
    }
    void Text(std::string_view, std::string& v, std::string_view) override {
        v = "t" + std::to_string(Next());
    }
    void FontStyle(std::string_view, TFontStyles& v) override {
        v = platform::gfx::fsBold | platform::gfx::fsStrikeOut;
    }
    void Alignment(std::string_view, TAlignment& v) override { v = taLeftJustify; }
    void MorphKind(std::string_view, TbsMorphKind& v) override { v = mkPush; }
    void Command(std::string_view, TbsStdCommand& v) override { v = cmRollUp; }

private:
    int Next() { return m_n += 7; }
    int m_n = 0;
};

// "key=value" for every key, in visiting order.
class TCollect : public TbsSkinKeyVisitor {
public:
    std::vector<std::string> Items;
    void Integer(std::string_view k, int32_t& v, int32_t) override { Add(k, std::to_string(v)); }
    void Color(std::string_view k, TColor& v, TColor) override { Add(k, std::to_string(v)); }
    void Flag(std::string_view k, bool& v) override { Add(k, v ? "1" : "0"); }
    void Rect(std::string_view k, TRect& v) override { Add(k, RectToText(v)); }
    void Point(std::string_view k, TPoint& v) override { Add(k, PointToText(v)); }
    void Text(std::string_view k, std::string& v, std::string_view) override { Add(k, v); }
    void FontStyle(std::string_view k, TFontStyles& v) override { Add(k, FontStylesToText(v)); }
    void Alignment(std::string_view k, TAlignment& v) override { Add(k, AlignmentToText(v)); }
    void MorphKind(std::string_view k, TbsMorphKind& v) override { Add(k, MorphKindToText(v)); }
    void Command(std::string_view k, TbsStdCommand& v) override { Add(k, CommandToText(v)); }

private:
    void Add(std::string_view k, const std::string& v) { Items.push_back(std::string(k) + "=" + v); }
};

std::vector<std::string> Collect(TbsDataSkinRecord& r) {
    TCollect c;
    r.VisitKeys(c);
    return c.Items;
}

std::unique_ptr<TMemIniFile> IniOf(std::string_view text) {
    auto ini = std::make_unique<TMemIniFile>();
    ini->SetStrings(skintest::Lines(text));
    return ini;
}

template <class T>
std::unique_ptr<T> Load(std::string_view text) {
    auto ini = IniOf(text);
    auto r = std::make_unique<T>("r");
    r->LoadFromIni(*ini);
    return r;
}

}  // namespace

TEST(SkinRecords, KindWordsAreExactlyTheCatalogue) {
    std::set<std::string> objects, controls;
    for (const auto& k : SkinObjectKinds()) objects.insert(k.Kind);
    for (const auto& k : SkinControlKinds()) controls.insert(k.Kind);
    EXPECT_EQ(objects, (std::set<std::string>{"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                              "button", "caption", "animate", "userobject"}));
    EXPECT_EQ(controls, (std::set<std::string>{
                            "panel",    "expanel",     "menubutton", "button",   "checkradio", "gauge",
                            "splitter", "trackbar",    "label",      "stdlabel", "updown",     "grid",
                            "tab",      "mainmenubar", "controlbar", "memo",     "edit",       "checklistbox",
                            "listbox",  "combobox",    "scrollbar",  "spinedit", "scrollbox",  "treeview",
                            "bevel",    "slider",      "listview",   "richedit"}));
    // Each kind makes its own class.
    std::set<std::string> classes;
    for (const auto& k : SkinControlKinds()) classes.insert(k.ClassName);
    for (const auto& k : SkinObjectKinds()) classes.insert(k.ClassName);
    EXPECT_EQ(classes.size(), 36u);

    EXPECT_EQ(CreateSkinControlRecord("Button", "x"), nullptr);
    EXPECT_EQ(CreateSkinControlRecord("button ", "x"), nullptr);
    EXPECT_EQ(CreateSkinObjectRecord("combobox", "x"), nullptr);
    auto menuButton = CreateSkinControlRecord("menubutton", "mb");
    EXPECT_EQ(menuButton->SectionName, "mb");
    EXPECT_NE(dynamic_cast<TbsDataSkinMenuButtonControl*>(menuButton.get()), nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinListBox*>(CreateSkinControlRecord("checklistbox", "c").get()), nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinEditControl*>(CreateSkinControlRecord("memo", "m").get()), nullptr);
    EXPECT_EQ(dynamic_cast<TbsDataSkinCustomControl*>(CreateSkinControlRecord("tab", "t").get()), nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinStdButton*>(CreateSkinObjectRecord("mainmenubarbutton", "b").get()),
              nullptr);
    auto barItem = CreateSkinObjectRecord("mainmenubaritem", "i");
    EXPECT_NE(dynamic_cast<TbsDataSkinMainMenuItem*>(barItem.get()), nullptr);
    EXPECT_EQ(dynamic_cast<TbsDataSkinMenuItem*>(barItem.get()), nullptr);
}

TEST(SkinRecords, MissingKeysGiveTheCatalogueDefaults) {
    const char* empty = "[r]\n";
    auto label = Load<TbsDataSkinStdLabelControl>(empty);
    EXPECT_EQ(label->pictureindex, -1);
    EXPECT_EQ(label->maskpictureindex, -1);
    EXPECT_EQ(label->fontname, "Arial");
    EXPECT_EQ(label->fontheight, 14);
    EXPECT_EQ(label->activefontcolor, 16711680);
    auto list = Load<TbsDataSkinListBox>(empty);
    EXPECT_EQ(list->vscrollbarname, "vscrollbar");
    EXPECT_EQ(list->hscrollbarname, "hscrollbar");
    EXPECT_EQ(list->bothhscrollbarname, "bothhscrollbar");
    EXPECT_EQ(list->captionfontheight, 14);
    auto anim = Load<TbsDataSkinAnimate>(empty);
    EXPECT_EQ(anim->countframes, 1);
    EXPECT_EQ(anim->timerinterval, 50);
    EXPECT_EQ(anim->command, cmDefault);
    EXPECT_EQ(anim->activepictureindex, -1);
    EXPECT_EQ(Load<TbsDataSkinPanelControl>(empty)->alignment, taCenter);
    EXPECT_EQ(Load<TbsDataSkinPanelControl>(empty)->bgpictureindex, -1);
    EXPECT_EQ(Load<TbsDataSkinTabControl>(empty)->bgpictureindex, -1);
    EXPECT_EQ(Load<TbsDataSkinControlBar>(empty)->bgpictureindex, -1);
    EXPECT_EQ(Load<TbsDataSkinGridControl>(empty)->fixedfontname, "Arial");
}

TEST(SkinRecords, QuirksOfSingleClasses) {
    // The up-down drops the corner points and client rectangle it reads.
    auto updown = Load<TbsDataSkinUpDownControl>(
        "[r]\nskinrect=30,0,45,40\nlefttoppoint=6,22\nrightbottompoint=9,9\nclientrect=1,5,14,72\n"
        "upbuttonrect=0,0,15,20\n");
    EXPECT_EQ(updown->lefttoppoint, (TPoint{}));
    EXPECT_EQ(updown->rightbottompoint, (TPoint{}));
    EXPECT_EQ(updown->clientrect, (TRect{}));
    EXPECT_EQ(updown->skinrect, (TRect{30, 0, 45, 40}));
    EXPECT_EQ(updown->upbuttonrect, (TRect{0, 0, 15, 20}));

    // An animation never morphs; its other object keys load.
    auto anim = Load<TbsDataSkinAnimate>("[r]\nmorphing=1\nmorphkind=mkpush\ncountframes=4\n");
    EXPECT_FALSE(anim->morphing);
    EXPECT_EQ(anim->morphkind, mkPush);
    EXPECT_EQ(anim->countframes, 4);

    // A user object reads its rectangle and nothing else.
    auto user = Load<TbsDataUserObject>("[r]\nhint=Hello\nskinrect=1,2,3,4\nactivepictureindex=3\n");
    EXPECT_EQ(user->hint, "");
    EXPECT_EQ(user->activepictureindex, -1);
    EXPECT_EQ(user->skinrect, (TRect{1, 2, 3, 4}));
    TMemIniFile out;
    user->SaveToIni(out);
    TStringList keys;
    out.ReadSection("r", keys);
    ASSERT_EQ(keys.Count(), 1);
    EXPECT_EQ(keys[0], "skinrect");

    // The caption-button record reads the misspelt key only.
    auto button = Load<TbsDataSkinButton>("[r]\ndisableskinrect=1,1,1,1\ndisableskinrsect=5,6,7,8\n");
    EXPECT_EQ(button->disableskinrsect, (TRect{5, 6, 7, 8}));

    // The main-menu item writes `unenabledfontColor` and reads it in any letter case.
    auto item = Load<TbsDataSkinMainMenuItem>("[r]\nUNENABLEDFONTCOLOR=4242\n");
    EXPECT_EQ(item->unenabledfontColor, 4242);
    TMemIniFile itemOut;
    item->SaveToIni(itemOut);
    itemOut.ReadSection("r", keys);
    bool exact = false;
    for (int i = 0; i < keys.Count(); ++i) exact |= keys[i] == "unenabledfontColor";
    EXPECT_TRUE(exact);

    // Check-radio records read "unenabledfontcolor" in lower case, like every other record.
    EXPECT_EQ(Load<TbsDataSkinCheckRadioControl>("[r]\nunenabledfontcolor=77\n")->unenabledfontcolor, 77);
}

TEST(SkinRecords, SaveErasesTheSectionAndTheComboBoxWritesItsListNameLast) {
    auto ini = IniOf("[r]\nstale=1\nlistboxname=lb\nitemrect=1,2,3,4\n[other]\nkeep=1\n");
    TbsDataSkinComboBox combo("r");
    combo.LoadFromIni(*ini);
    EXPECT_EQ(combo.listboxname, "lb");
    combo.SaveToIni(*ini);
    EXPECT_FALSE(ini->ValueExists("r", "stale"));
    EXPECT_TRUE(ini->ValueExists("other", "keep"));
    TStringList keys;
    ini->ReadSection("r", keys);
    ASSERT_GT(keys.Count(), 3);
    EXPECT_EQ(keys[0], "pictureindex");
    EXPECT_EQ(keys[keys.Count() - 1], "listboxname");
    EXPECT_EQ(ini->ReadString("r", "itemrect", ""), "1,2,3,4");
}

// For every class of the catalogue: fill every field, save, load into a fresh record, and find
// the same values (a key written under another name than it is read, or a writer that does not
// match its reader, shows up here).
TEST(SkinRecords, EveryClassReadsBackWhatItWrites) {
    auto roundTrip = [](TbsDataSkinRecord& original, TbsDataSkinRecord& fresh, const std::string& what) {
        TFill fill;
        original.VisitKeys(fill);
        TMemIniFile ini;
        original.SaveToIni(ini);
        fresh.LoadFromIni(ini);
        auto expected = Collect(original);
        auto actual = Collect(fresh);
        // Loading adjusts these two classes on purpose.
        if (dynamic_cast<TbsDataSkinUpDownControl*>(&original)) {
            auto& u = static_cast<TbsDataSkinUpDownControl&>(original);
            u.lefttoppoint = u.righttoppoint = u.leftbottompoint = u.rightbottompoint = {};
            u.clientrect = {};
            expected = Collect(original);
        }
        if (auto* a = dynamic_cast<TbsDataSkinAnimate*>(&original)) {
            a->morphing = false;
            expected = Collect(original);
        }
        EXPECT_EQ(actual, expected) << what;
        EXPECT_GT(expected.size(), 0u) << what;
    };
    for (const auto& k : SkinControlKinds()) {
        auto a = k.Create("sec");
        auto b = k.Create("sec");
        roundTrip(*a, *b, k.ClassName);
    }
    for (const auto& k : SkinObjectKinds()) {
        auto a = k.Create("sec");
        auto b = k.Create("sec");
        roundTrip(*a, *b, k.ClassName);
    }
    TbsDataSkinPopupWindow popup, popup2;
    roundTrip(popup, popup2, "popup");
    TbsDataSkinHintWindow hint, hint2;
    roundTrip(hint, hint2, "hint");
}
