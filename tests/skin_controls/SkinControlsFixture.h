#pragma once
// The skinned controls' fixture: a white form on the UI test context.

#include "ControlsTestSkin.h"
#include "support/UiTest.h"

namespace skinctl {

// A borderless white form at the screen's origin, shown and active.
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

    TColor PixelAt(const platform::forms::TControl* c, int x, int y) { return Ui().Pixel(c, x, y); }
    static TPoint ScreenOf(const platform::forms::TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }

    // The form as presented, and a control's pixel in it.
    TBitmap Capture() { return Ui().CaptureWindow(form->Handle()); }
    TColor At(const TBitmap& shot, const platform::forms::TControl* c, int x, int y) {
        const TPoint p = form->ScreenToClient(c->ClientToScreen({x, y}));
        return shot.Pixel(p.X, p.Y);
    }
    // The pixel of a control's rectangle that differs most from background: where text or a
    // glyph covers a whole pixel, its own colour.
    TColor StrongestInk(const platform::forms::TControl* c, const TRect& r, TColor background) {
        const TBitmap shot = Capture();
        TColor best = background;
        int bestDistance = -1;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const TColor p = At(shot, c, x, y);
                const int d = Distance(p, background);
                if (d > bestDistance) {
                    bestDistance = d;
                    best = p;
                }
            }
        return best;
    }
    // The box of a control's pixels for which keep(colour) is true; empty when there are none.
    template <class Pred>
    TRect BoxWhere(const platform::forms::TControl* c, Pred keep) {
        const TBitmap shot = Capture();
        TRect box{};
        bool any = false;
        for (int y = 0; y < c->Height(); ++y)
            for (int x = 0; x < c->Width(); ++x) {
                if (!keep(At(shot, c, x, y))) continue;
                if (!any) box = {x, y, x + 1, y + 1};
                box = box.Union({x, y, x + 1, y + 1});
                any = true;
            }
        return box;
    }
    static int Distance(TColor a, TColor b) { return vktest::TUiTestContext::Distance(a, b); }

    // Keeps a picture of the form for a human to look at (see TUiTestContext::SavePng).
    void Shot(const std::string& name) {
        if (vktest::TUiTestContext::ShotsWanted()) Ui().SavePng(Capture(), name);
    }

    platform::forms::TForm* form = nullptr;
};

}  // namespace skinctl
