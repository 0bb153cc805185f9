#include "platform/ui/backend/x11/X11TraySni.h"

#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui::x11 {

namespace {
constexpr uintptr_t kPumpTimer = 1;
constexpr uint32_t kPumpInterval = 20;
// The pixmap sizes offered; the host picks the one that suits its panel.
constexpr int kPixmapSizes[] = {16, 22, 24, 32, 48};

// ARGB32 in network byte order, scaled (nearest pixel) to size x size.
std::vector<uint8_t> ArgbPixels(const gfx::TBitmap& bitmap, int size) {
    std::vector<uint8_t> data(static_cast<size_t>(size) * static_cast<size_t>(size) * 4, 0);
    if (bitmap.Empty()) return data;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const gfx::TColor c =
                gfx::ColorToRGB(bitmap.Pixel(x * bitmap.Width() / size, y * bitmap.Height() / size));
            uint8_t* p = &data[static_cast<size_t>((y * size + x) * 4)];
            p[0] = 255;
            p[1] = static_cast<uint8_t>(gfx::GetRValue(c));
            p[2] = static_cast<uint8_t>(gfx::GetGValue(c));
            p[3] = static_cast<uint8_t>(gfx::GetBValue(c));
        }
    return data;
}

bool NameHasOwner(sd_bus* bus, const char* name) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    int has = 0;
    if (sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                           "NameHasOwner", &error, &reply, "s", name) >= 0)
        sd_bus_message_read(reply, "b", &has);
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    return has != 0;
}
}  // namespace

struct TX11TraySni::TImpl {
    struct TIcon {
        TImpl* Owner = nullptr;
        int Id = 0;
        sd_bus* Bus = nullptr;
        sd_bus_slot* Object = nullptr;
        std::string Name;
        TTrayIconImage Image;
        TTrayEventHandler Handler;
    };

    TWindowSystem& System;
    sd_bus* Control = nullptr;
    sd_bus_slot* WatcherMatch = nullptr;
    std::map<int, std::unique_ptr<TIcon>> Icons;
    int NextId = 1;
    TWindow* Timer = nullptr;
    bool Pumping = false;
    // Actions reported by the host, delivered after the bus has been answered.
    std::deque<std::pair<int, TTrayEvent>> Pending;
    std::function<void(bool)> WatcherListener;

    explicit TImpl(TWindowSystem& system) : System(system) {}

    static TIcon& Of(void* userdata) { return *static_cast<TIcon*>(userdata); }

    void Register(TIcon& icon) {
        sd_bus_call_method_async(icon.Bus, nullptr, kSniWatcherName, kSniWatcherPath, kSniWatcherName,
                                 "RegisterStatusNotifierItem", nullptr, nullptr, "s", icon.Name.c_str());
        sd_bus_flush(icon.Bus);
    }

    static int OnWatcherOwner(sd_bus_message* m, void* userdata, sd_bus_error*) {
        auto* self = static_cast<TImpl*>(userdata);
        const char *name = nullptr, *before = nullptr, *after = nullptr;
        if (sd_bus_message_read(m, "sss", &name, &before, &after) < 0 || !name || !after) return 0;
        if (std::strcmp(name, kSniWatcherName) != 0) return 0;
        // A new watcher knows none of the items: register them all again.
        if (*after)
            for (auto& [id, icon] : self->Icons) self->Register(*icon);
        if (self->WatcherListener) self->WatcherListener(*after != 0);
        return 0;
    }

    static int Queue(sd_bus_message* m, void* userdata, TTrayAction action) {
        TIcon& icon = Of(userdata);
        TTrayEvent e;
        e.Action = action;
        if (action == TTrayAction::Scroll) {
            int delta = 0;
            const char* orientation = "";
            sd_bus_message_read(m, "is", &delta, &orientation);
            e.Delta = delta;
            e.Horizontal = orientation && std::strcmp(orientation, "horizontal") == 0;
        } else {
            int x = 0, y = 0;
            sd_bus_message_read(m, "ii", &x, &y);
            e.Screen = {x, y};
        }
        icon.Owner->Pending.emplace_back(icon.Id, e);
        return sd_bus_reply_method_return(m, "");
    }
    static int Activate(sd_bus_message* m, void* u, sd_bus_error*) {
        return Queue(m, u, TTrayAction::Activate);
    }
    static int Secondary(sd_bus_message* m, void* u, sd_bus_error*) {
        return Queue(m, u, TTrayAction::SecondaryActivate);
    }
    static int Context(sd_bus_message* m, void* u, sd_bus_error*) {
        return Queue(m, u, TTrayAction::ContextMenu);
    }
    static int Scroll(sd_bus_message* m, void* u, sd_bus_error*) { return Queue(m, u, TTrayAction::Scroll); }

