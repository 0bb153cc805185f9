#pragma once
// A minimal StatusNotifierWatcher for the tray tests: it owns the watcher's name on the session
// bus (a private one the test started), records the items that register, and calls them.

#include <systemd/sd-bus.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/backend/x11/X11TraySni.h"

namespace traytest {

// Starts a private session bus (dbus-daemon) for one test and points DBUS_SESSION_BUS_ADDRESS at
// it; address stays empty when it did not start. The caller ends the daemon through pid.
inline void StartPrivateSessionBus(std::string& address, int& pid) {
    FILE* out = popen("dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1", "r");
    if (!out) return;
    char line[512] = {};
    if (std::fgets(line, sizeof line, out)) address = line;
    if (std::fgets(line, sizeof line, out)) pid = std::atoi(line);
    pclose(out);
    while (!address.empty() && (address.back() == '\n' || address.back() == '\r')) address.pop_back();
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
}

namespace x11 = platform::ui::x11;

// Owns the watcher's name and records the items that register.
class TTestWatcher {
public:
    TTestWatcher() {
        if (sd_bus_open_user(&m_bus) < 0) {
            m_bus = nullptr;
            return;
        }
        static const sd_bus_vtable table[] = {
            SD_BUS_VTABLE_START(0),
            SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", Register, 0),
            SD_BUS_VTABLE_END,
        };
        if (sd_bus_add_object_vtable(m_bus, &m_slot, x11::kSniWatcherPath, x11::kSniWatcherName, table,
                                     this) < 0 ||
            sd_bus_request_name(m_bus, x11::kSniWatcherName, 0) < 0) {
            Close();
        }
    }
    ~TTestWatcher() { Close(); }
    [[nodiscard]] bool Ok() const { return m_bus != nullptr; }
    [[nodiscard]] sd_bus* Bus() const { return m_bus; }
    [[nodiscard]] const std::vector<std::string>& Items() const { return m_items; }
    void Pump() {
        while (m_bus && sd_bus_process(m_bus, nullptr) > 0) {
        }
    }
    // Calls a method of an item without waiting; done is set when the answer came.
    void CallItem(const std::string& service, const char* method, int x, int y, bool* done) {
        sd_bus_call_method_async(m_bus, nullptr, service.c_str(), x11::kSniItemPath, x11::kSniItemInterface,
                                 method, Answered, done, "ii", x, y);
        sd_bus_flush(m_bus);
    }
    // Asks the item to scroll (delta, "vertical" or "horizontal") without waiting.
    void ScrollItem(const std::string& service, int delta, const char* orientation, bool* done) {
        sd_bus_call_method_async(m_bus, nullptr, service.c_str(), x11::kSniItemPath, x11::kSniItemInterface,
                                 "Scroll", Answered, done, "is", delta, orientation);
        sd_bus_flush(m_bus);
    }
    // Reads the item's pixmaps: (width, first pixel's ARGB bytes) per entry.
    void ReadPixmaps(const std::string& service, std::vector<std::pair<int, uint32_t>>* out) {
        sd_bus_call_method_async(m_bus, nullptr, service.c_str(), x11::kSniItemPath,
                                 "org.freedesktop.DBus.Properties", "Get", Pixmaps, out, "ss",
                                 x11::kSniItemInterface, "IconPixmap");
        sd_bus_flush(m_bus);
    }

private:
    void Close() {
        sd_bus_slot_unref(m_slot);
        m_slot = nullptr;
        if (m_bus) sd_bus_flush_close_unref(m_bus);
        m_bus = nullptr;
    }
    static int Register(sd_bus_message* m, void* userdata, sd_bus_error*) {
        const char* service = nullptr;
        sd_bus_message_read(m, "s", &service);
        static_cast<TTestWatcher*>(userdata)->m_items.emplace_back(service ? service : "");
        return sd_bus_reply_method_return(m, "");
    }
    static int Answered(sd_bus_message* m, void* userdata, sd_bus_error*) {
        *static_cast<bool*>(userdata) = !sd_bus_message_is_method_error(m, nullptr);
        return 0;
    }
    static int Pixmaps(sd_bus_message* m, void* userdata, sd_bus_error*) {
        auto* out = static_cast<std::vector<std::pair<int, uint32_t>>*>(userdata);
        if (sd_bus_message_is_method_error(m, nullptr)) return 0;
        if (sd_bus_message_enter_container(m, 'v', "a(iiay)") < 0) return 0;
        if (sd_bus_message_enter_container(m, 'a', "(iiay)") < 0) return 0;
        while (sd_bus_message_enter_container(m, 'r', "iiay") > 0) {
            int w = 0, h = 0;
            const void* data = nullptr;
            size_t size = 0;
            sd_bus_message_read(m, "ii", &w, &h);
            sd_bus_message_read_array(m, 'y', &data, &size);
            uint32_t first = 0;
            if (size >= 4) {
                const auto* b = static_cast<const uint8_t*>(data);
                first = (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
            }
            if (static_cast<size_t>(w) * static_cast<size_t>(h) * 4 == size) out->emplace_back(w, first);
            sd_bus_message_exit_container(m);
        }
        return 0;
    }

    sd_bus* m_bus = nullptr;
    sd_bus_slot* m_slot = nullptr;
    std::vector<std::string> m_items;
};

}  // namespace traytest
