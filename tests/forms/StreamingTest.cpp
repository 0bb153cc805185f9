// Form resources: reading with references in any order, Loaded after every reference, writing
// without defaults, round trips, binary data, and refusing bad resources with their line and
// nothing left behind.

#include <algorithm>

#include "FormsTestSupport.h"
#include "platform/forms/ApplicationCreateForm.h"
#include "platform/forms/EmbeddedResources.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/FormParser.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/Menus.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/Timer.h"

namespace formstest {
namespace {

class Streaming : public FormsFixture {
protected:
    TForm* Read(const std::string& text, bool ignoreHandlers = true) {
        auto* form = new TForm(&App());
        TFormReadOptions options;
        options.SourceName = "test.vkf";
        options.IgnoreMissingHandlers = ignoreHandlers;
        try {
            ReadComponentResource(*form, text, options);
        } catch (...) {
            m_failed = form;
            throw;
        }
        return form;
    }
    // The error of reading text into a fresh form.
    EFormResourceError ErrorOf(const std::string& text) {
        try {
            Read(text);
        } catch (const EFormResourceError& e) {
            return e;
        }
        ADD_FAILURE() << "the resource was accepted";
        return EFormResourceError("", 0, "");
    }
    TForm* m_failed = nullptr;
};

const char* kCrossReferences = R"(object Main: TForm
  Caption = 'Cross'
  ActiveControl = Edit1
  object Probe1: TProbe
    Partner = Probe2
    Value = 1
  end
  object Label1: TLabel
    Left = 8
    Top = 8
    Caption = '&Name:'
    FocusControl = Edit1
  end
  object Probe2: TProbe
    Partner = Probe1
  end
  object Edit1: TTestEdit
    Left = 8
    Top = 30
    TabOrder = 0
  end
end
)";

TEST_F(Streaming, ReferencesInAnyOrderAreAllSetBeforeAnyLoaded) {
    TForm* form = Read(kCrossReferences);
    auto* probe1 = dynamic_cast<TProbe*>(form->FindComponent("Probe1"));
    auto* probe2 = dynamic_cast<TProbe*>(form->FindComponent("Probe2"));
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label1"));
    auto* edit = dynamic_cast<TTestEdit*>(form->FindComponent("Edit1"));
    ASSERT_TRUE(probe1 && probe2 && label && edit);
    EXPECT_EQ(probe1->Partner(), probe2);
    EXPECT_EQ(probe2->Partner(), probe1);
    EXPECT_EQ(label->FocusControl(), edit);
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_EQ(probe1->Value(), 1);
    EXPECT_EQ(probe2->Value(), 7);
    // Probe1's Loaded already saw Probe2's reference (Probe2 comes later in the file), and
    // the Loaded calls came in creation order.
    EXPECT_EQ(Log(), (std::vector<std::string>{"loaded Probe1 partner=Probe2 partner.partner=Probe1",
                                               "loaded Probe2 partner=Probe1 partner.partner=Probe2"}));
    EXPECT_EQ(form->Name(), "Main");
    EXPECT_EQ(form->Caption(), "Cross");
    EXPECT_FALSE(probe1->IsLoading());
    EXPECT_FALSE(form->IsLoading());
    EXPECT_EQ(label->Parent(), form);
    delete form;
}

TEST_F(Streaming, EventsBindToTheRootsPublishedMethods) {
    struct TMyForm : TForm {
        explicit TMyForm(TComponent* owner) : TForm(owner) {
            PublishMethod<void(TComponent*)>("ProbePing", [this](TComponent* s) { Pinged = s; });
            PublishMethod<void(TComponent*, TCloseAction&)>("FormClose", [](TComponent*, TCloseAction&) {});
            PublishField("Probe1", Probe1);
        }
        TComponent* Pinged = nullptr;
        TProbe* Probe1 = nullptr;
    };
    TMyForm form(&App());
    ReadComponentResource(form,
                          "object F: TForm\n  OnClose = FormClose\n  object Probe1: TProbe\n    OnPing = "
                          "ProbePing\n  end\nend\n");
    ASSERT_NE(form.Probe1, nullptr);
    ASSERT_TRUE(form.Probe1->OnPing);
    form.Probe1->OnPing(form.Probe1);
    EXPECT_EQ(form.Pinged, form.Probe1);
    EXPECT_TRUE(form.OnClose);
    EXPECT_NE(WriteComponentResource(form).find("OnPing = ProbePing"), std::string::npos);
    // A handler of the wrong type, or none, is refused with its line.
    TMyForm other(&App());
    try {
        ReadComponentResource(other, "object F2: TForm\n  OnClose = ProbePing\nend\n");
        FAIL();
    } catch (const EFormResourceError& e) {
        EXPECT_EQ(e.Line(), 2);
    }
    try {
        ReadComponentResource(other, "object F2: TForm\n\n  OnShow = Nothing\nend\n");
        FAIL();
    } catch (const EFormResourceError& e) {
        EXPECT_EQ(e.Line(), 3);
    }
}

TEST_F(Streaming, DefaultsAreNotWrittenAndChangesAre) {
    auto* form = new TForm(&App());
    form->SetName("Demo");
    auto* label = new TLabel(form);
    label->SetName("Label1");
    label->SetParent(form);
    label->SetCaption("Hello");
    auto* second = new TLabel(form);
    second->SetName("Label2");
    second->SetParent(form);
    second->SetAutoSize(false);
    second->SetAlignment(taCenter);
    auto* timer = new TTimer(form);
    timer->SetName("Timer1");
    auto* timer2 = new TTimer(form);
    timer2->SetName("Timer2");
    timer2->SetInterval(250);
    const std::string text = WriteComponentResource(*form);
    auto block = [&](const std::string& name) {
        const auto start = text.find("object " + name + ":");
        const auto end = text.find("\n  end", start);
        return text.substr(start, end - start);
    };
    const std::string l1 = block("Label1");
    EXPECT_NE(l1.find("Caption = 'Hello'"), std::string::npos);
    for (const char* dflt : {"AutoSize", "Visible", "Enabled", "Alignment", "Transparent", "WordWrap", "Tag",
                             "Cursor", "ShowAccelChar", "ParentFont"})
        EXPECT_EQ(l1.find(dflt), std::string::npos) << dflt << " was written:\n" << l1;
    const std::string l2 = block("Label2");
    EXPECT_NE(l2.find("AutoSize = False"), std::string::npos);
    EXPECT_NE(l2.find("Alignment = taCenter"), std::string::npos);
    EXPECT_EQ(block("Timer1").find("Interval"), std::string::npos);
    EXPECT_NE(block("Timer2").find("Interval = 250"), std::string::npos);
    delete form;
}

TEST_F(Streaming, WritingThenReadingGivesTheSameResource) {
    TForm* form = Read(kCrossReferences);
    form->SetKeyPreview(true);
    form->SetBorderIcons(biSystemMenu);
    form->SetBorderStyle(bsDialog);
    const std::string once = WriteComponentResource(*form);
    auto* copy = new TForm(nullptr);  // not the application's: it may take the name Main
    ReadComponentResource(*copy, once);
    const std::string twice = WriteComponentResource(*copy);
    EXPECT_EQ(once, twice);
    EXPECT_TRUE(copy->KeyPreview());
    EXPECT_EQ(copy->BorderStyle(), bsDialog);
    EXPECT_EQ(copy->BorderIcons(), biSystemMenu);
    EXPECT_NE(once.find("BorderIcons = [biSystemMenu]"), std::string::npos);
    delete copy;
    delete form;
}

TEST_F(Streaming, StringsSetsListsAndBinaryValuesRoundTrip) {
    platform::gfx::TBitmap strip(32, 16);
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 16; ++y)
            strip.SetPixel(x, y, x < 16 ? platform::gfx::clRed : platform::gfx::clBlue);
    const std::vector<uint8_t> bmp = strip.SaveToMemory();
    auto* form = new TForm(&App());
    auto* images = new TImageListComponent(form);
    images->SetName("Images");
    images->SetMasked(false);
    ASSERT_TRUE(images->SetStripData(bmp));
    EXPECT_EQ(images->Count(), 2);
    auto* label = new TLabel(form);
    label->SetName("Label1");
    label->SetParent(form);
    label->SetCaption("it's\rtwo lines");
    label->Font().SetStyle(platform::gfx::fsBold | platform::gfx::fsUnderline);
    auto* menu = new TMainMenu(form);
    menu->SetName("Menu1");
    menu->SetImages(images);
    auto* item = new TMenuItem(form);
    item->SetName("Save1");
    item->SetCaption("&Save");
    item->SetShortCut(ShortCut('S', ssCtrl));
    menu->Items()->Add(item);
    form->SetMenu(menu);
    const std::string text = WriteComponentResource(*form);
    EXPECT_NE(text.find("Caption = 'it''s'#13'two lines'"), std::string::npos) << text;
    EXPECT_NE(text.find("Font.Style = [fsBold, fsUnderline]"), std::string::npos) << text;
    EXPECT_NE(text.find("ShortCut = 'Ctrl+S'"), std::string::npos) << text;
    EXPECT_NE(text.find("Bitmap = {"), std::string::npos);

