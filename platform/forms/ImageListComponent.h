#pragma once
// The image-list component (resource class name "TImageList"): a component around
// gfx::TImageList, so that menus, combo boxes and other components can refer to it by name.
// In a form resource its pictures are one strip (Bitmap, a BMP), cut into Width-wide pictures;
// with Masked, pixels of TransparentColor (or, when that is clDefault, the strip's bottom-left
// pixel) are transparent.

#include <cstdint>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/ImageList.h"

namespace platform::gfx {
class TCanvas;
}

namespace platform::forms {

class TImageListComponent : public TComponent {
public:
    explicit TImageListComponent(TComponent* owner);
    [[nodiscard]] std::string ClassName() const override { return "TImageList"; }

    [[nodiscard]] gfx::TImageList& List() { return m_list; }
    [[nodiscard]] const gfx::TImageList& List() const { return m_list; }
    [[nodiscard]] int Width() const { return m_list.Width(); }
    [[nodiscard]] int Height() const { return m_list.Height(); }
    // Changing the size clears the list.
    void SetWidth(int value);
    void SetHeight(int value);
    [[nodiscard]] int Count() const { return m_list.Count(); }
    [[nodiscard]] bool Masked() const { return m_masked; }
    void SetMasked(bool value) { m_masked = value; }
    [[nodiscard]] gfx::TColor TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(gfx::TColor value) { m_transparentColor = value; }

    int Add(const gfx::TBitmap& image, const gfx::TBitmap* mask = nullptr);
    int AddMasked(const gfx::TBitmap& image, gfx::TColor transparentColor);
    void Delete(int index);
    void Clear();
    bool GetBitmap(int index, gfx::TBitmap& out) const { return m_list.GetBitmap(index, out); }
    void Draw(gfx::TCanvas& canvas, int x, int y, int index, bool enabled = true) const {
        m_list.Draw(canvas, x, y, index, enabled);
    }

    // The pictures as a strip in BMP bytes (what the resource stores), and back. Reading a strip
    // replaces the pictures; false when the bytes are no picture.
    [[nodiscard]] std::vector<uint8_t> StripData() const;
    bool SetStripData(const std::vector<uint8_t>& bmpBytes);

    TNotifyEvent OnChange;

private:
    void Changed();

    gfx::TImageList m_list;
    bool m_masked = true;
    gfx::TColor m_transparentColor = gfx::clDefault;
    std::vector<uint8_t> m_strip;  // the strip as read, written back while the list is unchanged
};

}  // namespace platform::forms
