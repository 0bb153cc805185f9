// The skinned list box's drag properties and events, held by the inner list: set through the
// skin list box, read from and written to a form resource, and used to drag an item from one
// skinned list box to another in a test form (a list refuses its own items; Escape cancels).

#include "BoxesFixture.h"
#include "platform/forms/DragDrop.h"
#include "platform/forms/FormResource.h"
#include "skin/boxes/bsSkinBoxCtrlsListBox.h"
#include "skin/boxes/bsSkinBoxCtrlsRegister.h"

namespace boxes {
namespace {

using namespace platform::forms;
using skin::TbsListBox;
using skin::TbsSkinCustomListBox;
using skin::TbsSkinListBox;

// Moves the dragged list's chosen item to the row it is dropped on.
class TDragForm : public TForm {
public:
    explicit TDragForm(TComponent* owner) : TForm(owner) {
        PublishMethod<void(TComponent*, TComponent*, int, int, TDragState, bool&)>(
            "ListDragOver",
            [this](TComponent* sender, TComponent* source, int, int, TDragState, bool& accept) {
                accept = OwnerOf(source) && OwnerOf(source) != OwnerOf(sender);
            });
        PublishMethod<void(TComponent*, TComponent*, int, int)>(
            "ListDragDrop", [this](TComponent* sender, TComponent* source, int x, int y) {
                TbsSkinCustomListBox* from = OwnerOf(source);
                TbsSkinCustomListBox* to = OwnerOf(sender);
                const int index = from->ItemIndex();
                if (index < 0) return;
                const std::string text = from->Items()[index];
                const int at = to->ListBox()->ItemAtPos({x, y}, false);
                from->Items().Delete(index);
                to->Items().Insert(at, text);
                Log.push_back("drop " + text + " at " + std::to_string(at));
            });
        PublishMethod<void(TComponent*)>("ListStartDrag", [this](TComponent* sender) {
            Log.push_back("start " + OwnerOf(sender)->Name());
        });
        PublishMethod<void(TComponent*, TComponent*, int, int)>(
            "ListEndDrag", [this](TComponent* sender, TComponent* target, int, int) {
                Log.push_back("end " + OwnerOf(sender)->Name() + " " +
                              (target ? OwnerOf(target)->Name() : "nil"));
            });
    }
    static TbsSkinCustomListBox* OwnerOf(TComponent* inner) {
        auto* list = dynamic_cast<TbsListBox*>(inner);
        return list ? list->SkinListBox() : nullptr;
    }
    std::vector<std::string> Log;
};

constexpr std::string_view kDragForm = R"(object DragForm: TForm
  BorderStyle = bsNone
  ClientWidth = 400
  ClientHeight = 300
  object Left: TbsSkinListBox
    Left = 10
    Top = 10
    Width = 150
    Height = 200
    ListBoxDragCursor = crHandPoint
    ListBoxDragMode = dmAutomatic
    Items.Strings = (
      'apple'
      'banana'
      'cherry')
    OnListBoxDragDrop = ListDragDrop
    OnListBoxDragOver = ListDragOver
    OnListBoxEndDrag = ListEndDrag
    OnListBoxStartDrag = ListStartDrag
  end
  object Right: TbsSkinListBox
    Left = 220
    Top = 10
    Width = 150
    Height = 200
    ListBoxDragMode = dmAutomatic
    Items.Strings = (
      'xray'
      'yankee')
    OnListBoxDragDrop = ListDragDrop
    OnListBoxDragOver = ListDragOver
  end
end
)";

class ListBoxDragTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        skin::RegisterSkinBoxClasses();
        dragForm = new TDragForm(&App());
        ReadComponentResource(*dragForm, kDragForm);
        dragForm->SetBounds(0, 0, 400, 300);
        dragForm->Show();
        ProcessMessages();
        left = dynamic_cast<TbsSkinListBox*>(dragForm->FindComponent("Left"));
        right = dynamic_cast<TbsSkinListBox*>(dragForm->FindComponent("Right"));
        ASSERT_TRUE(left && right);
    }
    void TearDown() override {
        delete dragForm;
        FormFixture::TearDown();
    }
    // The middle of an item's row, on the screen.
    static TPoint ItemPoint(TbsSkinCustomListBox* box, int index) {
        const TRect r = box->ListBox()->ItemRect(index);
        return box->ListBox()->ClientToScreen({r.Left + 20, r.Top + r.Height() / 2});
    }
    TDragForm* dragForm = nullptr;
    TbsSkinListBox* left = nullptr;
    TbsSkinListBox* right = nullptr;
};