    static int String(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply, void* u,
                      sd_bus_error*) {
        TIcon& icon = Of(u);
        std::string value;
        if (std::strcmp(property, "Category") == 0) value = "ApplicationStatus";
        if (std::strcmp(property, "Id") == 0) value = "vk-tray-" + std::to_string(icon.Id);
        if (std::strcmp(property, "Title") == 0) value = icon.Image.Tip;
        if (std::strcmp(property, "Status") == 0) value = "Active";
        return sd_bus_message_append(reply, "s", value.c_str());
    }
    static int WindowId(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                        sd_bus_error*) {
        return sd_bus_message_append(reply, "i", 0);
    }
    static int IsMenu(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                      sd_bus_error*) {
        return sd_bus_message_append(reply, "b", 0);
    }
    static int AppendPixmaps(sd_bus_message* reply, const gfx::TBitmap& bitmap) {
        int r = sd_bus_message_open_container(reply, 'a', "(iiay)");
        for (int size : kPixmapSizes) {
            if (r < 0) return r;
            const std::vector<uint8_t> data = ArgbPixels(bitmap, size);
            r = sd_bus_message_open_container(reply, 'r', "iiay");
            if (r >= 0) r = sd_bus_message_append(reply, "ii", size, size);
            if (r >= 0) r = sd_bus_message_append_array(reply, 'y', data.data(), data.size());
            if (r >= 0) r = sd_bus_message_close_container(reply);
        }
        return r < 0 ? r : sd_bus_message_close_container(reply);
    }
    static int Pixmap(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* u,
                      sd_bus_error*) {
        return AppendPixmaps(reply, Of(u).Image.Pixmap);
    }
    static int ToolTip(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* u,
                       sd_bus_error*) {
        TIcon& icon = Of(u);
        int r = sd_bus_message_open_container(reply, 'r', "sa(iiay)ss");
        if (r >= 0) r = sd_bus_message_append(reply, "s", "");
        if (r >= 0) r = sd_bus_message_open_container(reply, 'a', "(iiay)");
        if (r >= 0) r = sd_bus_message_close_container(reply);
        if (r >= 0) r = sd_bus_message_append(reply, "ss", icon.Image.Tip.c_str(), "");
        return r < 0 ? r : sd_bus_message_close_container(reply);
    }

    static const sd_bus_vtable* VTable() {
        static const sd_bus_vtable table[] = {
            SD_BUS_VTABLE_START(0),
            SD_BUS_PROPERTY("Category", "s", String, 0, SD_BUS_VTABLE_PROPERTY_CONST),
            SD_BUS_PROPERTY("Id", "s", String, 0, SD_BUS_VTABLE_PROPERTY_CONST),
            SD_BUS_PROPERTY("Title", "s", String, 0, 0),
            SD_BUS_PROPERTY("Status", "s", String, 0, 0),
            SD_BUS_PROPERTY("WindowId", "i", WindowId, 0, SD_BUS_VTABLE_PROPERTY_CONST),
            SD_BUS_PROPERTY("ItemIsMenu", "b", IsMenu, 0, SD_BUS_VTABLE_PROPERTY_CONST),
            SD_BUS_PROPERTY("IconPixmap", "a(iiay)", Pixmap, 0, 0),
            SD_BUS_PROPERTY("ToolTip", "(sa(iiay)ss)", ToolTip, 0, 0),
            SD_BUS_METHOD("Activate", "ii", "", Activate, 0),
            SD_BUS_METHOD("SecondaryActivate", "ii", "", Secondary, 0),
            SD_BUS_METHOD("ContextMenu", "ii", "", Context, 0),
            SD_BUS_METHOD("Scroll", "is", "", Scroll, 0),
            SD_BUS_SIGNAL("NewTitle", "", 0),
            SD_BUS_SIGNAL("NewIcon", "", 0),
            SD_BUS_SIGNAL("NewToolTip", "", 0),
            SD_BUS_SIGNAL("NewStatus", "s", 0),
            SD_BUS_VTABLE_END,
        };
        return table;
    }

    void Close(TIcon& icon) {
        sd_bus_slot_unref(icon.Object);
        icon.Object = nullptr;
        if (icon.Bus) sd_bus_flush_close_unref(icon.Bus);
        icon.Bus = nullptr;
    }

    static bool Drain(sd_bus* bus) {
        bool any = false;
        while (bus && sd_bus_process(bus, nullptr) > 0) any = true;
        return any;
    }
};