    auto* copy = new TForm(&App());
    ReadComponentResource(*copy, text);
    auto* label2 = dynamic_cast<TLabel*>(copy->FindComponent("Label1"));
    auto* images2 = dynamic_cast<TImageListComponent*>(copy->FindComponent("Images"));
    auto* menu2 = dynamic_cast<TMainMenu*>(copy->FindComponent("Menu1"));
    ASSERT_TRUE(label2 && images2 && menu2);
    EXPECT_EQ(label2->Caption(), "it's\rtwo lines");
    EXPECT_EQ(label2->Font().Style(), platform::gfx::fsBold | platform::gfx::fsUnderline);
    EXPECT_FALSE(label2->ParentFont());
    EXPECT_EQ(images2->Count(), 2);
    EXPECT_EQ(images2->StripData(), bmp);
    EXPECT_EQ(copy->Menu(), menu2);
    EXPECT_EQ(menu2->Images(), images2);
    ASSERT_EQ(menu2->Items()->Count(), 1);
    EXPECT_EQ(menu2->Items()->Items(0)->Caption(), "&Save");
    EXPECT_EQ(menu2->Items()->Items(0)->ShortCut(), ShortCut('S', ssCtrl));
    EXPECT_EQ(WriteComponentResource(*copy), text);
    delete copy;
    delete form;
}

