// The seams between the control classes and the rest of the framework: weak handles on
// components, the form host that controls find their form through, the screen's form list,
// the application services (hint, screen cursor) and the hooks windowed controls answer
// differently from windowless ones; and the shared font property group.

#include "FormsTestSupport.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/FormHost.h"
#include "platform/forms/Menus.h"
#include "platform/forms/StandardProperties.h"
#include "platform/forms/StdCtrls.h"
#include "platform/ui/WindowSystem.h"

namespace formstest {
namespace {

using platform::core::TPoint;
using platform::gfx::TFont;

class Seams : public FormsFixture {
protected:
    TForm* NewForm(const std::string& name, int left = 100) {
        auto* form = new TForm(&App());
        form->SetName(name);
        form->SetBounds(left, 100, 300, 200);
        return form;
    }
};

TEST_F(Seams, AWeakHandleTurnsFalseWhenItsComponentGoesAndStaysSafeToAsk) {
    const TWeakRef<TComponent> empty;
    EXPECT_FALSE(empty.Alive());
    EXPECT_EQ(empty.Get(), nullptr);

    TForm* form = NewForm("Host");
    auto* probe = new TProbe(form);
    const TWeakRef<TForm> formRef = TComponent::WeakRefOf(form);
    const TWeakRef<TComponent> probeRef = probe->WeakRef();
    const TWeakRef<TComponent> formAsComponent = formRef;  // a base-class handle on the same form
    EXPECT_EQ(formRef.Get(), form);
    EXPECT_EQ(probeRef.Get(), probe);
    EXPECT_TRUE(formAsComponent);
    EXPECT_EQ(TComponent::WeakRefOf(static_cast<TForm*>(nullptr)).Get(), nullptr);

    delete form;  // frees the probe it owns
    EXPECT_FALSE(formRef);
    EXPECT_FALSE(probeRef);
    EXPECT_FALSE(formAsComponent.Alive());
    EXPECT_EQ(formRef.Get(), nullptr);
    EXPECT_EQ(probeRef.Get(), nullptr);
}

TEST_F(Seams, AControlFreedByItsOwnClickGetsNoMoreMouseEvents) {
    TForm* form = NewForm("Host");
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(10, 10, 60, 20);
    form->Show();
    ProcessMessages();
    std::vector<std::string> events;
    TWeakRef<TComponent> seen;
    label->OnClick = [&](TComponent* sender) {
        events.push_back("click");
        seen = sender->WeakRef();
        delete sender;
    };
    label->OnMouseUp = [&](TComponent*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
    Session().Click(At(label, 5, 5));
    EXPECT_EQ(events, std::vector<std::string>{"click"});
    EXPECT_FALSE(seen.Alive());
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(Seams, ControlsFindTheirFormThroughTheHostAndFocusGoesThroughIt) {
    TForm* form = NewForm("Host");
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    auto* edit = new TTestEdit(form);
    edit->SetParent(panel);
    form->Show();
    ProcessMessages();
    EXPECT_EQ(GetParentForm(edit), form);
    ASSERT_NE(FindFormHost(edit), nullptr);
    EXPECT_EQ(FindFormHost(edit)->HostControl(), form);
    EXPECT_EQ(FindFormHost(form)->HostControl(), form);

    edit->SetFocus();
    ProcessMessages();
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_TRUE(edit->Focused());
    // Hiding the focused control's container takes the focus bookkeeping away from it.
    panel->Hide();
    ProcessMessages();
    EXPECT_NE(form->ActiveControl(), edit);

    // A top-level control that is no form has no host: its children focus on their own.
    TTestPanel loose(nullptr);
    auto* inner = new TTestEdit(&loose);
    inner->SetParent(&loose);
    EXPECT_EQ(FindFormHost(inner), nullptr);
    EXPECT_EQ(GetParentForm(inner), nullptr);
    EXPECT_TRUE(inner->CanFocus());
    inner->SetEnabled(false);
    EXPECT_FALSE(inner->CanFocus());
}

TEST_F(Seams, TheScreenKeepsItsFormsInCreationOrderAcrossRemovals) {
    TScreen& screen = *platform::forms::Screen;
    const int before = screen.FormCount();
    TForm* a = NewForm("Alpha", 50);
    TForm* b = NewForm("Beta", 200);
    TForm* c = NewForm("Gamma", 350);
    ASSERT_EQ(screen.FormCount(), before + 3);
    delete b;
    ASSERT_EQ(screen.FormCount(), before + 2);
    EXPECT_EQ(screen.Forms(before), a);
    EXPECT_EQ(screen.Forms(before + 1), c);
    EXPECT_EQ(screen.FindForm("gamma"), c);
    EXPECT_EQ(screen.FindForm("Beta"), nullptr);

    auto* edit = new TTestEdit(c);
    edit->SetParent(c);
    c->Show();
    ProcessMessages();
    edit->SetFocus();
    ProcessMessages();
    EXPECT_EQ(screen.ActiveForm(), c);
    EXPECT_EQ(screen.ActiveControl(), edit);
    delete a;
    EXPECT_EQ(screen.ActiveForm(), c);
    EXPECT_EQ(screen.FindForm("Gamma"), c);
}

TEST_F(Seams, TheScreenCursorOverridesTheControlsCursorUntilReset) {
    TForm* form = NewForm("Host");
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetCursor(crHandPoint);
    form->Show();
    ProcessMessages();
    Session().MouseMove(At(panel, 20, 20));
    ProcessMessages();
    EXPECT_EQ(Backend().Cursor(), ui::TCursorShape::Hand);

    platform::forms::Screen->SetCursor(crHourGlass);
    Session().MouseMove(At(panel, 25, 25));
    ProcessMessages();
    EXPECT_EQ(Backend().Cursor(), ui::TCursorShape::Wait);

    platform::forms::Screen->SetCursor(crDefault);
    Session().MouseMove(At(panel, 30, 30));
    ProcessMessages();
    EXPECT_EQ(Backend().Cursor(), ui::TCursorShape::Hand);
}

TEST_F(Seams, WindowedAndWindowlessControlsHoldTheMouseAndTheZOrderTheirOwnWay) {
    TForm* form = NewForm("Host");
    auto* lower = new TTestPanel(form);
    lower->SetParent(form);
    lower->SetBounds(10, 10, 100, 60);
    auto* upper = new TTestPanel(form);
    upper->SetParent(form);
    upper->SetBounds(40, 30, 100, 60);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(200, 10, 50, 20);
    form->Show();
    ProcessMessages();
    ui::TWindowSystem& ws = System();

    // The overlap belongs to the window on top; BringToFront and SendToBack move the windows.
    const TPoint overlap = At(upper, 5, 5);
    EXPECT_EQ(ws.WindowFromPoint(overlap), upper->HandleIfAllocated());
    lower->BringToFront();
    EXPECT_EQ(ws.WindowFromPoint(overlap), lower->HandleIfAllocated());
    EXPECT_EQ(form->ControlList().back(), lower);
    lower->SendToBack();
    EXPECT_EQ(ws.WindowFromPoint(overlap), upper->HandleIfAllocated());
    EXPECT_EQ(form->ControlList().front(), lower);

    // A window captures for itself; a windowless control through its parent's window.
    upper->SetMouseCapture(true);
    EXPECT_EQ(ws.GetCapture(), upper->HandleIfAllocated());
    EXPECT_TRUE(upper->MouseCapture());
    upper->SetMouseCapture(false);
    EXPECT_EQ(ws.GetCapture(), nullptr);
    label->SetMouseCapture(true);
    EXPECT_EQ(ws.GetCapture(), form->HandleIfAllocated());
    EXPECT_TRUE(label->MouseCapture());
    EXPECT_FALSE(upper->MouseCapture());
    label->SetMouseCapture(false);
    EXPECT_FALSE(label->MouseCapture());
    EXPECT_EQ(ws.GetCapture(), nullptr);
}

TEST_F(Seams, ARightClickWithoutPopupMenuAsksTheParentForTheContextMenu) {
    TForm* form = NewForm("Host");
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(10, 10, 60, 20);
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(100, 10, 80, 60);
    auto* popup = new TPopupMenu(form);
    int popped = 0;
    popup->OnPopup = [&](TComponent*) { ++popped; };
    form->SetPopupMenu(popup);
    form->Show();
    ProcessMessages();
    // Neither child has a menu of its own: the form's menu shows for both, once each.
    Session().Click(At(label, 5, 5), ui::TMouseButton::Right);
    ProcessMessages();
    EXPECT_EQ(popped, 1);
    EXPECT_EQ(popup->PopupComponent(), form);
    Session().Click(At(panel, 5, 5), ui::TMouseButton::Right);
    ProcessMessages();
    EXPECT_EQ(popped, 2);
}

// A component with a font of its own, declared through the shared font group.
class TFontHolder : public TComponent {
public:
    explicit TFontHolder(TComponent* owner) : TComponent(owner) { m_font = StartFont(); }
    static TFont StartFont() {
        TFont f;
        f.SetName("Arial");
        f.SetHeight(14);
        f.SetStyle(platform::gfx::fsBold);
        return f;
    }
    [[nodiscard]] const TFont& CaptionFont() const { return m_font; }
    bool Keep = true;

private:
    TFont m_font;
};

TEST_F(Seams, TheSharedFontGroupWritesOnlyWhatDiffersFromTheStartFont) {
    auto& registry = TClassRegistry::Instance();
    if (!registry.Find("TFontHolder")) {
        auto b = registry.Register<TFontHolder>("TFontHolder", "TComponent");
        AddFontProperties(
            b, "CaptionFont", [](const TFontHolder& h) -> const TFont& { return h.CaptionFont(); },
            TFontPropertyOptions<TFontHolder>{TFontHolder::StartFont(),
                                              [](const TFontHolder& h) { return h.Keep; }, true});
    }
    TFontHolder holder(nullptr);
    holder.SetName("Holder");
    std::string text = WriteComponentResource(holder);
    EXPECT_EQ(text.find("CaptionFont."), std::string::npos) << text;

    ReadComponentResource(holder,
                          "object Holder: TFontHolder\n"
                          "  CaptionFont.Color = clRed\n"
                          "  CaptionFont.Size = 12\n"
                          "  CaptionFont.Style = [fsItalic]\n"
                          "end\n");
    EXPECT_EQ(holder.CaptionFont().Color(), platform::gfx::clRed);
    EXPECT_EQ(holder.CaptionFont().Size(), 12);
    EXPECT_EQ(holder.CaptionFont().Style(), platform::gfx::fsItalic);
    text = WriteComponentResource(holder);
    EXPECT_NE(text.find("CaptionFont.Color = clRed"), std::string::npos) << text;
    EXPECT_NE(text.find("CaptionFont.Style = [fsItalic]"), std::string::npos) << text;
    EXPECT_NE(text.find("CaptionFont.Height"), std::string::npos) << text;  // the size, as a height
    EXPECT_EQ(text.find("CaptionFont.Size"), std::string::npos) << text;
    EXPECT_EQ(text.find("CaptionFont.Name"), std::string::npos) << text;  // still the start name

    holder.Keep = false;
    text = WriteComponentResource(holder);
    EXPECT_EQ(text.find("CaptionFont."), std::string::npos) << text;
}

}  // namespace
}  // namespace formstest