TX11TraySni::TX11TraySni(TWindowSystem& system) : m_impl(std::make_unique<TImpl>(system)) {
    TImpl& m = *m_impl;
    if (sd_bus_open_user(&m.Control) < 0) {
        m.Control = nullptr;
        return;
    }
    sd_bus_match_signal(m.Control, &m.WatcherMatch, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                        "org.freedesktop.DBus", "NameOwnerChanged", TImpl::OnWatcherOwner, &m);
    TCreateParams p;
    p.MessageOnly = true;
    p.WndProc = [this](TWindow& w, uint32_t msg, TWParam wp, TLParam lp) -> TLResult {
        if (msg == WM_TIMER && wp == kPumpTimer) {
            Pump();
            return 0;
        }
        return DefWindowProc(w, msg, wp, lp);
    };
    m.Timer = system.CreateWindow(p);
    if (m.Timer) system.SetTimer(m.Timer, kPumpTimer, kPumpInterval);
}

TX11TraySni::~TX11TraySni() {
    TImpl& m = *m_impl;
    if (m.Timer && TWindowSystem::Current() == &m.System) m.System.DestroyWindow(m.Timer);
    for (auto& [id, icon] : m.Icons) m.Close(*icon);
    m.Icons.clear();
    sd_bus_slot_unref(m.WatcherMatch);
    if (m.Control) sd_bus_flush_close_unref(m.Control);
}

bool TX11TraySni::Usable() const {
    return m_impl->Control != nullptr;
}

bool TX11TraySni::Present() {
    return Usable() && NameHasOwner(m_impl->Control, kSniWatcherName);
}

int TX11TraySni::AddIcon(const TTrayIconImage& image, TTrayEventHandler handler) {
    TImpl& m = *m_impl;
    if (!Present()) return 0;
    auto icon = std::make_unique<TImpl::TIcon>();
    icon->Owner = &m;
    icon->Id = m.NextId++;
    icon->Image = image;
    icon->Handler = std::move(handler);
    icon->Name = "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(icon->Id);
    if (sd_bus_open_user(&icon->Bus) < 0) return 0;
    if (sd_bus_request_name(icon->Bus, icon->Name.c_str(), 0) < 0 ||
        sd_bus_add_object_vtable(icon->Bus, &icon->Object, kSniItemPath, kSniItemInterface, TImpl::VTable(),
                                 icon.get()) < 0) {
        m.Close(*icon);
        return 0;
    }
    m.Register(*icon);
    const int id = icon->Id;
    m.Icons[id] = std::move(icon);
    return id;
}

bool TX11TraySni::ModifyIcon(int id, const TTrayIconImage& image) {
    auto it = m_impl->Icons.find(id);
    if (it == m_impl->Icons.end()) return false;
    TImpl::TIcon& icon = *it->second;
    const bool tipChanged = icon.Image.Tip != image.Tip;
    icon.Image = image;
    sd_bus_emit_signal(icon.Bus, kSniItemPath, kSniItemInterface, "NewIcon", "");
    if (tipChanged) {
        sd_bus_emit_signal(icon.Bus, kSniItemPath, kSniItemInterface, "NewToolTip", "");
        sd_bus_emit_signal(icon.Bus, kSniItemPath, kSniItemInterface, "NewTitle", "");
    }
    sd_bus_flush(icon.Bus);
    return true;
}

void TX11TraySni::RemoveIcon(int id) {
    auto it = m_impl->Icons.find(id);
    if (it == m_impl->Icons.end()) return;
    // Leaving the bus unregisters the item with the watcher.
    m_impl->Close(*it->second);
    m_impl->Icons.erase(it);
}

bool TX11TraySni::Pump() {
    TImpl& m = *m_impl;
    if (!m.Control || m.Pumping) return false;
    m.Pumping = true;
    bool any = TImpl::Drain(m.Control);
    for (auto& [id, icon] : m.Icons) any = TImpl::Drain(icon->Bus) || any;
    m.Pumping = false;
    // Delivered after every call was answered: a handler may open a menu and run a loop.
    while (!m.Pending.empty()) {
        const auto [id, event] = m.Pending.front();
        m.Pending.pop_front();
        auto it = m.Icons.find(id);
        if (it == m.Icons.end()) continue;
        TTrayEventHandler handler = it->second->Handler;
        if (handler) handler(event);
    }
    return any;
}

void TX11TraySni::SetWatcherListener(std::function<void(bool present)> listener) {
    m_impl->WatcherListener = std::move(listener);
}

std::string TX11TraySni::ServiceName(int id) const {
    auto it = m_impl->Icons.find(id);
    return it == m_impl->Icons.end() ? std::string() : it->second->Name;
}

bool SniWatcherPresent() {
    sd_bus* bus = nullptr;
    if (sd_bus_open_user(&bus) < 0) return false;
    const bool present = NameHasOwner(bus, kSniWatcherName);
    sd_bus_flush_close_unref(bus);
    return present;
}

}  // namespace platform::ui::x11
