#include "platform/forms/EmbeddedResources.h"

#include <map>

namespace platform::forms {

namespace {
std::map<std::string, std::span<const uint8_t>, std::less<>>& Registry() {
    static std::map<std::string, std::span<const uint8_t>, std::less<>> registry;
    return registry;
}
}  // namespace

void RegisterEmbeddedResource(std::string name, const uint8_t* data, std::size_t size) {
    Registry()[std::move(name)] = std::span<const uint8_t>(data, size);
}

std::optional<std::span<const uint8_t>> FindEmbeddedResource(std::string_view name) {
    auto& r = Registry();
    auto it = r.find(name);
    if (it == r.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> EmbeddedResourceNames() {
    std::vector<std::string> names;
    for (const auto& [n, d] : Registry()) names.push_back(n);
    return names;
}

}  // namespace platform::forms
