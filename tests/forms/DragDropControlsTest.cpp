// Dragging any control: a button with DragMode dmAutomatic dragged onto a panel that accepts and
// onto one that refuses, the threshold (the default and one given to BeginDrag), a click that
// stays a click, Escape and EndDrag, a windowless source, and the drag properties in a form
// resource.

#include "ViewsTestSupport.h"
#include "platform/forms/DragDrop.h"
#include "platform/forms/StdCtrls.h"

namespace viewstest {
namespace {

class DragDropControlsTest : public ViewsFixture {
protected:
    void SetUp() override {
        ViewsFixture::SetUp();
        button = Make<TTestButton>(20, 20, 80, 30);
        button->SetName("Button");
        button->SetDragMode(dmAutomatic);
        button->SetDragCursor(crHandPoint);
        taker = Make<TTestPanel>(200, 20, 150, 100);
        refuser = Make<TTestPanel>(200, 150, 150, 100);
        taker->OnDragOver = [this](TComponent*, TComponent* source, int x, int y, TDragState state,
                                   bool& accept) {
            EXPECT_TRUE(accept) << "comes in true where a handler is set";
            accept = source == button;
            if (state != dsDragMove) events.push_back(state == dsDragEnter ? "enter taker" : "leave taker");
            lastOver = {x, y};
        };
        taker->OnDragDrop = [this](TComponent*, TComponent* source, int x, int y) {
            events.push_back("drop " + source->Name() + " at " + std::to_string(x) + "," + std::to_string(y));
        };
        refuser->OnDragOver = [this](TComponent*, TComponent*, int, int, TDragState state, bool& accept) {
            accept = false;
            if (state == dsDragEnter) events.push_back("enter refuser");
        };
        refuser->OnDragDrop = [this](TComponent*, TComponent*, int, int) {
            events.push_back("drop refuser");
        };
        button->OnStartDrag = [this](TComponent* sender) { events.push_back("start " + sender->Name()); };
        button->OnEndDrag = [this](TComponent*, TComponent* target, int x, int y) {
            events.push_back(std::string("end ") +
                             (target == taker ? "taker"
                              : target        ? "other"
                                              : "nil") +
                             " " + std::to_string(x) + "," + std::to_string(y));
        };
        ShowAll();
    }
    TPoint ButtonPoint() { return button->ClientToScreen({40, 15}); }
    // A fresh press each time, never the second half of a double click.
    void PressAt(TPoint at) {
        Advance(600);
        Session().MouseMove(at);
        Session().MouseDown();
        ProcessMessages();
    }
    void MoveTo(TPoint at) {
        Session().MouseMove(at);
        ProcessMessages();
    }
    void Release() {
        Session().MouseUp();
        ProcessMessages();
    }
    TDragManager& Drag() { return TDragManager::Instance(); }

