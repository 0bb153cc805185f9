#pragma once
// The box controls' fixture: a white form on the UI test context.

#include "BoxesTestSkin.h"
#include "support/UiTest.h"

namespace boxes {

// A borderless white form at (0, 0), shown and active.
class FormFixture : public vktest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = new platform::forms::TForm(&App());
        form->SetName("TestForm");
        form->SetBorderStyle(platform::forms::bsNone);
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(kFormColor);
        form->Show();
        ProcessMessages();
    }
    void TearDown() override {
        delete form;
        form = nullptr;
        UiTest::TearDown();
    }

    template <class T>
    T* Make(int left, int top) {
        T* c = new T(form);
        c->SetParent(form);
        c->SetLeft(left);
        c->SetTop(top);
        return c;
    }

    static TPoint ScreenOf(const platform::forms::TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }
    void MoveTo(const platform::forms::TControl* c, int x, int y) { Ui().MoveTo(c, x, y); }
    void Press(const platform::forms::TControl* c, int x, int y,
               platform::ui::TMouseButton button = platform::ui::TMouseButton::Left) {
        Ui().Press(c, x, y, button);
    }
    void Release(platform::ui::TMouseButton button = platform::ui::TMouseButton::Left) { Ui().Release(button); }
    void ClickAt(const platform::forms::TControl* c, int x, int y) { Ui().Click(c, x, y); }

    // What the screen shows at a control's client point, after painting what is pending.
    TColor PixelAt(const platform::forms::TControl* c, int x, int y) { return Ui().Pixel(c, x, y); }
    // Whether a pixel of a control's rectangle has the colour, within a tolerance (sum of the
    // channel differences) that lets the cores of anti-aliased letters count.
    bool AnyPixel(const platform::forms::TControl* c, const TRect& r, TColor color, int tolerance = 0) {
        const TPoint origin = c->ClientToScreen({r.Left, r.Top});
        const TBitmap shot = Ui().Capture(TRect{origin.X, origin.Y, origin.X + r.Width(), origin.Y + r.Height()});
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (Distance(shot.Pixel(x, y), color) <= tolerance) return true;
        return false;
    }
    static int Distance(TColor a, TColor b) { return vktest::TUiTestContext::Distance(a, b); }
    static constexpr int kInk = 120;

    // Keeps a picture of the screen for a human to look at (see TUiTestContext::SavePng).
    void Shot(const std::string& name) { Ui().SavePng(name); }

    platform::forms::TForm* form = nullptr;
};

}  // namespace boxes
