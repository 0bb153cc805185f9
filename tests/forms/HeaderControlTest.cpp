// The header control: its hit test of sections and dividers, resizing on a divider within the
// section's limits, clicks, reordering by dragging, owner-drawn sections, and the sections as
// resource lines.

#include "ViewsTestSupport.h"
#include "platform/forms/HeaderControl.h"

namespace viewstest {
namespace {

class HeaderControlTest : public ViewsFixture {
protected:
    THeaderControl* MakeHeader() {
        header = Make<THeaderControl>(10, 10, 300, 20);
        for (const char* text : {"Name", "Size", "Date"}) {
            THeaderSection* s = header->Sections().Add();
            s->SetText(text);
            s->SetWidth(80);
        }
        header->OnSectionClick = [this](TComponent*, THeaderSection* s) { events.push_back("click " + s->Text()); };
        header->OnSectionResize = [this](TComponent*, THeaderSection* s) {
            events.push_back("resize " + s->Text() + " " + std::to_string(s->Width()));
        };
        ShowAll();
        return header;
    }
    std::string Order() const {
        std::string out;
        for (int i = 0; i < header->Sections().Count(); ++i) out += header->Sections().Items(i)->Text() + " ";
        return out;
    }
    void DragIn(int x1, int x2) {
        Session().Drag(header->ClientToScreen({x1, 10}), header->ClientToScreen({x2, 10}));
        ProcessMessages();
        Advance(600);
    }
    THeaderControl* header = nullptr;
};

TEST_F(HeaderControlTest, ItsHitTestTellsDividersFromSections) {
    MakeHeader();
    using H = THeaderHit;
    EXPECT_EQ(header->HitTest(40, 10), (H{H::Section, 0}));
    EXPECT_EQ(header->HitTest(77, 10), (H{H::Divider, 0}));
    EXPECT_EQ(header->HitTest(83, 10), (H{H::Divider, 0}));
    EXPECT_EQ(header->HitTest(84, 10), (H{H::Section, 1}));
    EXPECT_EQ(header->HitTest(242, 10), (H{H::Divider, 2}));
    EXPECT_EQ(header->HitTest(260, 10), H{});
    EXPECT_EQ(header->HitTest(40, 25), H{});
    // A closed section's divider wins over the section after it, so it can be opened again.
    header->Sections().Items(1)->SetWidth(0);
    EXPECT_EQ(header->HitTest(80, 10), (H{H::Divider, 1}));
    EXPECT_EQ(header->SectionRect(2), (TRect{80, 0, 160, 20}));
    // Sections move with the offset a scrolled list gives them.
    header->SetOffset(-30);
    EXPECT_EQ(header->HitTest(10, 10), (H{H::Section, 0}));
    EXPECT_EQ(header->HitTest(50, 10), (H{H::Divider, 1}));
}

TEST_F(HeaderControlTest, ADividerDragResizesWithinTheLimitsAndReportsOnce) {
    MakeHeader();
    std::vector<int> tracked;
    header->OnSectionTrack = [&](TComponent*, THeaderSection*, int width, TSectionTrackState state) {
        if (state == tsTrackMove) tracked.push_back(width);
        else events.push_back(state == tsTrackBegin ? "begin" : "end");
    };
    DragIn(80, 120);
    EXPECT_EQ(header->Sections().Items(0)->Width(), 120);
    EXPECT_FALSE(tracked.empty());
    EXPECT_EQ(tracked.back(), 120);
    EXPECT_EQ(events, (std::vector<std::string>{"begin", "end", "resize Name 120"})) << "no click";
    events.clear();
    THeaderSection* size = header->Sections().Items(1);
    size->SetMinWidth(30);
    size->SetMaxWidth(100);
    DragIn(200, 100);
    EXPECT_EQ(size->Width(), 30);
    DragIn(150, 290);
    EXPECT_EQ(size->Width(), 100);
    // A drag that ends where it began changes nothing and reports no resize.
    events.clear();
    header->OnSectionTrack = nullptr;
    DragIn(220, 220);
    EXPECT_TRUE(events.empty());
}

TEST_F(HeaderControlTest, ClicksNeedPressAndReleaseOnOneSectionOfAButtonHeader) {
    MakeHeader();
    ClickAt(header, 100, 10);
    EXPECT_EQ(events, (std::vector<std::string>{"click Size"}));
    events.clear();
    DragIn(100, 200);
    EXPECT_TRUE(events.empty()) << "released over another section";
    header->Sections().Items(2)->SetAllowClick(false);
    ClickAt(header, 200, 10);
    EXPECT_TRUE(events.empty());
    header->SetStyle(hsFlat);
    ClickAt(header, 20, 10);
    EXPECT_TRUE(events.empty()) << "flat headers are not buttons";
}

TEST_F(HeaderControlTest, DraggingASectionReordersUnlessRefused) {
    MakeHeader();
    header->SetDragReorder(true);
    bool allow = false;
    header->OnSectionDrag = [&](TComponent*, THeaderSection* from, THeaderSection* to, bool& allowDrag) {
        events.push_back("drag " + from->Text() + " " + to->Text());
        allowDrag = allow;
    };
    header->OnSectionEndDrag = [this](TComponent*) { events.push_back("end"); };
    DragIn(20, 200);
    EXPECT_EQ(Order(), "Name Size Date ");
    EXPECT_EQ(events, (std::vector<std::string>{"drag Name Date", "end"}));
    allow = true;
    events.clear();
    DragIn(20, 200);
    EXPECT_EQ(Order(), "Size Date Name ");
    EXPECT_EQ(header->Sections().Items(2)->Index(), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"drag Name Date", "end"})) << "a reorder is no click";
    // A small wobble is still a click.
    events.clear();
    DragIn(20, 22);
    EXPECT_EQ(events, (std::vector<std::string>{"click Size"}));
}

