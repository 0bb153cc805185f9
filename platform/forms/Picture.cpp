#include "platform/forms/Picture.h"

#include "platform/core/Files.h"

namespace platform::forms {

TPicture::TPicture(const TPicture& other) : m_format(other.m_format), m_bitmap(other.m_bitmap) {
    if (other.m_jpeg) m_jpeg = std::make_unique<gfx::TJPEGImage>(*other.m_jpeg);
}

TPicture& TPicture::operator=(const TPicture& other) {
    if (this == &other) return *this;
    m_format = other.m_format;
    m_bitmap = other.m_bitmap;
    m_jpeg = other.m_jpeg ? std::make_unique<gfx::TJPEGImage>(*other.m_jpeg) : nullptr;
    Changed();
    return *this;
}

int TPicture::Width() const {
    return Bitmap().Width();
}
int TPicture::Height() const {
    return Bitmap().Height();
}

const gfx::TBitmap& TPicture::Bitmap() const {
    if (m_format == TPictureFormat::Jpeg && m_jpeg) return m_jpeg->Bitmap();
    return m_bitmap;
}

gfx::TBitmap& TPicture::EditBitmap() {
    if (m_format == TPictureFormat::Jpeg && m_jpeg) {
        m_bitmap = m_jpeg->Bitmap();
        m_jpeg.reset();
    }
    m_format = TPictureFormat::Bitmap;
    return m_bitmap;
}

bool TPicture::LoadFromMemory(const uint8_t* data, std::size_t size) {
    if (!data || size < 4) return false;
    if (data[0] == 'B' && data[1] == 'M') {
        gfx::TBitmap bmp;
        if (!bmp.LoadFromMemory(data, size)) return false;
        m_bitmap = std::move(bmp);
        m_jpeg.reset();
        m_format = TPictureFormat::Bitmap;
        Changed();
        return true;
    }
    if (data[0] == 0xFF && data[1] == 0xD8) {
        auto jpeg = std::make_unique<gfx::TJPEGImage>();
        if (!jpeg->LoadFromMemory(data, size)) return false;
        m_jpeg = std::move(jpeg);
        m_bitmap = gfx::TBitmap();
        m_format = TPictureFormat::Jpeg;
        Changed();
        return true;
    }
    return false;
}

bool TPicture::LoadFromFile(const std::string& path) {
    auto bytes = core::ReadFileBytes(path);
    if (!bytes) return false;
    return LoadFromMemory(bytes->data(), bytes->size());
}

void TPicture::Assign(const gfx::TBitmap& bitmap) {
    m_bitmap = bitmap;
    m_jpeg.reset();
    m_format = bitmap.Empty() ? TPictureFormat::None : TPictureFormat::Bitmap;
    Changed();
}

void TPicture::AssignJpeg(const gfx::TJPEGImage& jpeg) {
    m_jpeg = std::make_unique<gfx::TJPEGImage>(jpeg);
    m_bitmap = gfx::TBitmap();
    m_format = jpeg.Empty() ? TPictureFormat::None : TPictureFormat::Jpeg;
    Changed();
}

void TPicture::Clear() {
    if (m_format == TPictureFormat::None) return;
    m_bitmap = gfx::TBitmap();
    m_jpeg.reset();
    m_format = TPictureFormat::None;
    Changed();
}

std::vector<uint8_t> TPicture::SaveToMemory() const {
    switch (m_format) {
        case TPictureFormat::Bitmap:
            return m_bitmap.SaveToMemory();
        case TPictureFormat::Jpeg:
            return m_jpeg ? m_jpeg->Data() : std::vector<uint8_t>{};
        default:
            return {};
    }
}

bool TPicture::SaveToFile(const std::string& path) const {
    const auto bytes = SaveToMemory();
    if (bytes.empty()) return false;
    return core::WriteFileAtomic(path, bytes.data(), bytes.size());
}

void TPicture::Changed() {
    if (OnChange) OnChange();
}

}  // namespace platform::forms
