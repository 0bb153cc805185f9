#pragma once
// TPicture: a picture that is a bitmap (BMP) or a JPEG, as a TImage holds it. The bytes it was
// read from are kept, so that a form resource writes back exactly what it read.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Jpeg.h"

namespace platform::forms {

enum class TPictureFormat : uint8_t { None, Bitmap, Jpeg };

class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture& other);

    [[nodiscard]] TPictureFormat Format() const { return m_format; }
    [[nodiscard]] bool Empty() const { return m_format == TPictureFormat::None; }
    [[nodiscard]] int Width() const;
    [[nodiscard]] int Height() const;
    // The pixels (a decoded JPEG's too); an empty bitmap when there is no picture.
    [[nodiscard]] const gfx::TBitmap& Bitmap() const;
    // A bitmap to draw into or change; turns the picture into a bitmap picture.
    [[nodiscard]] gfx::TBitmap& EditBitmap();
    [[nodiscard]] const gfx::TJPEGImage* Jpeg() const { return m_jpeg.get(); }

    // BMP or JPEG, told apart by their first bytes. False (picture unchanged) for anything else
    // or a broken file.
    bool LoadFromFile(const std::string& path);
    bool LoadFromMemory(const uint8_t* data, std::size_t size);
    bool LoadFromMemory(const std::vector<uint8_t>& data) { return LoadFromMemory(data.data(), data.size()); }
    void Assign(const gfx::TBitmap& bitmap);
    void AssignJpeg(const gfx::TJPEGImage& jpeg);
    void Clear();
    // The picture as file bytes: a JPEG's compressed bytes, a bitmap as BMP (in the format it
    // was read in); empty for no picture.
    [[nodiscard]] std::vector<uint8_t> SaveToMemory() const;
    bool SaveToFile(const std::string& path) const;

    std::function<void()> OnChange;

private:
    void Changed();

    TPictureFormat m_format = TPictureFormat::None;
    gfx::TBitmap m_bitmap;
    std::unique_ptr<gfx::TJPEGImage> m_jpeg;
};

}  // namespace platform::forms
