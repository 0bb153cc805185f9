// Without a window manager the program's idea of its window follows what other clients do to
// it: a minimised window mapped again from outside is restored, painted and takes input, and a
// window unmapped from outside counts as minimised.

#include <gtest/gtest.h>

#include <string>

#include "platform/forms/Form.h"
#include "support/UiTest.h"

// Last: Xlib's macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using platform::forms::TForm;
using platform::gfx::TColor;

constexpr TColor kFormColor = platform::gfx::RGB(40, 160, 90);

// A second connection, as another client (a task switcher, xdotool) would use.
class TOtherClient {
public:
    TOtherClient() : m_display(XOpenDisplay(nullptr)) {}
    ~TOtherClient() {
        if (m_display) XCloseDisplay(m_display);
    }
    TOtherClient(const TOtherClient&) = delete;
    TOtherClient& operator=(const TOtherClient&) = delete;
    [[nodiscard]] bool Open() const { return m_display != nullptr; }

    // The top-level window with this title, searched below the root; None when there is none.
    Window Find(const std::string& title) { return Find(DefaultRootWindow(m_display), title, 0); }

    // Each change is synchronised here, before the program's connection looks.
    void Map(Window w) {
        XMapWindow(m_display, w);
        XSync(m_display, False);
    }
    void Unmap(Window w) {
        XUnmapWindow(m_display, w);
        XSync(m_display, False);
    }
    [[nodiscard]] bool Viewable(Window w) {
        XWindowAttributes a{};
        return XGetWindowAttributes(m_display, w, &a) && a.map_state == IsViewable;
    }

private:
    Window Find(Window parent, const std::string& title, int depth) {
        Window root = None, up = None, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, parent, &root, &up, &children, &count)) return None;
        Window found = None;
        for (unsigned i = 0; i < count && found == None; ++i) {
            char* name = nullptr;
            if (XFetchName(m_display, children[i], &name) && name) {
                if (title == name) found = children[i];
                XFree(name);
            }
            if (found == None && depth < 2) found = Find(children[i], title, depth + 1);
        }
        if (children) XFree(children);
        return found;
    }

    Display* m_display;
};

class MappingTest : public vktest::UiTest {
protected:
    [[nodiscard]] vktest::TBackendKind BackendKind() const override { return vktest::TBackendKind::X11; }

    TForm* ShowForm(const std::string& title) {
        auto* form = new TForm(&App());
        form->SetBorderStyle(platform::forms::bsNone);
        form->SetBounds(120, 90, 240, 160);
        form->SetColor(kFormColor);
        form->SetCaption(title);
        form->Show();
        EXPECT_TRUE(Ui().WaitUntil([&] { return Ui().Pixel(form, 120, 80) == kFormColor; }))
            << "the form was not shown";
        return form;
    }
};

TEST_F(MappingTest, AMinimisedWindowMappedFromOutsideIsRestoredPaintedAndTakesInput) {
    TOtherClient other;
    ASSERT_TRUE(other.Open());
    TForm* form = ShowForm("Mapping test minimised");
    const Window xid = other.Find("Mapping test minimised");
    ASSERT_NE(xid, None);

    form->SetWindowState(platform::forms::wsMinimized);
    ASSERT_TRUE(Ui().WaitUntil([&] { return !other.Viewable(xid); })) << "no window manager: minimising hides";
    ASSERT_TRUE(form->Handle()->IsIconic());

    other.Map(xid);
    EXPECT_TRUE(Ui().WaitUntil([&] { return !form->Handle()->IsIconic(); })) << "still minimised for the program";
    EXPECT_TRUE(Ui().WaitUntil([&] { return Ui().Pixel(form, 120, 80) == kFormColor; })) << "black after mapping";
    int presses = 0;
    form->OnMouseDown = [&](platform::forms::TComponent*, platform::forms::TMouseButton, platform::forms::TShiftState,
                            int, int) { ++presses; };
    Ui().Click(vktest::TUiTestContext::ScreenOf(form, 60, 60));
    EXPECT_TRUE(Ui().WaitUntil([&] { return presses == 1; })) << "deaf after mapping";
}

TEST_F(MappingTest, AWindowUnmappedFromOutsideCountsAsMinimisedUntilMappedAgain) {
    TOtherClient other;
    ASSERT_TRUE(other.Open());
    TForm* form = ShowForm("Mapping test unmapped");
    const Window xid = other.Find("Mapping test unmapped");
    ASSERT_NE(xid, None);

    other.Unmap(xid);
    EXPECT_TRUE(Ui().WaitUntil([&] { return form->Handle()->IsIconic(); }));
    other.Map(xid);
    EXPECT_TRUE(Ui().WaitUntil([&] { return !form->Handle()->IsIconic(); }));
    EXPECT_TRUE(Ui().WaitUntil([&] { return Ui().Pixel(form, 120, 80) == kFormColor; }));
}

}  // namespace
