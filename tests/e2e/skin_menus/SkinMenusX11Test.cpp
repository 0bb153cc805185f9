// A form with the default skin on the x11 backend, driven from outside with xdotool as a user
// would: the system menu from its caption button and from a right click on the caption, the
// keyboard in it, and minimise, maximise, restore and roll-up on the real window.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsSkinMenusWindow.h"

// Last: Xlib's macros must not reach the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using platform::forms::wsMaximized;
using platform::forms::wsMinimized;
using platform::forms::wsNormal;

class SkinMenusX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display && *display) << "needs an X server: run under scripts/with-xvfb.sh";
        std::string error;
        auto backend = x11::CreateX11Backend(error);
        ASSERT_TRUE(backend) << error;
        m_system = std::make_unique<TWindowSystem>(std::move(backend));
        m_observer = XOpenDisplay(nullptr);
        ASSERT_NE(m_observer, nullptr);
        m_app = std::make_unique<platform::forms::TApplication>();

        const char* source = std::getenv("VK_SOURCE_DIR");
        ASSERT_TRUE(source && *source);
        auto* stored = new skin::TbsStoredSkin(m_app.get());
        std::string loadError;
        ASSERT_TRUE(stored->LoadFromSkinFolder(std::string(source) + "/assets/skin/skin.ini", &loadError))
            << loadError;
        data = new skin::TbsSkinData(m_app.get());
        data->SetStoredSkin(stored);
        ASSERT_FALSE(data->SkinIsEmpty) << data->LoadProblem();

        // The main form stays hidden: minimising the form under test keeps it on the screen.
        m_app->SetMainForm(new platform::forms::TForm(m_app.get()));
        form = new platform::forms::TForm(m_app.get());
        form->SetBorderStyle(platform::forms::bsSizeable);
        form->SetBounds(200, 150, 420, 300);
        skinForm = new skin::TbsSkinForm(form);
        skinForm->SetSkinData(data);
        form->SetVisible(true);
        ASSERT_TRUE(PumpUntil([&] { return Mapped() && m_system->GetActiveWindow() == form->Handle(); }));
        Pump(200);
    }

    void TearDown() override {
        m_app.reset();
        m_system.reset();
        if (m_observer) XCloseDisplay(m_observer);
    }

    void Pump(int ms) {
        PumpUntil([] { return false; }, ms);
    }
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 4000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            m_system->ProcessMessages();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    static void Xdo(const std::string& args) {
        const std::string command = "timeout 10 xdotool " + args;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    void ClickAt(TPoint p, int button = 1) {
        Xdo("mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y));
        Pump(150);  // the frame's hover poll sees the pointer
        Xdo("click " + std::to_string(button));
    }
    void Key(const std::string& name) { Xdo("key " + name); }

    // The window's rectangle as the X server has it.
    TRect ServerRect(TWindow* window) {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(m_observer, static_cast<Window>(window->NativeId()), &a)) return {};
        Window child = 0;
        int x = 0, y = 0;
        XTranslateCoordinates(m_observer, static_cast<Window>(window->NativeId()),
                              DefaultRootWindow(m_observer), 0, 0, &x, &y, &child);
        return {x, y, x + a.width, y + a.height};
    }
    bool Mapped() {
        TWindow* w = form->HandleIfAllocated();
        if (!w) return false;
        XWindowAttributes a{};
        return XGetWindowAttributes(m_observer, static_cast<Window>(w->NativeId()), &a) &&
               a.map_state == IsViewable;
    }
    bool ServerRectIs(const TRect& r) {
        XSync(m_observer, False);
        return ServerRect(form->Handle()) == r;
    }

    // The centre of a caption object or button (screen coordinates).
    TPoint ObjectCenter(const std::string& idName) {
        skin::TbsActiveSkinObject* object = skinForm->FindObject(idName);
        EXPECT_NE(object, nullptr) << idName;
        if (!object) return {};
        const TRect r = object->ObjectRect;
        return {form->Left() + (r.Left + r.Right) / 2, form->Top() + (r.Top + r.Bottom) / 2};
    }
    skin::TbsSkinMenu& Menu() { return skin::TbsSkinFormBehaviour::Of(skinForm)->SkinMenu(); }

    // The popup's pixels on the X server are the ones it painted.
    void ExpectPopupOnScreen() {
        skin::TbsSkinPopupWindow* level = Menu().Level(0);
        ASSERT_NE(level, nullptr);
        const TRect r = level->BoundsRect();
        ASSERT_TRUE(PumpUntil([&] {
            XSync(m_observer, False);
            return ServerRect(level->Handle()) == r;
        }));
        const platform::gfx::TBitmap* buffer = m_system->BackBuffer(level->Handle());
        ASSERT_NE(buffer, nullptr);
        const int x = r.Width() / 2, y = r.Height() - 3;
        const bool same = PumpUntil([&] {
            XImage* image = XGetImage(m_observer, DefaultRootWindow(m_observer), r.Left + x, r.Top + y, 1, 1,
                                      AllPlanes, ZPixmap);
            if (!image) return false;
            const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
            XDestroyImage(image);
            return pixel == (buffer->ScanLine(y)[x] & 0xFFFFFF);
        });
        EXPECT_TRUE(same);
    }

    platform::forms::TForm* form = nullptr;
    skin::TbsSkinForm* skinForm = nullptr;
    skin::TbsSkinData* data = nullptr;
    std::unique_ptr<TWindowSystem> m_system;

private:
    std::unique_ptr<platform::forms::TApplication> m_app;
    Display* m_observer = nullptr;
};

