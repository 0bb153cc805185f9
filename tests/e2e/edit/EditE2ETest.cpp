// The edit on the x11 backend under a real X server, driven with xdotool as a user would: typed
// text arrives (a dead-key composition and a non-Latin character too), text copied in the
// program is read from the CLIPBOARD by an X client of the test's own, text that client puts on
// the CLIPBOARD is pasted, and selected text goes to a second edit with a middle click.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "platform/ui/backend/x11/X11Xlib.h"  // Xlib last: its macros clash with our names

namespace {

using namespace platform;
using platform::core::TPoint;

// An X client of the test's own: reads a selection, or owns CLIPBOARD and serves a text from a
// thread until it is destroyed.
class TSelectionClient {
public:
    TSelectionClient() : m_display(XOpenDisplay(nullptr)) {
        if (!m_display) return;
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(m_display, m_window, PropertyChangeMask);
        m_incr = XInternAtom(m_display, "INCR", False);
        m_utf8 = XInternAtom(m_display, "UTF8_STRING", False);
        m_property = XInternAtom(m_display, "VK_E2E_PROPERTY", False);
    }
    ~TSelectionClient() {
        StopServing();
        if (!m_display) return;
        for (const int code : m_bound) {
            KeySym none[2] = {NoSymbol, NoSymbol};
            XChangeKeyboardMapping(m_display, code, 2, none, 1);
        }
        XSync(m_display, False);
        XDestroyWindow(m_display, m_window);
        XCloseDisplay(m_display);
    }
    [[nodiscard]] bool Connected() const { return m_display != nullptr; }

    // Gives keysyms that the keyboard map lacks keycodes of their own (spare ones), so that
    // xdotool finds them instead of mapping a keycode for a moment, which races with the
    // program reading the key. The map is put back when the client goes.
    void BindKeys(const std::vector<KeySym>& keysyms) {
        int minCode = 0, maxCode = 0, perCode = 0;
        XDisplayKeycodes(m_display, &minCode, &maxCode);
        KeySym* map =
            XGetKeyboardMapping(m_display, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode);
        std::size_t next = 0;
        for (int code = maxCode; code >= minCode && next < keysyms.size(); --code) {
            const KeySym* row = map + static_cast<std::ptrdiff_t>(code - minCode) * perCode;
            bool empty = true;
            for (int i = 0; i < perCode; ++i) empty = empty && row[i] == NoSymbol;
            if (!empty) continue;
            KeySym syms[2] = {keysyms[next], keysyms[next]};
            XChangeKeyboardMapping(m_display, code, 2, syms, 1);
            m_bound.push_back(code);
            ++next;
        }
        XFree(map);
        XSync(m_display, False);
    }

    // Asks the selection's owner for UTF8_STRING; pump runs the program meanwhile.
    std::string Read(const char* selection, const std::function<void()>& pump) {
        const Atom atom = XInternAtom(m_display, selection, False);
        XDeleteProperty(m_display, m_window, m_property);
        XConvertSelection(m_display, atom, m_utf8, m_property, m_window, CurrentTime);
        XSync(m_display, False);
        XEvent event{};
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!XCheckTypedWindowEvent(m_display, m_window, SelectionNotify, &event)) {
            if (std::chrono::steady_clock::now() > deadline) return "<no answer>";
            pump();
        }
        if (event.xselection.property == None) return "<refused>";
        bool incr = false;
        std::string text = TakeProperty(incr);
        if (!incr) return text;
        // In pieces: each comes when the last one was deleted; an empty one ends the text.
        text.clear();
        for (;;) {
            XEvent note{};
            while (!XCheckTypedWindowEvent(m_display, m_window, PropertyNotify, &note)) {
                if (std::chrono::steady_clock::now() > deadline) return "<incomplete>";
                pump();
            }
            if (note.xproperty.atom != m_property || note.xproperty.state != PropertyNewValue) continue;
            bool present = false;
            const std::string piece = TakeProperty(incr, &present);
            if (!present) continue;  // the notice of a value already taken
            if (piece.empty()) return text;
            text += piece;
        }
    }

    // Reads and deletes our property; incr tells an announced transfer in pieces.
    std::string TakeProperty(bool& incr, bool* present = nullptr) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(m_display, m_window, m_property, 0, 1 << 22, True, AnyPropertyType, &type, &format,
                           &count, &after, &data);
        incr = type == m_incr;
        if (present) *present = type != None;
        std::string text = data && format == 8 ? std::string(reinterpret_cast<char*>(data), count) : "";
        if (data) XFree(data);
        XSync(m_display, False);
        return text;
    }

    // Takes CLIPBOARD and answers requests for text from a thread of its own.
    void Serve(const std::string& text) {
        m_text = text;
        XSetSelectionOwner(m_display, XInternAtom(m_display, "CLIPBOARD", False), m_window, CurrentTime);
        XSync(m_display, False);
        m_stop = false;
        m_thread = std::thread([this] { ServeLoop(); });
    }
    void StopServing() {
        if (!m_thread.joinable()) return;
        m_stop = true;
        m_thread.join();
    }

private:
    void ServeLoop() {
        while (!m_stop) {
            if (XPending(m_display) == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type != SelectionRequest) continue;
            const XSelectionRequestEvent& r = event.xselectionrequest;
            XEvent reply{};
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = r.requestor;
            reply.xselection.selection = r.selection;
            reply.xselection.target = r.target;
            reply.xselection.time = r.time;
            reply.xselection.property = None;
            if (r.target == m_utf8) {
                XChangeProperty(m_display, r.requestor, r.property, m_utf8, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(m_text.data()),
                                static_cast<int>(m_text.size()));
                reply.xselection.property = r.property;
            }
            XSendEvent(m_display, r.requestor, False, NoEventMask, &reply);
            XSync(m_display, False);
        }
    }

    Display* m_display = nullptr;
    Window m_window = None;
    Atom m_utf8 = None, m_property = None, m_incr = None;
    std::string m_text;
    std::vector<int> m_bound;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

