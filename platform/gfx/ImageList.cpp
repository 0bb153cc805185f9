#include "platform/gfx/ImageList.h"

#include "platform/gfx/CanvasInternal.h"

namespace platform::gfx {

void TImageList::SetSize(int width, int height) {
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    Clear();
}

// Each picture is cut from image (and mask) at column k * Width; parts of a cell that the image
// does not cover stay transparent.
int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    if (image.Empty() || m_width <= 0 || m_height <= 0) return -1;
    const int first = Count();
    const int pictures = std::max(1, image.Width() / m_width);
    const uint32_t black = 0;
    for (int k = 0; k < pictures; ++k) {
        Entry e;
        e.Image.SetSize(m_width, m_height);
        const int x0 = k * m_width;
        const int w = std::min(m_width, image.Width() - x0), h = std::min(m_height, image.Height());
        const bool covered = w == m_width && h == m_height;
        if (mask || !covered) e.Opaque.assign(static_cast<std::size_t>(m_width) * m_height, 0);
        for (int y = 0; y < h; ++y) {
            const uint32_t* src = image.ScanLine(y) + x0;
            uint32_t* dst = e.Image.ScanLine(y);
            for (int x = 0; x < w; ++x) {
                dst[x] = src[x];
                if (e.Opaque.empty()) continue;
                bool opaque = true;
                if (mask) {
                    const int mx = x0 + x;
                    opaque = mx < mask->Width() && y < mask->Height() &&
                             (mask->ScanLine(y)[mx] & kRgbMask) == black;
                }
                e.Opaque[static_cast<std::size_t>(y) * m_width + x] = opaque ? 1 : 0;
            }
        }
        m_images.push_back(std::move(e));
    }
    return first;
}

int TImageList::AddMasked(const TBitmap& image, TColor transparentColor) {
    if (image.Empty()) return -1;
    const uint32_t key = transparentColor == clDefault ? image.ScanLine(image.Height() - 1)[0] & kRgbMask
                                                       : ResolvePixel(transparentColor);
    TBitmap mask(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        const uint32_t* src = image.ScanLine(y);
        uint32_t* dst = mask.ScanLine(y);
        for (int x = 0; x < image.Width(); ++x) dst[x] = (src[x] & kRgbMask) == key ? kRgbMask : 0;
    }
    return Add(image, &mask);
}

void TImageList::Delete(int index) {
    if (index >= 0 && index < Count()) m_images.erase(m_images.begin() + index);
}

void TImageList::Clear() {
    m_images.clear();
}

bool TImageList::GetBitmap(int index, TBitmap& out) const {
    if (index < 0 || index >= Count()) return false;
    out = m_images[static_cast<std::size_t>(index)].Image;
    return true;
}

// The disabled look: every visible pixel that is not white becomes ink, drawn in the highlight
// colour one pixel down and right and then in the shadow colour in place.
void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const Entry& e = m_images[static_cast<std::size_t>(index)];
    if (enabled) {
        TCanvasAccess::DrawMasked(canvas, x, y, e.Image, e.Opaque, nullptr);
        return;
    }
    std::vector<uint8_t> ink(static_cast<std::size_t>(e.Image.Width()) * e.Image.Height());
    for (int py = 0; py < e.Image.Height(); ++py) {
        const uint32_t* row = e.Image.ScanLine(py);
        for (int px = 0; px < e.Image.Width(); ++px) {
            const std::size_t i = static_cast<std::size_t>(py) * e.Image.Width() + px;
            const bool visible = e.Opaque.empty() || e.Opaque[i];
            ink[i] = visible && (row[px] & kRgbMask) != kRgbMask;
        }
    }
    const uint32_t highlight = ResolvePixel(clBtnHighlight), shadow = ResolvePixel(clBtnShadow);
    TCanvasAccess::DrawMasked(canvas, ClampCoord(x + 1LL), ClampCoord(y + 1LL), e.Image, ink, &highlight);
    TCanvasAccess::DrawMasked(canvas, x, y, e.Image, ink, &shadow);
}

}  // namespace platform::gfx
