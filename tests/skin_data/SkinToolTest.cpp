// skintool: check reports each kind of problem with its section and key; pack and unpack round
// trip; bad input gives a named problem and a non-zero exit, never a partial folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "skin/data/bszlibcompress.h"
#include "tests/skin_data/SkinDataFixture.h"
#include "tools/skintool/SkinTool.h"

using skintest::TTempDir;

namespace {

struct TResult {
    int Code = 0;
    std::string Out;
    std::string Err;
};

TResult Tool(std::vector<std::string> args) {
    std::ostringstream out, err;
    int code = skintool::RunSkinTool(args, out, err);
    return {code, out.str(), err.str()};
}

// The fixture skin without its deliberately broken entries, and with the scroll-bar records its
// list box names.
std::string CleanText() {
    std::string text(skintest::kSkinText);
    auto replace = [&](std::string_view from, std::string_view to) {
        text.replace(text.find(from), from.size(), to);
    };
    replace("3=mystery:frobnicator", "3=spare:bevel");
    replace("7=nocolon", "7=vscrollbar:scrollbar\n8=hscrollbar:scrollbar\n9=bothhscrollbar:scrollbar");
    text += "[spare]\n[vscrollbar]\n[hscrollbar]\n[bothhscrollbar]\n";
    return text;
}

}  // namespace

TEST(SkinTool, CheckPassesACleanSkin) {
    TTempDir dir;
    auto r = Tool({"check", skintest::WriteSkinFolder(dir, CleanText())});
    EXPECT_EQ(r.Code, 0) << r.Out;
    EXPECT_NE(r.Out.find("0 errors"), std::string::npos) << r.Out;
}

TEST(SkinTool, CheckPassesTheProgramsDefaultSkin) {
    const char* source = std::getenv("VK_SOURCE_DIR");
    if (!source) GTEST_SKIP() << "VK_SOURCE_DIR is not set";
    auto r = Tool({"check", std::string(source) + "/assets/skin"});
    EXPECT_EQ(r.Code, 0) << r.Out;
}

TEST(SkinTool, CheckNamesEveryProblemWithSectionAndKey) {
    TTempDir dir;
    std::string text = CleanText();
    auto replace = [&](std::string_view from, std::string_view to) {
        text.replace(text.find(from), from.size(), to);
    };
    replace("[FORMINFO]", "[FORMINFOS]");                    // a required section missing
    replace("3=spare:bevel", "3=spare:bevil");               // an unknown kind
    replace("listboxname=listbox", "listboxname=dropdown");  // a name the skin lacks
    replace("[listbox]\npictureindex=1", "[listbox]\npictureindex=1\nvscrollbarname=vbar");
    replace("[combobox]\npictureindex=1", "[combobox]\npictureindex=7");  // picture index out of range
    replace("[listbox]\npictureindex=1\nvscrollbarname=vbar\nskinrect=0,20,40,60",
            "[listbox]\npictureindex=1\nvscrollbarname=vbar\nskinrect=0,20,40,0");  // empty rectangle
    replace("activeskinrect=0,20,30,40", "activeskinrect=0,50,30,70");  // outside its 48 x 64 picture
    replace("lefttoppoint=3,3", "lefttoppoint=31,3");                   // outside skinrect 30 x 20
    std::string path = skintest::WriteSkinFolder(dir, text);
    std::filesystem::remove(dir.Path("p1.bmp"));  // a picture that cannot be loaded

    auto r = Tool({"check", path});
    EXPECT_EQ(r.Code, 1);
    for (const char* expected : {
             "error: [FORMINFO] required section is missing",
             "error: [PICTURES] 1: cannot load picture \"p1.bmp\"",
             "error: [SKINCONTROLS] 3: unknown kind \"bevil\"",
             "error: [combobox] pictureindex: picture index 7 is out of range",
             "error: [combobox] listboxname: names \"dropdown\"",
             "error: [listbox] vscrollbarname: names \"vbar\"",
             "error: [button] activeskinrect: rectangle 0,50,30,70 lies outside picture 0 (48 x 64)",
             "error: [button] lefttoppoint: point 31,3 lies outside skinrect (30 x 20)",
         }) {
        EXPECT_NE(r.Out.find(expected), std::string::npos) << expected << "\n" << r.Out;
    }
    // The list box's picture failed to load, so its empty rectangle is checked once the picture is back.
    skintest::WriteSkinFolder(dir, text);
    r = Tool({"check", path});
    EXPECT_NE(r.Out.find("error: [listbox] skinrect: empty rectangle 0,20,40,0"), std::string::npos) << r.Out;
    EXPECT_EQ(r.Out.find("[listbox] vscrollbarname: names \"vscrollbar\""), std::string::npos);
}

