// Dragging between the tree and list views: a drag begins only past the threshold, the target
// is asked on entering and moving and may refuse, the drop and the end reach the right controls,
// the pointer shows whether a drop is possible, and Escape cancels.

#include "ViewsTestSupport.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TreeView.h"

namespace viewstest {
namespace {

class DragDropTest : public ViewsFixture {
protected:
    void SetUp() override {
        ViewsFixture::SetUp();
        tree = Make<TTreeView>(10, 10, 150, 200);
        for (const char* t : {"Docs", "Music", "Photos"}) tree->Items().Add(nullptr, t);
        tree->SetDragMode(dmAutomatic);
        list = Make<TListView>(200, 10, 180, 200);
        list->SetViewStyle(vsReport);
        list->Columns().Add("Name", 150);
        tree->OnStartDrag = [this](TComponent*) { events.push_back("start " + tree->Selected()->Text()); };
        tree->OnEndDrag = [this](TComponent*, TComponent* target, int, int) {
            events.push_back(std::string("end ") + (target == list ? "list" : target ? "other" : "nil"));
        };
        list->OnDragOver = [this](TComponent*, TComponent* source, int, int y, TDragState state, bool& accept) {
            if (state != dsDragMove) events.push_back(state == dsDragEnter ? "enter" : "leave");
            accept = source == tree && y < 150;  // the bottom of the list refuses
        };
        list->OnDragDrop = [this](TComponent*, TComponent* source, int, int) {
            auto* t = dynamic_cast<TTreeView*>(source);
            list->Items().Add()->SetCaption(t->Selected()->Text());
            events.push_back("drop");
        };
        ShowAll();
    }
    TPoint NodePoint(int index) {
        const TRect r = tree->Items().Item(index)->DisplayRect(true);
        return tree->ClientToScreen({r.Left + 5, r.Top + r.Height() / 2});
    }
    TTreeView* tree = nullptr;
    TListView* list = nullptr;
};

TEST_F(DragDropTest, ANodeDraggedOntoTheListIsDroppedThere) {
    Session().Drag(NodePoint(1), list->ClientToScreen({50, 60}), 6);
    ProcessMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"start Music", "enter", "drop", "end list"}));
    ASSERT_EQ(list->Items().Count(), 1);
    EXPECT_EQ(list->Items().Item(0)->Caption(), "Music");
    EXPECT_FALSE(TDragManager::Instance().Active());
    EXPECT_EQ(tree->Cursor(), crDefault) << "the pointer is given back";
}

TEST_F(DragDropTest, ARefusingTargetGetsNoDropAndTheSourceEndsWithNoTarget) {
    const TPoint from = NodePoint(2);
    Session().MouseMove(from);
    Session().MouseDown();
    Session().MouseMove({from.X + 2, from.Y + 1});
    ProcessMessages();
    EXPECT_FALSE(TDragManager::Instance().Dragging()) << "below the threshold";
    Session().MouseMove(list->ClientToScreen({40, 40}));
    ProcessMessages();
    EXPECT_TRUE(TDragManager::Instance().Accepted());
    EXPECT_EQ(tree->Cursor(), crDrag);
    Session().MouseMove(list->ClientToScreen({40, 180}));
    ProcessMessages();
    EXPECT_FALSE(TDragManager::Instance().Accepted());
    EXPECT_EQ(tree->Cursor(), crNoDrop);
    Session().MouseMove(form->ClientToScreen({180, 250}));  // outside both views
    ProcessMessages();
    EXPECT_EQ(TDragManager::Instance().Target(), nullptr);
    Session().MouseUp();
    ProcessMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"start Photos", "enter", "leave", "end nil"}));
    EXPECT_EQ(list->Items().Count(), 0);
}

TEST_F(DragDropTest, AShortPressStaysAClickAndEscapeCancels) {
    Session().Click(NodePoint(0));
    ProcessMessages();
    EXPECT_EQ(tree->Selected()->Text(), "Docs");
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(TDragManager::Instance().Active());
    Advance(600);
    // A manual drag: only BeginDrag starts one; Escape ends it without a drop.
    tree->SetDragMode(dmManual);
    const TPoint from = NodePoint(1);
    Session().MouseMove(from);
    Session().MouseDown();
    ProcessMessages();
    EXPECT_FALSE(TDragManager::Instance().Active());
    tree->BeginDrag(true);
    EXPECT_TRUE(TDragManager::Instance().Dragging());
    Session().MouseMove(list->ClientToScreen({40, 40}));
    ProcessMessages();
    Session().KeyPress(ui::VK_ESCAPE);
    ProcessMessages();
    EXPECT_FALSE(TDragManager::Instance().Active());
    Session().MouseUp();
    ProcessMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"start Music", "enter", "leave", "end nil"}));
    EXPECT_EQ(list->Items().Count(), 0);
}

}  // namespace
}  // namespace viewstest
