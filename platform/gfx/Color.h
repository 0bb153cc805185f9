#pragma once
// Colours are 0x00BBGGRR. Values with the top bit set name a system colour (index in the low
// byte) and resolve through one fixed table.

#include <cstdint>

namespace platform::gfx {

using TColor = int32_t;

constexpr TColor RGB(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

enum TSysColorIndex : int {
    COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20, COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28, COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30,
    COLOR_COUNT = 31
};

constexpr TColor SysColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }

// Plain colours.
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours.
inline constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
inline constexpr TColor clBackground = SysColor(COLOR_BACKGROUND);
inline constexpr TColor clActiveCaption = SysColor(COLOR_ACTIVECAPTION);
inline constexpr TColor clInactiveCaption = SysColor(COLOR_INACTIVECAPTION);
inline constexpr TColor clMenu = SysColor(COLOR_MENU);
inline constexpr TColor clWindow = SysColor(COLOR_WINDOW);
inline constexpr TColor clWindowFrame = SysColor(COLOR_WINDOWFRAME);
inline constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
inline constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
inline constexpr TColor clCaptionText = SysColor(COLOR_CAPTIONTEXT);
inline constexpr TColor clActiveBorder = SysColor(COLOR_ACTIVEBORDER);
inline constexpr TColor clInactiveBorder = SysColor(COLOR_INACTIVEBORDER);
inline constexpr TColor clAppWorkSpace = SysColor(COLOR_APPWORKSPACE);
inline constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
inline constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
inline constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
inline constexpr TColor clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT);
inline constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);
inline constexpr TColor clHotLight = SysColor(COLOR_HOTLIGHT);
inline constexpr TColor clMenuHighlight = SysColor(COLOR_MENUHILIGHT);
inline constexpr TColor clMenuBar = SysColor(COLOR_MENUBAR);

// Resolves a system colour through the fixed table; other colours pass through (top byte cleared).
[[nodiscard]] TColor ColorToRGB(TColor color);
[[nodiscard]] TColor GetSysColor(int index);

// Conversion to and from the 32-bit pixel format of TBitmap (0x00RRGGBB, bytes B, G, R, X).
constexpr uint32_t ColorToPixel(TColor c) {
    return static_cast<uint32_t>(GetBValue(c)) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           (static_cast<uint32_t>(GetRValue(c)) << 16);
}
constexpr TColor PixelToColor(uint32_t p) {
    return RGB(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
               static_cast<int>(p & 0xFF));
}

}  // namespace platform::gfx