TEST_F(ListBoxDragTest, ThePropertiesAndEventsAreTheInnerListsOwn) {
    TbsListBox* inner = left->ListBox();
    EXPECT_EQ(inner->DragMode(), dmAutomatic);
    EXPECT_EQ(inner->DragCursor(), crHandPoint);
    EXPECT_TRUE(inner->OnDragDrop && inner->OnDragOver && inner->OnStartDrag && inner->OnEndDrag);
    EXPECT_FALSE(right->ListBox()->OnStartDrag) << "Right has no start handler";
    left->SetListBoxDragKind(dkDock);
    EXPECT_EQ(inner->DragKind(), dkDock);
    EXPECT_EQ(left->ListBoxDragKind(), dkDock);
    inner->SetDragMode(dmManual);
    EXPECT_EQ(left->ListBoxDragMode(), dmManual) << "read back from the inner list";
    int calls = 0;
    left->OnListBoxStartDrag() = [&](TComponent*) { ++calls; };
    inner->OnStartDrag(inner);
    EXPECT_EQ(calls, 1);

    // Written back with what differs from the defaults, and read again the same.
    left->SetListBoxDragMode(dmAutomatic);
    const std::string text = WriteComponentResource(*dragForm);
    EXPECT_NE(text.find("ListBoxDragMode = dmAutomatic"), std::string::npos) << text;
    EXPECT_NE(text.find("ListBoxDragCursor = crHandPoint"), std::string::npos) << text;
    EXPECT_NE(text.find("ListBoxDragKind = dkDock"), std::string::npos) << text;
    EXPECT_EQ(text.find("ListBoxDragCursor = crDrag"), std::string::npos) << "the default is not written";
    auto* copy = new TDragForm(&App());
    ReadComponentResource(*copy, text);
    auto* leftCopy = dynamic_cast<TbsSkinListBox*>(copy->FindComponent("Left"));
    ASSERT_NE(leftCopy, nullptr);
    EXPECT_EQ(leftCopy->ListBox()->DragKind(), dkDock);
    EXPECT_EQ(leftCopy->ListBox()->DragCursor(), crHandPoint);
    delete copy;
}

TEST_F(ListBoxDragTest, AnItemDraggedToAnotherSkinListBoxMovesThere) {
    const TPoint from = ItemPoint(left, 1);
    Ui().MouseMove(from);
    Ui().MouseDown();
    Ui().MouseMove({from.X + 10, from.Y});
    ProcessMessages();
    EXPECT_EQ(left->ItemIndex(), 1) << "the press chose banana";
    EXPECT_EQ(TDragManager::Instance().Source(), left->ListBox());
    Ui().MouseMove(ItemPoint(right, 1));
    ProcessMessages();
    EXPECT_EQ(TDragManager::Instance().Target(), right->ListBox());
    EXPECT_TRUE(TDragManager::Instance().Accepted());
    EXPECT_EQ(left->ListBox()->Cursor(), crHandPoint);
    Ui().SavePng("listbox-drag");
    Ui().Release();
    ProcessMessages();
    EXPECT_EQ(left->Items().ToVector(), (std::vector<std::string>{"apple", "cherry"}));
    EXPECT_EQ(right->Items().ToVector(), (std::vector<std::string>{"xray", "banana", "yankee"}));
    EXPECT_EQ(dragForm->Log, (std::vector<std::string>{"start Left", "drop banana at 1", "end Left Right"}));
    // Below the last row the item goes to the end.
    dragForm->Log.clear();
    Ui().Advance(600);
    Ui().Drag(ItemPoint(left, 0), right->ListBox()->ClientToScreen({20, right->ListBox()->Height() - 5}), 4);
    ProcessMessages();
    EXPECT_EQ(right->Items().ToVector(), (std::vector<std::string>{"xray", "banana", "yankee", "apple"}));
    EXPECT_EQ(left->Items().ToVector(), (std::vector<std::string>{"cherry"}));
}

TEST_F(ListBoxDragTest, AListRefusesItsOwnItemsAndEscapeCancels) {
    Ui().Drag(ItemPoint(left, 0), ItemPoint(left, 2), 4);
    ProcessMessages();
    EXPECT_EQ(left->Items().ToVector(), (std::vector<std::string>{"apple", "banana", "cherry"}));
    EXPECT_EQ(dragForm->Log, (std::vector<std::string>{"start Left", "end Left nil"}));
    dragForm->Log.clear();
    Ui().Advance(600);
    const TPoint from = ItemPoint(left, 2);
    Ui().MouseMove(from);
    Ui().MouseDown();
    Ui().MouseMove(ItemPoint(right, 0));
    ProcessMessages();
    EXPECT_TRUE(TDragManager::Instance().Accepted());
    Ui().KeyPress(platform::ui::VK_ESCAPE);
    ProcessMessages();
    EXPECT_FALSE(TDragManager::Instance().Active());
    Ui().Release();
    ProcessMessages();
    EXPECT_EQ(right->Items().Count(), 2);
    EXPECT_EQ(dragForm->Log, (std::vector<std::string>{"start Left", "end Left nil"}));
}

}  // namespace
}  // namespace boxes
