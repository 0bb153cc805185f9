// Skins to choose in the real window's system menu: the list (built-in first, then folders and
// compressed files from every skin folder), a switch that re-skins the frame and every control at
// once and is remembered, and broken skins that change nothing.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "app/program/SkinChooser.h"
#include "platform/forms/Menus.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataRecords.h"
#include "skin/form/bsSkinForm.h"
#include "tools/skingen/SkinDefault.h"
#include "tools/skingen/SkinLight.h"

#ifndef VK_SOURCE_DIR
#error "VK_SOURCE_DIR must name the source tree"
#endif

namespace {

using namespace program_test;
namespace forms = platform::forms;
using platform::gfx::TBitmap;

// The default skin with every picture's lightness mirrored and other bevel colours: nothing
// skinned looks as before.
void WriteMirroredSkin(const std::string& folder) {
    skingen::TSkinModel model = skingen::BuildDefaultSkin();
    TBitmap& frame = model.Main.Bitmap;
    skingen::MirrorLightness(frame, {0, 0, frame.Width(), frame.Height()});
    for (skingen::TSkinPicture& p : model.Pictures)
        if (p.BitCount == 24) skingen::MirrorLightness(p.Bitmap, {0, 0, p.Bitmap.Width(), p.Bitmap.Height()});
    for (skingen::TSkinEntry& e : model.Controls)
        if (auto* bevel = dynamic_cast<skin::TbsDataSkinBevel*>(e.Record.get())) {
            bevel->lightcolor = 0x00FF00;
            bevel->darkcolor = 0x0000FF;
        }
    std::string error;
    ASSERT_TRUE(skingen::WriteSkinFolder(model, folder, &error)) << error;
}

void WriteCompressedDefaultSkin(const std::string& path) {
    skin::TbsSkinSource source;
    std::string error;
    ASSERT_TRUE(skin::LoadSkinFolder(std::string(VK_SOURCE_DIR) + "/assets/skin/skin.ini", source, &error))
        << error;
    std::vector<uint8_t> compressed;
    ASSERT_TRUE(skin::CompressSkin(source, compressed));
    ASSERT_TRUE(skin::WriteCompressedSkinFile(path, compressed, &error)) << error;
}

class SkinChoiceTest : public BrowserFixture {
protected:
    app::program::TBrowserWindow& OpenPlain() {
        MakePackage(Dir(), "a", "Alpha", 7);
        if (!std::filesystem::exists(Dir() + "/PuzzleBrowser.ini"))
            WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
        return Open();
    }
    // The sub-items of "&Skins" as the system menu shows them.
    std::vector<forms::TMenuItem*> SkinItems() {
        forms::TMenuItem* items = Window().bsSkinForm1->SystemMenuItems();
        EXPECT_NE(items, nullptr);
        forms::TMenuItem* skins = items != nullptr ? items->Find("Skins") : nullptr;
        EXPECT_NE(skins, nullptr);
        std::vector<forms::TMenuItem*> list;
        if (skins != nullptr)
            for (int i = 0; i < skins->Count(); ++i) list.push_back(skins->Items(i));
        return list;
    }
    forms::TMenuItem* SkinItem(const std::string& caption) {
        for (forms::TMenuItem* item : SkinItems())
            if (item->Caption() == caption) return item;
        ADD_FAILURE() << "no skin item " << caption;
        return nullptr;
    }
    // A fingerprint of what each skinned part of the window shows on the screen.
    std::map<std::string, uint64_t> Looks() {
        auto& w = Window();
        const TBitmap screen = Session().Screenshot();
        std::map<std::string, uint64_t> looks;
        auto look = [&](const std::string& name, int left, int top, int width, int height) {
            uint64_t h = 1469598103934665603ULL;
            for (int y = top; y < top + height; ++y)
                for (int x = left; x < left + width; ++x) h = (h ^ screen.Pixel(x, y)) * 1099511628211ULL;
            looks[name] = h;
        };
        for (forms::TControl* c :
             std::vector<forms::TControl*>{w.btnStart, w.btnHelp, w.btnHomepage, w.bsSkinButton1,
                                           w.cbxPackage, w.cbxSeverity, w.udPageNext, w.Bevel1}) {
            const platform::core::TPoint p = c->ClientToScreen({0, 0});
            look(c->Name(), p.X, p.Y, c->Width(), c->Height());
        }
        // The frame's caption strip, above the client area.
        const platform::core::TPoint client = w.ClientToScreen({0, 0});
        look("frame", client.X, w.Top() + 2, w.ClientWidth(), client.Y - w.Top() - 2);
        return looks;
    }
};

TEST_F(SkinChoiceTest, TheMenuListsTheBuiltInSkinFirstThenEverySkinOfEveryFolder) {
    WriteMirroredSkin(Dir() + "/skins/zeta");
    WriteCompressedDefaultSkin(Dir() + "/skins/alpha.skn");
    WriteFile(Dir() + "/skins/notes.txt", "not a skin");
    std::filesystem::create_directories(Dir() + "/skins/no-description");
    WriteMirroredSkin(Dir() + "/.data/skins/alpha");  // the same name again: the first one counts
    WriteMirroredSkin(Dir() + "/.data/skins/R&B");
    auto& w = OpenPlain();
    // The skins folder beside the program is no package: no skip message.
    EXPECT_TRUE(Messages.empty()) << Messages[0];

    std::vector<std::string> captions;
    for (forms::TMenuItem* item : SkinItems()) captions.push_back(item->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"Built-in / Eingebaut", "alpha", "zeta", "R&&B"}));
    const std::vector<forms::TMenuItem*> items = SkinItems();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_TRUE(items[0]->Checked());
    EXPECT_FALSE(items[1]->Checked());
    // The window commands stay around it, "&Close" last.
    forms::TMenuItem* root = w.bsSkinForm1->SystemMenuItems();
    EXPECT_EQ(root->Items(root->Count() - 1)->Caption(), "&Close");
    EXPECT_NE(root->Find("Minimize"), nullptr);

    // The compressed skin is chosen like a folder.
    items[1]->Click();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(w.SkinChooser()->Current(), Dir() + "/skins/alpha.skn");
    EXPECT_TRUE(SkinItems()[1]->Checked());
    EXPECT_FALSE(SkinItems()[0]->Checked());
}

