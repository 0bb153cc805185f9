// What the x11 backend shares with the rest of the desktop: the clipboard, monitors and work
// areas, window properties, and what happens without a display.

#include <sys/socket.h>

#include <atomic>
#include <thread>

#include "X11TestSupport.h"
#include "platform/ui/backend/BackendFactory.h"

namespace vktest {
namespace {

// Owns CLIPBOARD on a connection of its own and serves one text, in pieces (INCR) when it is
// larger than chunk, until stopped.
class TSelectionOwner {
public:
    TSelectionOwner(std::string text, std::size_t chunk) : m_text(std::move(text)), m_chunk(chunk) {
        m_display = XOpenDisplay(nullptr);
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
        m_clipboard = XInternAtom(m_display, "CLIPBOARD", False);
        m_utf8 = XInternAtom(m_display, "UTF8_STRING", False);
        m_incr = XInternAtom(m_display, "INCR", False);
        XSetSelectionOwner(m_display, m_clipboard, m_window, CurrentTime);
        XSync(m_display, False);
        m_thread = std::thread([this] { Serve(); });
    }
    ~TSelectionOwner() {
        m_stop = true;
        m_thread.join();
        XDestroyWindow(m_display, m_window);
        XCloseDisplay(m_display);
    }

private:
    void Serve() {
        Window incrTo = None;
        Atom incrProperty = None;
        std::size_t sent = 0;
        while (!m_stop) {
            if (XPending(m_display) == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == SelectionRequest) {
                const XSelectionRequestEvent& r = event.xselectionrequest;
                XEvent reply{};
                reply.xselection.type = SelectionNotify;
                reply.xselection.requestor = r.requestor;
                reply.xselection.selection = r.selection;
                reply.xselection.target = r.target;
                reply.xselection.property = None;
                reply.xselection.time = r.time;
                if (r.target == m_utf8) {
                    reply.xselection.property = r.property;
                    if (m_text.size() > m_chunk) {
                        XSelectInput(m_display, r.requestor, PropertyChangeMask);
                        const long size = static_cast<long>(m_text.size());
                        XChangeProperty(m_display, r.requestor, r.property, m_incr, 32, PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(&size), 1);
                        incrTo = r.requestor;
                        incrProperty = r.property;
                        sent = 0;
                    } else {
                        XChangeProperty(m_display, r.requestor, r.property, m_utf8, 8, PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(m_text.data()),
                                        static_cast<int>(m_text.size()));
                    }
                }
                XSendEvent(m_display, r.requestor, False, NoEventMask, &reply);
                XFlush(m_display);
            } else if (event.type == PropertyNotify && event.xproperty.window == incrTo &&
                       event.xproperty.atom == incrProperty && event.xproperty.state == PropertyDelete) {
                const std::size_t n = std::min(m_chunk, m_text.size() - sent);
                XChangeProperty(m_display, incrTo, incrProperty, m_utf8, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(m_text.data() + sent),
                                static_cast<int>(n));
                XFlush(m_display);
                sent += n;
                if (n == 0) incrTo = None;
            }
        }
    }

