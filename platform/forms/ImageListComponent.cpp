#include "platform/forms/ImageListComponent.h"

#include "platform/gfx/Canvas.h"

namespace platform::forms {

TImageListComponent::TImageListComponent(TComponent* owner) : TComponent(owner) {}

void TImageListComponent::SetWidth(int value) {
    if (value == m_list.Width() || value <= 0) return;
    m_list.SetSize(value, m_list.Height());
    Changed();
}

void TImageListComponent::SetHeight(int value) {
    if (value == m_list.Height() || value <= 0) return;
    m_list.SetSize(m_list.Width(), value);
    Changed();
}

int TImageListComponent::Add(const gfx::TBitmap& image, const gfx::TBitmap* mask) {
    const int r = m_list.Add(image, mask);
    Changed();
    return r;
}

int TImageListComponent::AddMasked(const gfx::TBitmap& image, gfx::TColor transparentColor) {
    const int r = m_list.AddMasked(image, transparentColor);
    Changed();
    return r;
}

void TImageListComponent::Delete(int index) {
    m_list.Delete(index);
    Changed();
}

void TImageListComponent::Clear() {
    m_list.Clear();
    Changed();
}

void TImageListComponent::Changed() {
    m_strip.clear();
    if (OnChange) OnChange(this);
}

std::vector<uint8_t> TImageListComponent::StripData() const {
    if (!m_strip.empty()) return m_strip;
    if (m_list.Count() == 0) return {};
    gfx::TBitmap strip(m_list.Width() * m_list.Count(), m_list.Height());
    for (int i = 0; i < m_list.Count(); ++i) {
        gfx::TBitmap one;
        if (!m_list.GetBitmap(i, one)) continue;
        for (int y = 0; y < one.Height() && y < strip.Height(); ++y)
            for (int x = 0; x < one.Width() && x < m_list.Width(); ++x)
                strip.SetPixel(i * m_list.Width() + x, y, one.Pixel(x, y));
    }
    return strip.SaveToMemory();
}

bool TImageListComponent::SetStripData(const std::vector<uint8_t>& bmpBytes) {
    if (bmpBytes.empty()) {
        Clear();
        return true;
    }
    gfx::TBitmap strip;
    if (!strip.LoadFromMemory(bmpBytes.data(), bmpBytes.size())) return false;
    m_list.Clear();
    if (m_masked) {
        const gfx::TColor key =
            m_transparentColor == gfx::clDefault ? strip.Pixel(0, strip.Height() - 1) : m_transparentColor;
        m_list.AddMasked(strip, key);
    } else {
        m_list.Add(strip);
    }
    if (OnChange) OnChange(this);
    m_strip = bmpBytes;
    return true;
}

}  // namespace platform::forms