TEST_F(SkinMenusX11Test, SystemMenuFromButtonAndCaptionWithKeyboardAndEscape) {
    ClickAt(ObjectCenter("sysmenubutton"));
    ASSERT_TRUE(PumpUntil([&] { return Menu().IsOpen(); }));
    ExpectPopupOnScreen();
    skin::TbsSkinPopupWindow* level = Menu().Level(0);
    EXPECT_EQ(level->HotIndex(), 0);
    Key("Down");
    EXPECT_TRUE(PumpUntil([&] { return level->HotIndex() == 1; }));
    Key("Escape");
    ASSERT_TRUE(PumpUntil([&] { return !Menu().IsOpen(); }));

    const TPoint caption = ObjectCenter("caption");
    ClickAt(caption, 3);
    ASSERT_TRUE(PumpUntil([&] { return Menu().IsOpen(); }));
    EXPECT_EQ(Menu().Level(0)->BoundsRect().TopLeft(), caption);
    ExpectPopupOnScreen();
    Key("Up");
    EXPECT_TRUE(PumpUntil([&] { return Menu().Level(0)->HotIndex() == Menu().Level(0)->ItemCount() - 1; }));
    Key("Escape");
    EXPECT_TRUE(PumpUntil([&] { return !Menu().IsOpen(); }));
}

TEST_F(SkinMenusX11Test, MinimiseMaximiseRestoreAndRollUpOnTheRealWindow) {
    const TRect normal = form->BoundsRect();
    ASSERT_TRUE(PumpUntil([&] { return ServerRectIs(normal); }));
    const TRect work = m_system->WorkArea();

    ClickAt(ObjectCenter("maxbutton"));
    ASSERT_TRUE(PumpUntil([&] { return skinForm->WindowState() == wsMaximized; }));
    const TRect maximised = form->BoundsRect();
    EXPECT_TRUE(work.Left <= maximised.Left && maximised.Right <= work.Right &&
                maximised.Bottom <= work.Bottom);
    EXPECT_GE(maximised.Width(), work.Width() - 2);
    EXPECT_TRUE(PumpUntil([&] { return ServerRectIs(maximised); }));
    ClickAt(ObjectCenter("maxbutton"));
    ASSERT_TRUE(PumpUntil([&] { return skinForm->WindowState() == wsNormal; }));
    EXPECT_TRUE(PumpUntil([&] { return ServerRectIs(normal); }));

    ClickAt(ObjectCenter("minbutton"));
    ASSERT_TRUE(PumpUntil([&] { return skinForm->WindowState() == wsMinimized; }));
    const TRect slot{work.Left, work.Bottom - skinForm->GetMinHeight(), work.Left + skinForm->GetMinWidth(),
                     work.Bottom};
    EXPECT_EQ(form->BoundsRect(), slot);
    EXPECT_TRUE(PumpUntil([&] { return ServerRectIs(slot); }));
    ClickAt(ObjectCenter("minbutton"));
    ASSERT_TRUE(PumpUntil([&] { return skinForm->WindowState() == wsNormal; }));
    EXPECT_TRUE(PumpUntil([&] { return ServerRectIs(normal); }));

    ClickAt(ObjectCenter("rollupbutton"));
    ASSERT_TRUE(PumpUntil([&] { return skinForm->RollUpState(); }));
    const TRect rolled{normal.Left, normal.Top, normal.Right, normal.Top + skinForm->GetMinHeight()};
    EXPECT_TRUE(PumpUntil([&] { return ServerRectIs(rolled); }));
    // The system menu's "&Restore" unrolls it.
    ClickAt(ObjectCenter("caption"), 3);
    ASSERT_TRUE(PumpUntil([&] { return Menu().IsOpen(); }));
    Key("r");
    ASSERT_TRUE(PumpUntil([&] { return !skinForm->RollUpState(); }));
    EXPECT_TRUE(PumpUntil([&] { return ServerRectIs(normal); }));
}

}  // namespace
