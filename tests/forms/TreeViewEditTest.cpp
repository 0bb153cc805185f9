// Editing a tree node's label: F2 and a slow second click start it with an edit over the label,
// Enter commits through OnEdited (which may change the text), Escape cancels, OnEditing and
// ReadOnly refuse, leaving the edit commits, TTreeNode::EditText / EndEdit do it from code, and a
// node deleted while it is edited ends the edit.

#include <cstdlib>

#include "ViewsTestSupport.h"
#include "platform/forms/Edit.h"
#include "platform/forms/TreeView.h"

namespace viewstest {
namespace {

class TreeViewEditTest : public ViewsFixture {
protected:
    void SetUp() override {
        ViewsFixture::SetUp();
        tree = Make<TTreeView>(10, 10, 200, 200);
        docs = tree->Items().Add(nullptr, "Docs");
        music = tree->Items().Add(nullptr, "Music");
        photos = tree->Items().Add(nullptr, "Photos");
        other = Make<TTestButton>(250, 10, 100, 25);
        tree->OnEditing = [this](TComponent*, TTreeNode* node, bool& allow) {
            events.push_back("editing " + node->Text());
            allow = node != photos;
        };
        tree->OnEdited = [this](TComponent*, TTreeNode* node, std::string& s) {
            events.push_back("edited " + node->Text() + " -> " + s);
        };
        ShowAll();
        tree->SetFocus();
        tree->SetSelected(music);
        ProcessMessages();
    }
    TPoint LabelPoint(TTreeNode* node) {
        const TRect r = node->DisplayRect(true);
        return tree->ClientToScreen({r.Left + 4, r.Top + r.Height() / 2});
    }
    void Type(const std::string& text) {
        Session().TypeText(text);
        ProcessMessages();
    }
    TTreeView* tree = nullptr;
    TTreeNode *docs = nullptr, *music = nullptr, *photos = nullptr;
    TTestButton* other = nullptr;  // takes the focus when pressed
};

TEST_F(TreeViewEditTest, F2EditsTheLabelAndEnterCommits) {
    Key(ui::VK_F2);
    ASSERT_TRUE(tree->IsEditing());
    EXPECT_EQ(tree->EditingNode(), music);
    TEdit* edit = tree->EditControl();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->Visible());
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->Text(), "Music");
    // The edit lies over the label.
    const TRect label = music->DisplayRect(true);
    EXPECT_TRUE(edit->BoundsRect().Contains({label.Left + 2, label.Top + label.Height() / 2}));
    EXPECT_GE(edit->Width(), label.Width());
    Type("Songs");  // replaces the whole text, which starts selected
    // For a human to look at: VK_UI_SHOTS names a folder.
    if (const char* dir = std::getenv("VK_UI_SHOTS"); dir && *dir) {
        EXPECT_TRUE(gfx::SavePng(Session().Screenshot(), std::string(dir) + "/tree-label-edit.png"));
    }
    EXPECT_EQ(music->Text(), "Music") << "nothing changes before Enter";
    Key(ui::VK_RETURN);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(tree->EditControl(), nullptr);
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(music->Text(), "Songs");
    EXPECT_TRUE(tree->Focused()) << "the focus comes back to the tree";
    EXPECT_EQ(events, (std::vector<std::string>{"editing Music", "edited Music -> Songs"}));
    // The keys are the tree's again.
    Key(ui::VK_DOWN);
    EXPECT_EQ(tree->Selected(), photos);
}

TEST_F(TreeViewEditTest, EscapeCancelsAndOnEditedMayChangeTheText) {
    Key(ui::VK_F2);
    Type("Noise");
    Key(ui::VK_ESCAPE);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(music->Text(), "Music");
    EXPECT_EQ(events, (std::vector<std::string>{"editing Music"}));
    tree->OnEdited = [](TComponent*, TTreeNode*, std::string& s) { s = "[" + s + "]"; };
    Key(ui::VK_F2);
    Type("Tunes");
    Key(ui::VK_RETURN);
    EXPECT_EQ(music->Text(), "[Tunes]");
}

