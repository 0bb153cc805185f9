#include "app/program/ControlAdapters.h"

#include <cctype>

#include "platform/core/Files.h"
#include "platform/gfx/Jpeg.h"

namespace app::program {

std::string TLabelAdapter::WithMnemonic(const std::string& text, char letter) {
    if (letter == 0) return text;
    std::string out;
    bool marked = false;
    for (const char c : text) {
        if (c == '&') out += '&';
        if (!marked &&
            std::tolower(static_cast<unsigned char>(c)) == std::tolower(static_cast<unsigned char>(letter))) {
            out += '&';
            marked = true;
        }
        out += c;
    }
    return out;
}

bool TImageAdapter::LoadFromFile(const std::string& path) {
    platform::forms::TPicture& picture = Component().Picture();
    const auto bytes = platform::core::ReadFileBytes(path);
    if (bytes) {
        // A JPEG preview is decoded no larger than needed to cover its slot: a huge picture
        // then costs about what the slot shows.
        platform::gfx::TJPEGImage jpeg;
        jpeg.ScaleToCover = {Component().Width(), Component().Height()};
        if (jpeg.LoadFromMemory(bytes->data(), bytes->size())) {
            picture.AssignJpeg(jpeg);
            return true;
        }
        if (picture.LoadFromMemory(*bytes)) return true;
    }
    picture.Clear();
    return false;
}

}  // namespace app::program