TEST_F(SkinChoiceTest, ASwitchReskinsTheFrameAndEveryControlAtOnceAndIsRemembered) {
    WriteMirroredSkin(Dir() + "/skins/mirrored");
    auto* w = &OpenPlain();
    int changes = 0;
    w->bsSkinForm1->OnChangeSkinData = [&](forms::TComponent*) { ++changes; };
    const auto builtIn = Looks();

    SkinItem("mirrored")->Click();
    ProcessMessages();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(w->bsSkinData1->SkinIsEmpty);
    const auto mirrored = Looks();
    for (const auto& [name, look] : builtIn) EXPECT_NE(mirrored.at(name), look) << name << " kept its look";
    EXPECT_TRUE(Messages.empty());
    // The message box takes the new skin too: its skin data is the window's.
    EXPECT_EQ(w->dlgMessage->SkinData(), w->bsSkinData1);

    CloseWindow();
    const std::string settings = ReadFile(Dir() + "/PuzzleBrowser.ini");
    EXPECT_NE(settings.find("Skin=" + Dir() + "/skins/mirrored/skin.ini"), std::string::npos) << settings;

    // The next run starts with it, and the built-in skin brings the old look back.
    Restart();
    w = &Open();
    EXPECT_EQ(Looks(), mirrored);
    EXPECT_TRUE(SkinItem("mirrored")->Checked());
    SkinItem("Built-in / Eingebaut")->Click();
    ProcessMessages();
    EXPECT_EQ(Looks(), builtIn);
    CloseWindow();
    EXPECT_NE(ReadFile(Dir() + "/PuzzleBrowser.ini").find("Skin=\r\n"), std::string::npos);
}

