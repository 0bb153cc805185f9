#include "platform/ui/backend/x11/X11Scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/ui/backend/x11/X11BackendImpl.h"

namespace platform::ui::x11 {

namespace {

constexpr double kBaseDpi = 96.0;
constexpr double kScaledFromDpi = 144.0;
constexpr int kMaxDetectedScale = 3;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

}  // namespace

int ScaleForDpi(double dpi) {
    if (!std::isfinite(dpi) || dpi < kScaledFromDpi) return 1;
    return std::clamp(static_cast<int>(std::lround(dpi / kBaseDpi)), 1, kMaxDetectedScale);
}

std::optional<double> XftDpiFromResources(std::string_view resources) {
    while (!resources.empty()) {
        const std::size_t end = resources.find('\n');
        const std::string_view line = resources.substr(0, end);
        resources = end == std::string_view::npos ? std::string_view{} : resources.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || Trim(line.substr(0, colon)) != "Xft.dpi") continue;
        const std::string value(Trim(line.substr(colon + 1)));
        if (value.empty()) return std::nullopt;
        char* stop = nullptr;
        const double dpi = std::strtod(value.c_str(), &stop);
        if (stop == value.c_str() || *stop != '\0' || !std::isfinite(dpi) || dpi <= 0) return std::nullopt;
        return dpi;
    }
    return std::nullopt;
}

std::optional<int> ScaleOverride(const char* value) {
    if (!value || std::strlen(value) != 1 || value[0] < '1' || value[0] > '8') return std::nullopt;
    return value[0] - '0';
}

int TX11Backend::DetectScale() const {
    if (const auto forced = ScaleOverride(std::getenv("VK_SCALE"))) return *forced;
    if (const char* resources = XResourceManagerString(m_display)) {
        if (const auto dpi = XftDpiFromResources(resources)) return ScaleForDpi(*dpi);
    }
    const int millimetres = DisplayWidthMM(m_display, m_screen);
    if (millimetres <= 0) return 1;
    return ScaleForDpi(DisplayWidth(m_display, m_screen) * 25.4 / millimetres);
}

}  // namespace platform::ui::x11