class EditE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display && *display) << "needs an X server: run under scripts/with-xvfb.sh";
        ASSERT_TRUE(m_client.Connected());
        std::string error;
        auto backend = ui::x11::CreateX11Backend(error);
        ASSERT_TRUE(backend) << error;
        m_system = std::make_unique<ui::TWindowSystem>(std::move(backend));
        m_app = std::make_unique<forms::TApplication>();
        form = new forms::TForm(m_app.get());
        form->SetBorderStyle(forms::bsNone);
        form->SetCaption("edit e2e");
        form->SetBounds(100, 100, 360, 120);
        first = new forms::TEdit(form);
        first->SetParent(form);
        first->SetBounds(20, 20, 300, 24);
        second = new forms::TEdit(form);
        second->SetParent(form);
        second->SetBounds(20, 70, 300, 24);
        form->Show();
        ASSERT_TRUE(Pump([&] { return form->HandleAllocated() && first->HandleAllocated(); }));
        // A click gives the form the server's keyboard focus and the edit ours.
        Xdo("mousemove " + Coords(first, 150, 12) + " click 1");
        ASSERT_TRUE(Pump([&] { return first->Focused(); })) << "the edit never took the focus";
    }

    void TearDown() override {
        delete form;
        m_app.reset();
        m_system.reset();
    }

    bool Pump(const std::function<bool()>& done, int timeoutMs = 5000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            m_system->ProcessMessages();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            m_system->Backend().WaitForEvents(10);
        }
    }
    void PumpOnce() {
        m_system->ProcessMessages();
        m_system->Backend().WaitForEvents(5);
    }
    // Runs xdotool while the program handles its events: a key that xdotool maps to a spare
    // keycode for the moment must be read before the mapping goes back.
    void Xdo(const std::string& args) {
        const std::string command = "timeout 10 xdotool " + args + " >/dev/null 2>&1";
        std::atomic<bool> done{false};
        int rc = -1;
        std::thread runner([&] {
            rc = std::system(command.c_str());
            done = true;
        });
        while (!done) PumpOnce();
        runner.join();
        ASSERT_EQ(rc, 0) << command;
    }
    static std::string Coords(const forms::TControl* c, int x, int y) {
        const TPoint p = c->ClientToScreen({x, y});
        return std::to_string(p.X) + " " + std::to_string(p.Y);
    }

    TSelectionClient m_client;
    std::unique_ptr<ui::TWindowSystem> m_system;
    std::unique_ptr<forms::TApplication> m_app;
    forms::TForm* form = nullptr;
    forms::TEdit* first = nullptr;
    forms::TEdit* second = nullptr;
};

TEST_F(EditE2E, TypedTextArrivesWithADeadKeyAndANonLatinCharacter) {
    m_client.BindKeys({XK_Cyrillic_ZHE, XK_dead_acute});
    Pump([] { return false; }, 100);
    Xdo("type --delay 40 'Hi \xD0\x96'");  // "Hi Ж"
    Xdo("key dead_acute e");
    const std::string expected = "Hi \xD0\x96\xC3\xA9";  // ... "é"
    EXPECT_TRUE(Pump([&] { return first->Text() == expected; })) << "got '" << first->Text() << "'";
    Xdo("key BackSpace");
    EXPECT_TRUE(Pump([&] { return first->Text() == "Hi \xD0\x96"; })) << "got '" << first->Text() << "'";
}

TEST_F(EditE2E, CopiedTextIsReadFromTheClipboardByAnotherClient) {
    first->SetText("copied \xE2\x9C\x93 text");
    Xdo("key ctrl+a ctrl+c");
    ASSERT_TRUE(Pump([&] { return first->SelLength() > 0; }));
    Pump([] { return false; }, 200);
    EXPECT_EQ(m_client.Read("CLIPBOARD", [this] { PumpOnce(); }), "copied \xE2\x9C\x93 text");
    // The selection is offered as PRIMARY as well.
    EXPECT_EQ(m_client.Read("PRIMARY", [this] { PumpOnce(); }), "copied \xE2\x9C\x93 text");
    // Text too large for one request goes in pieces.
    std::string big;
    for (int i = 0; big.size() < 600000; ++i) big += "row " + std::to_string(i) + " ";
    m_system->SetClipboardText(big);
    const std::string got = m_client.Read("CLIPBOARD", [this] { PumpOnce(); });
    EXPECT_EQ(got.size(), big.size());
    EXPECT_TRUE(got == big);
}

TEST_F(EditE2E, TextSetOnTheClipboardFromOutsideIsPasted) {
    m_client.Serve("from outside \xC3\xBC");
    Xdo("key ctrl+v");
    EXPECT_TRUE(Pump([&] { return first->Text() == "from outside \xC3\xBC"; }))
        << "got '" << first->Text() << "'";
    m_client.StopServing();
}

TEST_F(EditE2E, SelectedTextGoesToASecondEditWithAMiddleClick) {
    Xdo("type --delay 20 'middle'");
    ASSERT_TRUE(Pump([&] { return first->Text() == "middle"; }));
    Xdo("key shift+Home");
    ASSERT_TRUE(Pump([&] { return first->SelLength() == 6; }));
    Xdo("mousemove " + Coords(second, 150, 12) + " click 2");
    EXPECT_TRUE(Pump([&] { return second->Text() == "middle"; })) << "got '" << second->Text() << "'";
    EXPECT_TRUE(second->Focused());
}

}  // namespace