TEST_F(SkinChoiceTest, ABrokenSkinGivesAClearMessageAndChangesNothing) {
    // No [FORMINFO]; a picture that is not there; a compressed file that is none.
    WriteMirroredSkin(Dir() + "/skins/no-forminfo");
    std::string text = ReadFile(Dir() + "/skins/no-forminfo/skin.ini");
    const auto at = text.find("[FORMINFO]");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 10, "[FORMINFOX]");
    WriteFile(Dir() + "/skins/no-forminfo/skin.ini", text);
    WriteMirroredSkin(Dir() + "/skins/no-picture");
    std::filesystem::remove(Dir() + "/skins/no-picture/buttons.bmp");
    WriteFile(Dir() + "/skins/garbage.skn", std::string("\x01\0\0\0\x10\0\0\0not zlib at all!", 24));
    WriteFile(Dir() + "/skins/short.skn", "MZ");

    auto& w = OpenPlain();
    int changes = 0;
    w.bsSkinForm1->OnChangeSkinData = [&](forms::TComponent*) { ++changes; };
    const auto before = Looks();
    for (const std::string name : {"no-forminfo", "no-picture", "garbage", "short"}) {
        SCOPED_TRACE(name);
        Messages.clear();
        SkinItem(name)->Click();
        ProcessMessages();
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(
            Messages[0].rfind("This skin cannot be used; the current skin stays:\r\r"
                              "Dieser Skin kann nicht verwendet werden; der bisherige Skin bleibt:\r\r" +
                                  Dir() + "/skins/" + name,
                              0),
            0u)
            << Messages[0];
        EXPECT_EQ(changes, 0);
        EXPECT_FALSE(w.bsSkinData1->SkinIsEmpty);
        EXPECT_EQ(Looks(), before);
        EXPECT_TRUE(SkinItem("Built-in / Eingebaut")->Checked());
        // The reason follows the path.
        if (name == "no-picture") {
            EXPECT_NE(Messages[0].find("buttons.bmp"), std::string::npos) << Messages[0];
        }
        if (name == "no-forminfo") {
            EXPECT_NE(Messages[0].find("[FORMINFO]"), std::string::npos) << Messages[0];
        }
    }
    CloseWindow();
    EXPECT_EQ(ReadFile(Dir() + "/PuzzleBrowser.ini").find("Skin="), std::string::npos);
}

TEST_F(SkinChoiceTest, ARememberedSkinThatBrokeSinceStartsTheBuiltInOneSilently) {
    WriteMirroredSkin(Dir() + "/skins/gone");
    WriteFile(Dir() + "/PuzzleBrowser.ini",
              "[Browser]\r\nFirstTime=0\r\nSkin=" + Dir() + "/skins/gone/skin.ini\r\n");
    std::filesystem::remove(Dir() + "/skins/gone/frame.bmp");
    auto& w = OpenPlain();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(w.SkinChooser()->Current(), "");
    EXPECT_TRUE(SkinItem("Built-in / Eingebaut")->Checked());
    CloseWindow();
    EXPECT_NE(ReadFile(Dir() + "/PuzzleBrowser.ini").find("Skin=\r\n"), std::string::npos);
}

TEST_F(SkinChoiceTest, TheShippedLightSkinGivesALightFrameWithDarkCaptionText) {
    std::filesystem::create_directories(Dir() + "/skins");
    std::filesystem::copy(std::string(VK_SOURCE_DIR) + "/assets/skins/light", Dir() + "/skins/light");
    auto& w = OpenPlain();
    const platform::core::TPoint client = w.ClientToScreen({0, 0});
    const auto luma = [](platform::gfx::TColor c) {
        return (299 * (c & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * ((c >> 16) & 0xFF)) / 1000;
    };
    // A point of the caption strip right of the title.
    const int x = client.X + w.ClientWidth() / 2 + 150;
    const int y = (w.Top() + client.Y) / 2;
    EXPECT_LT(luma(Session().ScreenPixel(x, y)), 110u);
    SkinItem("light")->Click();
    ProcessMessages();
    ASSERT_TRUE(Messages.empty()) << Messages[0];
    EXPECT_GT(luma(Session().ScreenPixel(x, y)), 150u);
    if (const char* shot = std::getenv("VK_LIGHT_SKIN_SHOT"))
        platform::gfx::SavePng(Session().Screenshot(), shot);
}

}  // namespace