    std::string m_text;
    std::size_t m_chunk;
    Display* m_display;
    Window m_window;
    Atom m_clipboard, m_utf8, m_incr;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

class X11DesktopTest : public X11Fixture {
protected:
    // Asks for CLIPBOARD as target on the observer connection while the backend serves it.
    std::string Request(const char* target, Atom* typeOut = nullptr) {
        const Atom clipboard = XInternAtom(Observer(), "CLIPBOARD", False);
        const Atom targetAtom = XInternAtom(Observer(), target, False);
        const Atom property = XInternAtom(Observer(), "VK_TEST_PROPERTY", False);
        Window requestor = XCreateSimpleWindow(Observer(), Root(), 0, 0, 1, 1, 0, 0, 0);
        XConvertSelection(Observer(), clipboard, targetAtom, property, requestor, CurrentTime);
        XFlush(Observer());
        XEvent event{};
        const bool answered = PumpUntil(
            [&] { return XCheckTypedWindowEvent(Observer(), requestor, SelectionNotify, &event) == True; });
        std::string result = "<no answer>";
        if (answered && event.xselection.property == None) result = "<refused>";
        if (answered && event.xselection.property != None) {
            Atom type = None;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            XGetWindowProperty(Observer(), requestor, property, 0, 1 << 20, True, AnyPropertyType, &type,
                               &format, &count, &after, &data);
            if (typeOut) *typeOut = type;
            if (format == 8) {
                result.assign(reinterpret_cast<const char*>(data), count);
            } else if (format == 32) {
                result.clear();
                for (unsigned long i = 0; i < count; ++i) {
                    char* name =
                        XGetAtomName(Observer(), static_cast<Atom>(reinterpret_cast<long*>(data)[i]));
                    result += std::string(name) + " ";
                    XFree(name);
                }
            }
            if (data) XFree(data);
        }
        XDestroyWindow(Observer(), requestor);
        return result;
    }
};

TEST_F(X11DesktopTest, ClipboardServesOurTextAndFetchesOthers) {
    Backend().SetClipboardText("Grüße, Welt");
    EXPECT_EQ(Backend().ClipboardText(), "Grüße, Welt");
    Atom type = None;
    EXPECT_EQ(Request("UTF8_STRING", &type), "Grüße, Welt");
    EXPECT_EQ(type, XInternAtom(Observer(), "UTF8_STRING", False));
    EXPECT_EQ(Request("STRING"),
              "Gr\xFC\xDF"
              "e, Welt");
    const std::string targets = Request("TARGETS");
    EXPECT_NE(targets.find("UTF8_STRING"), std::string::npos) << targets;
    EXPECT_EQ(Request("image/png"), "<refused>");

    {
        // Another program takes the clipboard: we lose it and read theirs.
        TSelectionOwner other("from elsewhere ✓", 1 << 20);
        EXPECT_EQ(Backend().ClipboardText(), "from elsewhere ✓");
    }
    {
        std::string big;
        for (int i = 0; big.size() < 300000; ++i) big += "line " + std::to_string(i) + "\n";
        TSelectionOwner other(big, 65536);
        const std::string got = Backend().ClipboardText();
        EXPECT_EQ(got.size(), big.size()) << "incremental transfer";
        EXPECT_TRUE(got == big) << "incremental transfer";
    }
    // The owner went away with its window: nothing to paste.
    EXPECT_EQ(Backend().ClipboardText(), "");
}

TEST_F(X11DesktopTest, MonitorsTakeTheirShareOfTheWorkArea) {
    const Atom workArea = XInternAtom(Observer(), "_NET_WORKAREA", False);
    XDeleteProperty(Observer(), Root(), workArea);
    Settle();
    const int width = DisplayWidth(Observer(), DefaultScreen(Observer()));
    const int height = DisplayHeight(Observer(), DefaultScreen(Observer()));
    auto monitors = Backend().Monitors();
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_EQ(monitors[0].Bounds, (TRect{0, 0, width, height}));
    EXPECT_EQ(monitors[0].WorkArea, monitors[0].Bounds);

    const long area[4] = {0, 24, width, height - 64};
    XChangeProperty(Observer(), Root(), workArea, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(area), 4);
    XFlush(Observer());
    EXPECT_TRUE(PumpUntil([&] {
        return Backend().Monitors()[0].WorkArea == TRect{0, 24, width, height - 40};
    }));
    XDeleteProperty(Observer(), Root(), workArea);
    XFlush(Observer());
    EXPECT_TRUE(PumpUntil([&] { return Backend().Monitors()[0].WorkArea == TRect{0, 0, width, height}; }));
}

TEST_F(X11DesktopTest, TitleOpacityAndIconReachTheDesktop) {
    TNativeWindowParams params;
    params.Bounds = {10, 10, 60, 60};
    params.Title = "first";
    const TNativeId id = Backend().CreateNativeWindow(params);
    Backend().SetTitle(id, "Grüße – Rätsel");
    // Title, opacity and icon reach the server before the backend's calls return (it waits for
    // the server), so the observer's connection reads them at once, without waiting for events.
    auto read = [&](const char* name, Atom* type = nullptr, int* format = nullptr) {
        Atom t = None;
        int f = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(Observer(), id, XInternAtom(Observer(), name, False), 0, 1 << 20, False,
                           AnyPropertyType, &t, &f, &count, &after, &data);
        std::vector<long> longs;
        std::string bytes;
        if (f == 8) bytes.assign(reinterpret_cast<const char*>(data), count);
        if (f == 32) longs.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
        if (data) XFree(data);
        if (type) *type = t;
        if (format) *format = f;
        return std::make_pair(bytes, longs);
    };
    Atom type = None;
    EXPECT_EQ(read("_NET_WM_NAME", &type).first, "Grüße – Rätsel");
    EXPECT_EQ(type, XInternAtom(Observer(), "UTF8_STRING", False));
    const auto motif = read("_MOTIF_WM_HINTS").second;
    ASSERT_GE(motif.size(), 3u);
    EXPECT_EQ(motif[2], 0) << "no decorations: the frame is ours";

    EXPECT_FALSE(Backend().SupportsOpacity());
    Backend().SetOpacity(id, 128);
    ASSERT_EQ(read("_NET_WM_WINDOW_OPACITY").second.size(), 1u);
    EXPECT_EQ(static_cast<unsigned long>(read("_NET_WM_WINDOW_OPACITY").second[0]) & 0xFFFFFFFFul,
              0x80808080ul);
    Backend().SetOpacity(id, 255);
    EXPECT_TRUE(read("_NET_WM_WINDOW_OPACITY").second.empty());
    // A compositor announces itself by owning the compositor selection.
    Window compositor = XCreateSimpleWindow(Observer(), Root(), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(Observer(), XInternAtom(Observer(), "_NET_WM_CM_S0", False), compositor, CurrentTime);
    XSync(Observer(), False);
    EXPECT_TRUE(Backend().SupportsOpacity());
    XDestroyWindow(Observer(), compositor);
    XSync(Observer(), False);
    EXPECT_FALSE(Backend().SupportsOpacity());

    platform::gfx::TBitmap icon(3, 2);
    icon.ScanLine(0)[0] = 0x112233;
    icon.ScanLine(1)[1] = 0x0000FF;
    icon.ScanLine(1)[2] = 0xFF0000;
    icon.Transparent = true;
    icon.TransparentColor = platform::gfx::TColor(0x0000FF);  // 0x00BBGGRR: red
    Backend().SetIcon(id, &icon);
    const auto pixels = read("_NET_WM_ICON").second;
    ASSERT_EQ(pixels.size(), 2u + 6u);
    EXPECT_EQ(pixels[0], 3);
    EXPECT_EQ(pixels[1], 2);
    EXPECT_EQ(static_cast<uint32_t>(pixels[2]), 0xFF112233u);
    EXPECT_EQ(static_cast<uint32_t>(pixels[6]), 0xFF0000FFu);
    EXPECT_EQ(static_cast<uint32_t>(pixels[7]), 0u) << "the transparent colour is clear";
    Backend().SetIcon(id, nullptr);
    EXPECT_TRUE(read("_NET_WM_ICON").second.empty());
}

TEST_F(X11DesktopTest, ALostConnectionEndsTheWaitNotTheProgram) {
    const TNativeId id = ShowFilled({10, 10, 50, 50}, 0x808080);
    Settle();
    // The server goes away, as far as this connection can tell.
    shutdown(ConnectionNumber(Backend().XDisplay()), SHUT_RDWR);
    TInputEvent event;
    for (int i = 0; i < 100 && Backend().PollEvent(event); ++i) {
    }
    EXPECT_FALSE(Backend().PollEvent(event));
    EXPECT_FALSE(Backend().WaitForEvents(5000));
    EXPECT_FALSE(Backend().WaitForEvents(-1));
    // Everything else is harmless now, and so is closing.
    Backend().SetBounds(id, {0, 0, 30, 30});
    Fill(id, 30, 30, 0x101010);
    EXPECT_EQ(Backend().ClipboardText(), "");
    EXPECT_EQ(Backend().CreateNativeWindow({}), 0u);
}

TEST(X11Open, WithoutADisplayTheErrorSaysSo) {
    const std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    std::string error;
    setenv("DISPLAY", ":987", 1);
    EXPECT_EQ(x11::CreateX11Backend(error), nullptr);
    EXPECT_NE(error.find(":987"), std::string::npos) << error;
    unsetenv("DISPLAY");
    error.clear();
    EXPECT_EQ(CreateDefaultBackend(error), nullptr);
    EXPECT_NE(error.find("DISPLAY"), std::string::npos) << error;

    setenv("VK_BACKEND", "wayland", 1);
    error.clear();
    EXPECT_EQ(CreateDefaultBackend(error), nullptr);
    EXPECT_NE(error.find("wayland"), std::string::npos) << error;
    setenv("VK_BACKEND", "headless", 1);
    auto headless = CreateDefaultBackend(error);
    ASSERT_NE(headless, nullptr);
    EXPECT_EQ(headless->Name(), "headless");
    unsetenv("VK_BACKEND");
    if (!saved.empty()) setenv("DISPLAY", saved.c_str(), 1);
}

}  // namespace
}  // namespace vktest