    TTestButton* button = nullptr;
    TTestPanel* taker = nullptr;
    TTestPanel* refuser = nullptr;
    TPoint lastOver;
};

TEST_F(DragDropControlsTest, AButtonDraggedOntoAPanelThatAcceptsIsDroppedThere) {
    PressAt(ButtonPoint());
    EXPECT_TRUE(Drag().Active());
    EXPECT_FALSE(button->Dragging()) << "not before the pointer moves";
    MoveTo(taker->ClientToScreen({30, 40}));
    EXPECT_TRUE(button->Dragging());
    EXPECT_EQ(Drag().Target(), taker);
    EXPECT_EQ(lastOver, (TPoint{30, 40})) << "in the target's own coordinates";
    EXPECT_EQ(button->Cursor(), crHandPoint) << "the source's DragCursor where a drop is taken";
    MoveTo(taker->ClientToScreen({60, 70}));
    Release();
    EXPECT_EQ(events, (std::vector<std::string>{"start Button", "enter taker", "drop Button at 60,70",
                                                "end taker 60,70"}));
    EXPECT_EQ(button->Clicks, 0) << "a drag is no click";
    EXPECT_FALSE(Drag().Active());
    EXPECT_FALSE(button->MouseCapture());
    EXPECT_EQ(button->Cursor(), crDefault);
}

TEST_F(DragDropControlsTest, APanelThatRefusesGetsNoDropAndTheSourceEndsWithNone) {
    PressAt(ButtonPoint());
    MoveTo(refuser->ClientToScreen({50, 50}));
    EXPECT_EQ(Drag().Target(), refuser);
    EXPECT_FALSE(Drag().Accepted());
    EXPECT_EQ(button->Cursor(), crNoDrop);
    // Passing over the taker and back: it is told when the pointer leaves.
    MoveTo(taker->ClientToScreen({50, 50}));
    EXPECT_TRUE(Drag().Accepted());
    MoveTo(refuser->ClientToScreen({50, 60}));
    Release();
    EXPECT_EQ(events, (std::vector<std::string>{"start Button", "enter refuser", "enter taker", "leave taker",
                                                "enter refuser", "end nil 0,0"}));
    // A control without drag handlers is no target: the form under the pointer is none either.
    events.clear();
    PressAt(ButtonPoint());
    MoveTo(form->ClientToScreen({150, 280}));
    EXPECT_TRUE(button->Dragging());
    EXPECT_EQ(Drag().Target(), nullptr);
    Release();
    EXPECT_EQ(events, (std::vector<std::string>{"start Button", "end nil 0,0"}));
}

TEST_F(DragDropControlsTest, EscapeAndEndDragEndTheDragWithoutADrop) {
    PressAt(ButtonPoint());
    MoveTo(taker->ClientToScreen({40, 40}));
    ASSERT_TRUE(button->Dragging());
    Key(ui::VK_ESCAPE);
    EXPECT_FALSE(Drag().Active());
    EXPECT_EQ(button->Cursor(), crDefault);
    MoveTo(taker->ClientToScreen({45, 45}));
    Release();
    EXPECT_EQ(events,
              (std::vector<std::string>{"start Button", "enter taker", "leave taker", "end nil 0,0"}));
    EXPECT_EQ(button->Clicks, 0);

    // EndDrag(true) drops where the pointer is; EndDrag(false) cancels.
    events.clear();
    PressAt(ButtonPoint());
    MoveTo(taker->ClientToScreen({10, 12}));
    button->EndDrag(true);
    EXPECT_EQ(events, (std::vector<std::string>{"start Button", "enter taker", "drop Button at 10,12",
                                                "end taker 10,12"}));
    Release();
    events.clear();
    PressAt(ButtonPoint());
    MoveTo(taker->ClientToScreen({10, 12}));
    button->EndDrag(false);
    Release();
    EXPECT_EQ(events,
              (std::vector<std::string>{"start Button", "enter taker", "leave taker", "end nil 0,0"}));
}

TEST_F(DragDropControlsTest, TheThresholdKeepsAShortPressAClick) {
    const TPoint from = ButtonPoint();
    PressAt(from);
    MoveTo({from.X + 4, from.Y - 4});
    EXPECT_FALSE(button->Dragging()) << "4 pixels are below the default 5";
    MoveTo({from.X + 1, from.Y});
    Release();
    EXPECT_EQ(button->Clicks, 1);
    EXPECT_TRUE(events.empty());
    Advance(600);
    MoveTo(from);
    PressAt(from);
    MoveTo({from.X, from.Y + 5});
    EXPECT_TRUE(button->Dragging()) << "5 pixels start it";
    Release();
    EXPECT_EQ(button->Clicks, 1);

    // A manual source starts only through BeginDrag, with its own threshold.
    Advance(600);
    events.clear();
    button->SetDragMode(dmManual);
    button->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) {
        button->BeginDrag(false, 20);
    };
    PressAt(from);
    MoveTo({from.X + 19, from.Y});
    EXPECT_TRUE(Drag().Active());
    EXPECT_FALSE(button->Dragging());
    MoveTo({from.X + 20, from.Y});
    EXPECT_TRUE(button->Dragging());
    Release();
    EXPECT_EQ(events, (std::vector<std::string>{"start Button", "end nil 0,0"}));
    // Immediate: dragging at once, without a move.
    events.clear();
    button->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) {
        button->BeginDrag(true);
    };
    Advance(600);
    PressAt(from);
    EXPECT_TRUE(button->Dragging());
    Release();
    EXPECT_EQ(events, (std::vector<std::string>{"start Button", "end nil 0,0"}));
    EXPECT_EQ(button->Clicks, 1);
}

TEST_F(DragDropControlsTest, AWindowlessLabelDragsThroughItsParentsCapture) {
    auto* label = new TLabel(form);
    label->SetName("Label");
    label->SetParent(form);
    label->SetBounds(20, 200, 80, 20);
    label->SetDragMode(dmAutomatic);
    ProcessMessages();
    label->OnEndDrag = [this](TComponent*, TComponent* target, int, int) {
        events.push_back(std::string("label end ") + (target == taker ? "taker" : "nil"));
    };
    Session().Drag(label->ClientToScreen({10, 10}), taker->ClientToScreen({20, 20}), 5);
    ProcessMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"enter taker", "label end nil"}))
        << "the taker accepts only the button";
    events.clear();
    // The source going away in the middle ends the drag quietly.
    PressAt(label->ClientToScreen({10, 10}));
    MoveTo(taker->ClientToScreen({20, 30}));
    EXPECT_TRUE(label->Dragging());
    delete label;
    EXPECT_FALSE(Drag().Active());
    Release();
    EXPECT_EQ(events, (std::vector<std::string>{"enter taker"}));
}

TEST_F(DragDropControlsTest, TheDragPropertiesOfAnyControlAreReadFromAFormResource) {
    TForm* read = ShowForm(R"(object DragForm: TForm
  object Source: TTestPanel
    DragCursor = crHandPoint
    DragKind = dkDock
    DragMode = dmAutomatic
  end
  object Plain: TLabel
  end
end
)");
    auto* source = dynamic_cast<TControl*>(read->FindComponent("Source"));
    auto* plain = dynamic_cast<TControl*>(read->FindComponent("Plain"));
    ASSERT_TRUE(source && plain);
    EXPECT_EQ(source->DragMode(), dmAutomatic);
    EXPECT_EQ(source->DragKind(), dkDock);
    EXPECT_EQ(source->DragCursor(), crHandPoint);
    EXPECT_EQ(plain->DragMode(), dmManual);
    EXPECT_EQ(plain->DragCursor(), crDrag);
    // A docking source does not drag.
    source->BeginDrag(true);
    EXPECT_FALSE(TDragManager::Instance().Active());
    const std::string written = WriteComponentResource(*read);
    EXPECT_NE(written.find("DragMode = dmAutomatic"), std::string::npos);
    EXPECT_NE(written.find("DragKind = dkDock"), std::string::npos);
    EXPECT_EQ(written.find("DragCursor = crDrag"), std::string::npos) << "defaults are not written";
    delete read;
}

}  // namespace
}  // namespace viewstest