TEST_F(Streaming, PicturesComeFromHexOrFromNamedFiles) {
    platform::gfx::TBitmap pic(4, 3);
    pic.Canvas().Brush.Color = platform::gfx::clLime;
    pic.Canvas().FillRect({0, 0, 4, 3});
    const std::vector<uint8_t> bytes = pic.SaveToMemory();
    static std::vector<uint8_t> embedded;
    embedded = bytes;
    RegisterEmbeddedResource("test-green.bmp", embedded.data(), embedded.size());
    TForm* form = Read(
        "object F: TForm\n  object Image1: TImage\n    AutoSize = True\n    Picture.Data = "
        "file('test-green.bmp')\n  end\nend\n");
    auto* image = dynamic_cast<TImage*>(form->FindComponent("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 4);
    EXPECT_EQ(image->Height(), 3);
    EXPECT_EQ(image->Picture().Bitmap().Pixel(1, 1), platform::gfx::clLime);
    // Written back as hex, read again the same.
    const std::string text = WriteComponentResource(*form);
    EXPECT_NE(text.find("Picture.Data = {"), std::string::npos);
    TForm* copy = Read(text);
    auto* image2 = dynamic_cast<TImage*>(copy->FindComponent("Image1"));
    ASSERT_NE(image2, nullptr);
    EXPECT_EQ(image2->Picture().SaveToMemory(), bytes);
    // A resolver of the caller comes first.
    auto* third = new TForm(&App());
    TFormReadOptions options;
    options.ResolveFile = [&](const std::string& name) -> std::optional<std::vector<uint8_t>> {
        if (name == "virtual.bmp") return bytes;
        return std::nullopt;
    };
    ReadComponentResource(
        *third,
        "object F: TForm\n  object Image1: TImage\n    Picture.Data = file('virtual.bmp')\n  end\nend\n",
        options);
    EXPECT_FALSE(dynamic_cast<TImage*>(third->FindComponent("Image1"))->Picture().Empty());
    delete third;
    delete copy;
    delete form;
}

TEST_F(Streaming, AnUnknownPropertyIsRefusedWithItsLineBeforeAnythingIsMade) {
    const auto e = ErrorOf(
        "object F: TForm\n  object Probe1: TProbe\n    Value = 3\n  end\n  object Probe2: TProbe\n    Colour "
        "= 5\n  end\nend\n");
    EXPECT_EQ(e.Line(), 6);
    EXPECT_NE(std::string(e.what()).find("test.vkf(6)"), std::string::npos) << e.what();
    EXPECT_NE(e.Reason().find("Colour"), std::string::npos);
    ASSERT_NE(m_failed, nullptr);
    EXPECT_EQ(m_failed->ComponentCount(), 0);
    EXPECT_TRUE(Log().empty());
    EXPECT_FALSE(m_failed->IsLoading());
    delete m_failed;
}

TEST_F(Streaming, ABadValueIsRefusedWithItsLineAndWhatWasMadeIsFreed) {
    struct Case {
        const char* Text;
        int Line;
    };
    const Case cases[] = {
        {"object F: TForm\n  object Probe1: TProbe\n  end\n  object Probe2: TProbe\n    Value = 'seven'\n  "
         "end\nend\n",
         5},
        {"object F: TForm\n  object Probe1: TProbe\n  end\n  object L: TLabel\n    Alignment = taMiddle\n  "
         "end\nend\n",
         5},
        {"object F: TForm\n  object Probe1: TProbe\n  end\n  object L: TLabel\n    Visible = Yes\n  "
         "end\nend\n",
         5},
        {"object F: TForm\n  object Probe1: TProbe\n  end\n  object L: TLabel\n    Font.Style = [fsBold, "
         "fsFat]\n  end\nend\n",
         5},
        {"object F: TForm\n  object Probe1: TProbe\n    Partner = Nowhere\n  end\nend\n", 3},
        {"object F: TForm\n  object Probe1: TProbe\n  end\n  object L: TLabel\n    FocusControl = Probe1\n  "
         "end\nend\n",
         5},
        {"object F: TForm\n  object Probe1: TProbe\n  end\n  object Probe1: TProbe\n  end\nend\n", 4},
        {"object F: TForm\n  object Probe1: TProbe\n  end\n  object I: TImage\n    Picture.Data = {0102}\n  "
         "end\nend\n",
         5},
        {"object F: TForm\n  object Probe1: TProbe\n  end\n  object I: TImage\n    Picture.Data = "
         "file('no-such-file.bmp')\n  end\nend\n",
         5},
    };
    for (const Case& c : cases) {
        Log().clear();
        m_failed = nullptr;
        const auto e = ErrorOf(c.Text);
        EXPECT_EQ(e.Line(), c.Line) << c.Text << "\n" << e.what();
        ASSERT_NE(m_failed, nullptr);
        EXPECT_EQ(m_failed->ComponentCount(), 0) << c.Text;
        EXPECT_EQ(m_failed->ControlCount(), 0) << c.Text;
        EXPECT_NE(std::find(Log().begin(), Log().end(), "free Probe1"), Log().end()) << c.Text;
        delete m_failed;
    }
}

TEST_F(Streaming, UnknownClassesAndSyntaxErrorsNameTheirLine) {
    struct Case {
        const char* Text;
        int Line;
    };
    const Case cases[] = {
        {"object F: TForm\n  object X: TNoSuchClass\n  end\nend\n", 2},
        {"object F: TForm\n  object X: TControl\n  end\nend\n", 2},  // abstract
        {"object F: TForm\n  Caption = 'open\nend\n", 2},
        {"object F: TForm\n  Left = \nend\n", 3},
        {"object F: TForm\n  Left 5\nend\n", 2},
        {"object F: TForm\n  object L: TLabel\n", 3},
        {"object F: TForm\nend\nobject G: TForm\nend\n", 3},
        {"object F: TLabel\nend\n", 1},
        {"object F: TForm\n  Tag = 99999999999999999999999\nend\n", 2},
        {"object F: TForm\n  Icon = {0G}\nend\n", 2},
        {"object F: TForm\n  Icon = {012}\nend\n", 2},
        {"object F: TForm\n  Caption = #99999999\nend\n", 2},
        {"object F: TForm\n  Font.Style = [fsBold\nend\n", 3},
        {"", 1},
    };
    for (const Case& c : cases) {
        m_failed = nullptr;
        const auto e = ErrorOf(c.Text);
        EXPECT_EQ(e.Line(), c.Line) << c.Text << "\n" << e.what();
        if (m_failed) {
            EXPECT_EQ(m_failed->ComponentCount(), 0);
            delete m_failed;
        }
    }
}

TEST_F(Streaming, DeepNestingIsRefusedNotOverflowed) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "object A" + std::to_string(i) + ": TTestPanel\n";
    text = "object F: TForm\n" + text;
    const auto e = ErrorOf(text);
    EXPECT_GT(e.Line(), 0);
    delete m_failed;
}

TEST_F(Streaming, DamagedResourcesAreRefusedOrReadNeverCrash) {
    // Deterministic damage: bytes replaced, dropped or doubled at pseudo-random places.
    const std::string original = kCrossReferences;
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    const char alphabet[] = "'#{}[]()=:+-$0123456789aZ_. \n\tend object";
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text = original;
        const int edits = 1 + static_cast<int>(next() % 4);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const size_t at = next() % text.size();
            switch (next() % 3) {
                case 0:
                    text[at] = alphabet[next() % (sizeof(alphabet) - 1)];
                    break;
                case 1:
                    text.erase(at, 1 + next() % 8);
                    break;
                default:
                    text.insert(at, text.substr(at, std::min<size_t>(text.size() - at, 1 + next() % 12)));
                    break;
            }
        }
        auto* form = new TForm(nullptr);
        try {
            ReadComponentResource(*form, text);
        } catch (const EFormResourceError& e) {
            ++refused;
            EXPECT_EQ(form->ComponentCount(), 0) << text;
            EXPECT_GE(e.Line(), 1);
        }
        delete form;
    }
    EXPECT_GT(refused, 100);
}

