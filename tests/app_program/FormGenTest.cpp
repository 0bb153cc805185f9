// formgen, the build step that fills the window templates: what it writes reads back as the
// values it was given, and a template it cannot fill leaves the output as it was.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "TestFiles.h"
#include "platform/forms/FormParser.h"

namespace {

using namespace program_test;

int RunFormGen(const std::string& args) {
    return std::system((std::string("'") + VK_FORMGEN + "' " + args + " 2>/dev/null").c_str());
}

TEST(FormGenTest, FilledTemplateReadsBackAsTheSkinLinesAndTexts) {
    TempDir dir;
    // A description written in Windows-1252 (ä as one byte) with a quote and CR LF line ends.
    WriteFile(dir.Path() + "/skin.ini",
              "[VERSION]\r\nskinname=Kr\xE4"
              "ftig 'Slate'\r\n\r\n[PICTURES]\r\npicture=a.bmp\r\n");
    WriteFile(dir.Path() + "/t.vkf",
              "object F: TForm\n"
              "  object s: TbsStoredSkin\n"
              "    IniStrings = <<skin-lines>>\n"
              "  end\n"
              "  object l: TbsSkinLinkLabel\n"
              "    URL = <<url>>\n"
              "  end\n"
              "end\n");
    const std::string out = dir.Path() + "/out.vkf";
    ASSERT_EQ(RunFormGen("'" + out + "' '" + dir.Path() + "/t.vkf' --skin '" + dir.Path() +
                         "/skin' --text \"url=https://x.example/a?b='c'\""),
              0);
    const auto root = platform::forms::detail::ParseFormText(ReadFile(out), "out.vkf");
    ASSERT_EQ(root.Children.size(), 2u);
    const auto& lines = root.Children[0].Properties.at(0).Value.Names;
    EXPECT_EQ(lines, (std::vector<std::string>{"[VERSION]",
                                               "skinname=Kr\xC3\xA4"
                                               "ftig 'Slate'",
                                               "", "[PICTURES]", "picture=a.bmp"}));
    EXPECT_EQ(root.Children[1].Properties.at(0).Value.Text, "https://x.example/a?b='c'");
}

TEST(FormGenTest, AnUnfillableTemplateFailsAndLeavesTheOutputAlone) {
    TempDir dir;
    const std::string out = dir.Path() + "/out.vkf";
    WriteFile(out, "the previous form");
    WriteFile(dir.Path() + "/unknown.vkf", "object F: TForm\n  Caption = <<nobody-gave-this>>\nend\n");
    EXPECT_NE(RunFormGen("'" + out + "' '" + dir.Path() + "/unknown.vkf'"), 0);
    WriteFile(dir.Path() + "/skin.vkf", "object F: TForm\n  Lines = <<skin-lines>>\nend\n");
    EXPECT_NE(RunFormGen("'" + out + "' '" + dir.Path() + "/skin.vkf' --skin '" + dir.Path() + "/missing'"),
              0);
    WriteFile(dir.Path() + "/open.vkf", "object F: TForm\n  Caption = <<url\nend\n");
    EXPECT_NE(RunFormGen("'" + out + "' '" + dir.Path() + "/open.vkf' --text url=x"), 0);
    EXPECT_NE(RunFormGen("'" + out + "' '" + dir.Path() + "/no-such-template.vkf'"), 0);
    EXPECT_EQ(ReadFile(out), "the previous form");
}

}  // namespace
