// The skin data as a component among forms: the order and content of the skin-change messages,
// free notification, design-time file names, and the published properties in form resources.

#include <gtest/gtest.h>

#include <memory>

#include "platform/core/Stream.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/PropertyTable.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataRegister.h"
#include "skin/data/bszlibcompress.h"
#include "support/HeadlessFixture.h"
#include "tests/skin_data/SkinDataFixture.h"

using namespace skin;
using platform::forms::TApplication;
using platform::forms::TForm;

namespace {

struct TSkinMessage {
    std::string Form;
    uint32_t Msg = 0;
    platform::forms::TWParam WParam = 0;
    platform::forms::TLParam LParam = 0;
    bool SkinIsEmpty = false;
    std::size_t Controls = 0;
};

class SkinDataComponent : public vktest::HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        m_app = std::make_unique<TApplication>();
        RegisterSkinDataClasses();
    }
    void TearDown() override {
        m_app.reset();
        HeadlessFixture::TearDown();
    }

    // A form that records the skin-change messages it receives, with the skin data's state at
    // that moment.
    TForm* MakeForm(const std::string& name) {
        auto* form = new TForm(m_app.get());
        form->SetName(name);
        auto previous = form->WindowProc;
        form->WindowProc = [this, form, previous](platform::forms::TMessage& m) {
            if (m.Msg >= SkinBeforeChange && m.Msg <= SkinAfterChange) {
                auto* data = reinterpret_cast<TbsSkinData*>(m.WParam);
                Log.push_back({form->Name(), m.Msg, m.WParam, m.LParam, data->SkinIsEmpty,
                               data->ControlRecords.size()});
            }
            previous(m);
        };
        return form;
    }

    std::vector<std::string> Sequence() const {
        std::vector<std::string> out;
        for (const auto& e : Log) out.push_back(e.Form + ":" + std::to_string(e.Msg));
        return out;
    }

    static void Fill(TbsStoredSkin& stored, std::string_view text = skintest::kSkinText) {
        auto source = skintest::SkinSource();
        source.Lines = skintest::Lines(text);
        stored.Assign(source);
    }

    std::vector<TSkinMessage> Log;

private:
    std::unique_ptr<TApplication> m_app;
};

}  // namespace

TEST_F(SkinDataComponent, OwnerFormHearsFirstThenEveryOtherFormInOrder) {
    TForm* a = MakeForm("A");
    TForm* b = MakeForm("B");
    MakeForm("C");
    (void)a;
    auto* stored = new TbsStoredSkin(b);
    Fill(*stored);
    auto* data = new TbsSkinData(b);
    data->SetStoredSkin(stored);

    EXPECT_EQ(Sequence(), (std::vector<std::string>{"B:1225", "A:1225", "C:1225", "B:1226", "A:1226",
                                                    "C:1226", "B:1227", "A:1227", "C:1227"}));
    for (const auto& e : Log) {
        EXPECT_EQ(e.WParam, reinterpret_cast<platform::forms::TWParam>(data));
        EXPECT_EQ(e.LParam, 1000);
        // Before the change the skin is already marked empty; after it the records are there.
        EXPECT_EQ(e.SkinIsEmpty, e.Msg == SkinBeforeChange) << e.Form << e.Msg;
        if (e.Msg != SkinBeforeChange) {
            EXPECT_EQ(e.Controls, 6u);
        }
    }

    // A skin data that no form owns tells all forms, in their order.
    Log.clear();
    TbsSkinData loose(nullptr);
    loose.SetStoredSkin(stored);
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"A:1225", "B:1225", "C:1225", "A:1226", "B:1226",
                                                    "C:1226", "A:1227", "B:1227", "C:1227"}));
}

TEST_F(SkinDataComponent, NilKeepsTheSkinAndFailedLoadsSendWhatTheyMust) {
    TForm* form = MakeForm("F");
    auto* stored = new TbsStoredSkin(form);
    Fill(*stored);
    auto* data = new TbsSkinData(form);
    data->SetStoredSkin(stored);
    ASSERT_FALSE(data->SkinIsEmpty);

    Log.clear();
    data->SetStoredSkin(nullptr);
    EXPECT_TRUE(Log.empty());
    EXPECT_FALSE(data->SkinIsEmpty);
    EXPECT_EQ(data->ControlRecords.size(), 6u);

    // An incomplete description: all three messages, and an empty skin after them.
    std::string text(skintest::kSkinText);
    text.erase(text.find("[VERSION]"), 9);
    auto* incomplete = new TbsStoredSkin(form);
    Fill(*incomplete, text);
    Log.clear();
    data->SetStoredSkin(incomplete);
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"F:1225", "F:1226", "F:1227"}));
    EXPECT_TRUE(Log.back().SkinIsEmpty);
    EXPECT_TRUE(data->SkinIsEmpty);

    // A compressed skin of another version: the change is announced and never completed.
    data->SetStoredSkin(stored);
    std::vector<uint8_t> content;
    ASSERT_TRUE(BuildCompressedContent(skintest::SkinSource(), content));
    content[0] = 7;
    auto* compressed = new TbsCompressedStoredSkin(form);
    compressed->SetCompressedData(ZCompress(content.data(), content.size()));
    Log.clear();
    data->SetCompressedStoredSkin(compressed);
    EXPECT_EQ(Sequence(), std::vector<std::string>{"F:1225"});
    EXPECT_TRUE(data->SkinIsEmpty);
    EXPECT_TRUE(data->ControlRecords.empty());

    // An empty compressed skin changes nothing and says nothing.
    data->SetStoredSkin(stored);
    auto* empty = new TbsCompressedStoredSkin(form);
    Log.clear();
    data->SetCompressedStoredSkin(empty);
    EXPECT_TRUE(Log.empty());
    EXPECT_FALSE(data->SkinIsEmpty);
}

