#pragma once
// Resources compiled into the executable (form resources and the pictures they name), found by
// name. cmake/EmbedResource.cmake turns files into C++ byte arrays that register themselves
// here at start-up (add the generated sources to the executable itself, so that the linker
// keeps them).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform::forms {

// Registers (or replaces) a resource; the bytes must outlive the program (static arrays).
void RegisterEmbeddedResource(std::string name, const uint8_t* data, std::size_t size);
[[nodiscard]] std::optional<std::span<const uint8_t>> FindEmbeddedResource(std::string_view name);
[[nodiscard]] std::vector<std::string> EmbeddedResourceNames();

struct TEmbeddedResourceRegistrar {
    TEmbeddedResourceRegistrar(const char* name, const uint8_t* data, std::size_t size) {
        RegisterEmbeddedResource(name, data, size);
    }
};

}  // namespace platform::forms