TEST_F(HeaderControlTest, OwnerDrawnSectionsAreDrawnByTheirOwnerWithThePressedState) {
    MakeHeader();
    header->Sections().Items(1)->SetStyle(hsOwnerDraw);
    std::vector<std::string> drawn;
    header->OnDrawSection = [&](TComponent*, THeaderSection* s, const TRect& r, bool pressed) {
        drawn.push_back(s->Text() + " " + std::to_string(r.Left) + (pressed ? " pressed" : ""));
        header->Canvas().Brush.Color = gfx::clRed;
        header->Canvas().FillRect({r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2});
    };
    header->Repaint();
    EXPECT_EQ(drawn, (std::vector<std::string>{"Size 80"}));
    EXPECT_EQ(Pixel(header, 120, 10), gfx::clRed);
    EXPECT_NE(Pixel(header, 40, 10), gfx::clRed);
    drawn.clear();
    Session().MouseMove(header->ClientToScreen({120, 10}));
    Session().MouseDown();
    ProcessMessages();
    header->Repaint();
    EXPECT_EQ(drawn.back(), "Size 80 pressed");
    Session().MouseUp();
    ProcessMessages();
}

TEST_F(HeaderControlTest, SectionsAsLinesKeepCommasInTextsAndSkipBadNumbers) {
    MakeHeader();
    header->Sections().Items(0)->SetText("Name, first");
    header->Sections().Items(0)->SetAlignment(taCenter);
    const auto lines = header->Sections().SaveToLines();
    EXPECT_EQ(lines[0], "Name, first,80,2,0,10000,-1");
    auto* other = Make<THeaderControl>(0, 100, 200, 20);
    other->Sections().LoadFromLines(lines);
    EXPECT_EQ(other->Sections().SaveToLines(), lines);
    other->Sections().LoadFromLines({"Plain", "Wide,500,7", "x,-5"});
    EXPECT_EQ(other->Sections().Items(0)->Width(), 50);
    EXPECT_EQ(other->Sections().Items(1)->Width(), 500);
    EXPECT_EQ(other->Sections().Items(1)->Alignment(), taLeftJustify) << "7 is no alignment";
    EXPECT_EQ(other->Sections().Items(2)->Width(), 0) << "below the minimum of 0";
}

}  // namespace
}  // namespace viewstest