TEST_F(Streaming, TheSyntaxReadsCommentsHexNumbersAndJoinedStrings) {
    const auto node = detail::ParseFormText(
        "// a comment\nobject F: TForm // trailing\n  Tag = $1F\n  Caption = 'a' +\n    'b'#65'c'\n  Hint = "
        "''\nend\n",
        "x");
    ASSERT_EQ(node.Properties.size(), 3u);
    EXPECT_EQ(node.Properties[0].Value.Int, 31);
    EXPECT_EQ(node.Properties[1].Value.Text, "abAc");
    EXPECT_EQ(node.Properties[1].Line, 4);
    EXPECT_EQ(node.Properties[2].Value.Text, "");
}

TEST_F(Streaming, AFormComesFromAnEmbeddedResourceAndFiresOnCreateAfterLoading) {
    static const std::string text =
        "object Embedded: TForm\n  Caption = 'From the executable'\n  ClientWidth = 300\n  ClientHeight = "
        "200\n"
        "  Visible = True\n  object Probe1: TProbe\n  end\nend\n";
    RegisterEmbeddedResource("embedded-test.vkf", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    struct TMyForm : TForm {
        explicit TMyForm(TComponent* owner) : TForm(owner) {
            OnCreate = [this](TComponent*) {
                SawProbe = FindComponent("Probe1") != nullptr;
                WasVisibleAtCreate = HandleIfAllocated() && HandleIfAllocated()->IsVisible();
            };
        }
        bool SawProbe = false;
        bool WasVisibleAtCreate = true;
    };
    auto* form = App().CreateForm<TMyForm>("embedded-test.vkf");
    EXPECT_TRUE(form->SawProbe);
    EXPECT_FALSE(form->WasVisibleAtCreate);
    EXPECT_EQ(App().MainForm(), form);
    EXPECT_EQ(form->Caption(), "From the executable");
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    ASSERT_NE(form->HandleIfAllocated(), nullptr);
    EXPECT_TRUE(form->HandleIfAllocated()->IsVisible());
    EXPECT_EQ(Backend().Native(form->HandleIfAllocated()->NativeId())->Title, "From the executable");
    EXPECT_THROW((void)CreateFormFromResource<TForm>(&App(), "no-such-resource.vkf"), EFormResourceError);
}

}  // namespace
}  // namespace formstest