TEST_F(SkinDataComponent, FreeingTheStoredSkinClearsTheReferenceAndKeepsTheSkin) {
    TForm* form = MakeForm("F");
    auto* stored = new TbsStoredSkin(form);
    Fill(*stored);
    auto* compressed = new TbsCompressedStoredSkin(form);
    std::vector<uint8_t> packed;
    ASSERT_TRUE(CompressSkin(skintest::SkinSource(), packed));
    compressed->SetCompressedData(packed);
    TbsSkinData data(nullptr);
    data.SetStoredSkin(stored);
    data.SetCompressedStoredSkin(compressed);
    Log.clear();
    delete stored;
    delete compressed;
    EXPECT_EQ(data.StoredSkin(), nullptr);
    EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
    EXPECT_TRUE(Log.empty());
    EXPECT_FALSE(data.SkinIsEmpty);
    EXPECT_EQ(data.IndexOfControl("combobox"), 1);
}

namespace {

// Exposes the design state, which the running program never sets.
class TDesignedStoredSkin : public TbsStoredSkin {
public:
    TDesignedStoredSkin() { SetComponentState(platform::forms::csDesigning, true); }
};
class TDesignedCompressedSkin : public TbsCompressedStoredSkin {
public:
    TDesignedCompressedSkin() { SetComponentState(platform::forms::csDesigning, true); }
};

}  // namespace

TEST(SkinDataDesign, FileNamesLoadOnlyWhileDesigning) {
    skintest::TTempDir dir;
    std::string path = skintest::WriteSkinFolder(dir);

    TbsStoredSkin running;
    running.SetFileName(path);
    EXPECT_EQ(running.FileName(), path);
    EXPECT_EQ(running.IniStrings().Count(), 0);

    TDesignedStoredSkin designed;
    designed.SetFileName(path);
    EXPECT_EQ(designed.FileName(), "skin.ini");
    EXPECT_EQ(designed.IniStrings().Text(), skintest::SkinLines().Text());
    EXPECT_EQ(designed.ActivePictures.size(), 2u);

    TbsCompressedStoredSkin compressedRunning;
    compressedRunning.SetFileName(path);
    EXPECT_TRUE(compressedRunning.IsEmpty());
    TDesignedCompressedSkin compressedDesigned;
    compressedDesigned.SetFileName(path);
    EXPECT_FALSE(compressedDesigned.IsEmpty());
    ASSERT_TRUE(compressedDesigned.SaveCompressedFile(dir.Path("skin.skn")));
    TDesignedCompressedSkin fromFile;
    fromFile.SetCompressedFileName(dir.Path("skin.skn"));
    EXPECT_EQ(fromFile.CompressedData(), compressedDesigned.CompressedData());
}

TEST_F(SkinDataComponent, FormResourceCarriesTheSkinAndLoadsItOnceReferencesResolve) {
    TForm* form = MakeForm("Browser");
    auto* stored = new TbsStoredSkin(form);
    stored->SetName("bsStoredSkin1");
    Fill(*stored);
    auto* data = new TbsSkinData(form);
    data->SetName("bsSkinData1");
    data->SetStoredSkin(stored);
    std::string text = platform::forms::WriteComponentResource(*form);
    EXPECT_NE(text.find("bsStoredSkin1"), std::string::npos);

    TForm* copy = MakeForm("Copy");
    Log.clear();
    platform::forms::ReadComponentResource(*copy, text);
    auto* readData = dynamic_cast<TbsSkinData*>(copy->FindComponent("bsSkinData1"));
    auto* readStored = dynamic_cast<TbsStoredSkin*>(copy->FindComponent("bsStoredSkin1"));
    ASSERT_NE(readData, nullptr);
    ASSERT_NE(readStored, nullptr);
    EXPECT_EQ(readData->StoredSkin(), readStored);
    EXPECT_FALSE(readData->SkinIsEmpty);
    EXPECT_EQ(readData->ControlRecords.size(), 6u);
    EXPECT_EQ(readData->IndexOfControl("combobox"), 1);
    platform::core::TMemoryStream a, b;
    ASSERT_TRUE(stored->WritePictures(a));
    ASSERT_TRUE(readStored->WritePictures(b));
    EXPECT_EQ(a.Bytes(), b.Bytes());
    EXPECT_FALSE(Log.empty());

    // A damaged pictures property does not stop the form; the skin data then stays empty.
    const auto* info = platform::forms::TClassRegistry::Instance().Find("TbsStoredSkin");
    ASSERT_NE(info, nullptr);
    const auto* pictures = info->FindProperty("Pictures");
    ASSERT_NE(pictures, nullptr);
    auto bytes = a.Bytes();
    bytes.resize(bytes.size() / 2);
    EXPECT_NO_THROW(pictures->Set(*readStored, platform::forms::TPropValue::Binary(bytes)));
    EXPECT_FALSE(readStored->Problem().empty());
    readData->SetStoredSkin(readStored);
    EXPECT_TRUE(readData->SkinIsEmpty);
}