TEST_F(TreeViewEditTest, OnEditingAndReadOnlyRefuse) {
    tree->SetSelected(photos);
    Key(ui::VK_F2);
    EXPECT_FALSE(tree->IsEditing()) << "OnEditing refused";
    EXPECT_EQ(events, (std::vector<std::string>{"editing Photos"}));
    EXPECT_FALSE(photos->EditText());
    tree->SetReadOnly(true);
    tree->SetSelected(docs);
    events.clear();
    Key(ui::VK_F2);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_FALSE(docs->EditText());
    EXPECT_TRUE(events.empty()) << "a read-only tree does not even ask";
}

TEST_F(TreeViewEditTest, ASlowSecondClickOnTheChosenLabelEditsItADoubleClickDoesNot) {
    Session().Click(LabelPoint(docs));
    ProcessMessages();
    EXPECT_EQ(tree->Selected(), docs);
    Advance(1000);
    EXPECT_FALSE(tree->IsEditing()) << "the click that chose the node does not edit";
    Session().Click(LabelPoint(docs));
    ProcessMessages();
    EXPECT_FALSE(tree->IsEditing()) << "not before a double click is ruled out";
    Advance(600);
    ProcessMessages();
    ASSERT_TRUE(tree->IsEditing());
    EXPECT_EQ(tree->EditingNode(), docs);
    Key(ui::VK_ESCAPE);

    // A double click on the chosen node is no edit.
    Advance(1000);
    events.clear();
    Session().Click(LabelPoint(docs));
    Session().Click(LabelPoint(docs));
    ProcessMessages();
    Advance(1000);
    ProcessMessages();
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_TRUE(events.empty());
}

TEST_F(TreeViewEditTest, LeavingTheEditCommitsAndCodeCanStartAndEndAnEdit) {
    Key(ui::VK_F2);
    Type("Records");
    Session().Click(other->ClientToScreen({5, 5}));
    ProcessMessages();
    EXPECT_TRUE(other->Focused());
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(music->Text(), "Records");

    ASSERT_TRUE(docs->EditText());
    EXPECT_EQ(tree->EditingNode(), docs);
    EXPECT_TRUE(tree->EditControl()->Focused());
    Type("Papers");
    music->EndEdit(true);  // not the node being edited: nothing happens
    EXPECT_TRUE(tree->IsEditing());
    docs->EndEdit(false);
    EXPECT_EQ(docs->Text(), "Papers");
    ASSERT_TRUE(docs->EditText());
    Type("Lost");
    docs->EndEdit(true);
    EXPECT_EQ(docs->Text(), "Papers");
    // Starting another edit commits the one running.
    ASSERT_TRUE(docs->EditText());
    Type("Letters");
    ASSERT_TRUE(music->EditText());
    EXPECT_EQ(docs->Text(), "Letters");
    EXPECT_EQ(tree->EditingNode(), music);
    Key(ui::VK_ESCAPE);
}

TEST_F(TreeViewEditTest, ANodeDeletedWhileEditedEndsTheEdit) {
    Key(ui::VK_F2);
    Type("Gone");
    music->Delete();
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(tree->EditControl(), nullptr);
    EXPECT_EQ(tree->Items().Count(), 2);
    // OnEdited deleting its node: the commit has nothing left to rename.
    tree->OnEdited = [this](TComponent*, TTreeNode* node, std::string&) { node->Delete(); };
    ASSERT_TRUE(docs->EditText());
    Type("Away");
    Key(ui::VK_RETURN);
    EXPECT_FALSE(tree->IsEditing());
    ASSERT_EQ(tree->Items().Count(), 1);
    EXPECT_EQ(tree->Items().GetFirstNode()->Text(), "Photos");
}

}  // namespace
}  // namespace viewstest
