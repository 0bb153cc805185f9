#pragma once
// The fixture of the view controls' tests: a borderless white form on the headless backend,
// controls made on it, pixels of the screen, and an event log.

#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "platform/ui/WindowSystem.h"

namespace viewstest {

using namespace platform::forms;
using namespace formstest;
namespace ui = platform::ui;
namespace gfx = platform::gfx;
using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TColor;

class ViewsFixture : public FormsFixture {
protected:
    TForm* form = nullptr;
    std::vector<std::string> events;

    void SetUp() override {
        FormsFixture::SetUp();
        form = new TForm(&App());
        form->SetBorderStyle(bsNone);
        form->SetBounds(50, 50, 400, 300);
        form->SetColor(gfx::clWhite);
    }

    template <class T>
    T* Make(int left, int top, int width, int height) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        return c;
    }

    void ShowAll() {
        form->Show();
        ProcessMessages();
    }

    TColor Pixel(const TControl* c, int x, int y) {
        const TPoint p = c->ClientToScreen({x, y});
        return Session().ScreenPixel(p.X, p.Y);
    }

    void ClickAt(const TControl* c, int x, int y) {
        Session().Click(c->ClientToScreen({x, y}));
        ProcessMessages();
    }

    void Key(uint32_t vk) {
        Session().KeyPress(vk);
        ProcessMessages();
    }

    void KeyWith(uint32_t modifier, uint32_t vk) {
        Session().KeyDown(modifier);
        Session().KeyPress(vk);
        Session().KeyUp(modifier);
        ProcessMessages();
    }
};

}  // namespace viewstest