TEST(SkinTool, PackAndUnpackRoundTripByteForByte) {
    TTempDir dir, out;
    std::string path = skintest::WriteSkinFolder(dir);
    auto r = Tool({"pack", path, "--stored", out.Path("st"), "--compressed", out.Path("c.skn"), "--data",
                   out.Path("c.z")});
    ASSERT_EQ(r.Code, 0) << r.Err;

    for (const char* input : {"c.skn", "st.ini", "c.z"}) {
        std::string folder = out.Path(std::string("u-") + input);
        r = Tool({"unpack", out.Path(input), folder});
        ASSERT_EQ(r.Code, 0) << r.Err;
        for (const char* picture : {"main.bmp", "mask.bmp", "p0.bmp", "p1.bmp"})
            EXPECT_EQ(skintest::ReadAll(folder + "/" + picture), skintest::ReadAll(dir.Path(picture)))
                << input;
    }
    // Packing an unpacked skin again gives the same files.
    r = Tool(
        {"pack", out.Path("u-c.skn"), "--compressed", out.Path("again.skn"), "--stored", out.Path("again")});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(skintest::ReadAll(out.Path("again.skn")), skintest::ReadAll(out.Path("c.skn")));
    EXPECT_EQ(skintest::ReadAll(out.Path("again.pictures")), skintest::ReadAll(out.Path("st.pictures")));
    EXPECT_EQ(skintest::ReadAll(out.Path("again.ini")), skintest::ReadAll(out.Path("st.ini")));

    // An existing folder is never written into.
    r = Tool({"unpack", out.Path("c.skn"), out.Path("u-c.skn")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("not an empty folder"), std::string::npos);
}

TEST(SkinTool, BadInputIsNamedAndLeavesNothingBehind) {
    TTempDir dir, out;
    std::string path = skintest::WriteSkinFolder(dir);
    ASSERT_EQ(Tool({"pack", path, "--stored", out.Path("st")}).Code, 0);

    auto pictures = skintest::ReadAll(out.Path("st.pictures"));
    out.Write("cut.ini", skintest::ReadAll(out.Path("st.ini")));
    out.Write("cut.pictures", std::vector<uint8_t>(pictures.begin(), pictures.end() - 100));
    auto r = Tool({"unpack", out.Path("cut.ini"), out.Path("cut")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("picture 1 of 2"), std::string::npos) << r.Err;
    EXPECT_FALSE(std::filesystem::exists(out.Path("cut")));
    r = Tool({"check", out.Path("cut.pictures")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Out.find("not a readable BMP"), std::string::npos) << r.Out;

    // Compressed data that inflates past the cap.
    std::vector<uint8_t> zeros(skin::kMaxInflatedSize + 4096, 0);
    out.Write("bomb.z", skin::ZCompress(zeros.data(), zeros.size()));
    zeros = {};
    r = Tool({"info", out.Path("bomb.z")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("inflates beyond"), std::string::npos) << r.Err;

    // A picture name that would leave the folder.
    std::string text(skintest::kSkinText);
    text.replace(text.find("0=p0.bmp"), 8, "0=../p0.bmp");
    TTempDir evil;
    std::filesystem::create_directories(evil.Path("skin"));
    evil.Write("skin/skin.ini", text);
    auto set = skintest::SkinPictures();
    evil.Write("skin/main.bmp", set.Picture.SaveToMemory());
    evil.Write("skin/mask.bmp", set.FrameMask.SaveToMemory());
    evil.Write("p0.bmp", set.ActivePictures[0]->SaveToMemory());
    evil.Write("skin/p1.bmp", set.ActivePictures[1]->SaveToMemory());
    r = Tool({"unpack", evil.Path("skin"), out.Path("evil")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("would leave the folder"), std::string::npos) << r.Err;
    EXPECT_FALSE(std::filesystem::exists(out.Path("evil")));

    // Missing files and binary descriptions.
    r = Tool({"check", dir.Path("nothing.skn")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Out.find("cannot read"), std::string::npos);
    dir.Write("skin.ini", std::string("[VERSION]\x01\x02\n", 12));
    r = Tool({"pack", path, "--compressed", out.Path("x.skn")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("binary"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out.Path("x.skn")));
}

TEST(SkinTool, EveryCommandHasHelpAndUsageErrorsExitWithTwo) {
    for (const auto& c : skintool::Commands()) {
        auto r = Tool({c.Name, "--help"});
        EXPECT_EQ(r.Code, 0);
        EXPECT_EQ(r.Out.rfind(std::string("usage: skintool ") + c.Name, 0), 0u) << r.Out;
    }
    EXPECT_EQ(Tool({"--help"}).Code, 0);
    EXPECT_EQ(Tool({}).Code, 2);
    EXPECT_EQ(Tool({"frobnicate"}).Code, 2);
    EXPECT_EQ(Tool({"pack", "skin"}).Code, 2);
    EXPECT_EQ(Tool({"pack", "skin", "--stored"}).Code, 2);
    EXPECT_EQ(Tool({"unpack", "only-one"}).Code, 2);
    EXPECT_EQ(Tool({"check"}).Code, 2);
}
