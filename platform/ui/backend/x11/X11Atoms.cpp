#include "platform/ui/backend/x11/X11Atoms.h"

#include <string>
#include <utility>
#include <vector>

namespace platform::ui::x11 {

void TX11Atoms::Intern(Display* display, int screen) {
    const std::string compositor = "_NET_WM_CM_S" + std::to_string(screen);
    const std::vector<std::pair<const char*, Atom*>> table = {
        {"WM_PROTOCOLS", &WM_PROTOCOLS},
        {"WM_DELETE_WINDOW", &WM_DELETE_WINDOW},
        {"WM_STATE", &WM_STATE},
        {"UTF8_STRING", &UTF8_STRING},
        {"CLIPBOARD", &CLIPBOARD},
        {"TARGETS", &TARGETS},
        {"TEXT", &TEXT},
        {"INCR", &INCR},
        {"_MOTIF_WM_HINTS", &MOTIF_WM_HINTS},
        {"_NET_WM_NAME", &NET_WM_NAME},
        {"_NET_WM_ICON_NAME", &NET_WM_ICON_NAME},
        {"_NET_WM_ICON", &NET_WM_ICON},
        {"_NET_WM_PID", &NET_WM_PID},
        {"_NET_WM_PING", &NET_WM_PING},
        {"_NET_WM_STATE", &NET_WM_STATE},
        {"_NET_WM_STATE_ABOVE", &NET_WM_STATE_ABOVE},
        {"_NET_WM_STATE_SKIP_TASKBAR", &NET_WM_STATE_SKIP_TASKBAR},
        {"_NET_WM_WINDOW_TYPE", &NET_WM_WINDOW_TYPE},
        {"_NET_WM_WINDOW_TYPE_NORMAL", &NET_WM_WINDOW_TYPE_NORMAL},
        {"_NET_WM_WINDOW_TYPE_DIALOG", &NET_WM_WINDOW_TYPE_DIALOG},
        {"_NET_WM_WINDOW_TYPE_POPUP_MENU", &NET_WM_WINDOW_TYPE_POPUP_MENU},
        {"_NET_WM_WINDOW_TYPE_UTILITY", &NET_WM_WINDOW_TYPE_UTILITY},
        {"_NET_WM_WINDOW_OPACITY", &NET_WM_WINDOW_OPACITY},
        {"_NET_ACTIVE_WINDOW", &NET_ACTIVE_WINDOW},
        {"_NET_WORKAREA", &NET_WORKAREA},
        {"_NET_CURRENT_DESKTOP", &NET_CURRENT_DESKTOP},
        {"_NET_SUPPORTING_WM_CHECK", &NET_SUPPORTING_WM_CHECK},
        {compositor.c_str(), &NET_WM_CM_S0},
        {"_VK_SELECTION", &VK_SELECTION},
        {"_VK_TIMESTAMP", &VK_TIMESTAMP},
    };
    std::vector<char*> names;
    names.reserve(table.size());
    for (const auto& entry : table) names.push_back(const_cast<char*>(entry.first));
    std::vector<Atom> atoms(table.size(), None);
    XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data());
    for (std::size_t i = 0; i < table.size(); ++i) *table[i].second = atoms[i];
}

}  // namespace platform::ui::x11
