// The pre-edit side of the input method: the caret we report sets the over-the-spot position
// (XNSpotLocation and XNArea), and, where the input method asks us to draw the pre-edit text,
// its draw and caret callbacks keep the text and hand it to the program as Composition events.

#include <cwchar>
#include <string>

#include "platform/core/Strings.h"
#include "platform/ui/backend/x11/X11BackendImpl.h"
#include "platform/ui/backend/x11/X11InputStyle.h"

namespace platform::ui::x11 {

namespace {

// A pre-edit string in the locale's multi-byte encoding, decoded with the locale's rules.
std::u32string DecodeMultiByte(const char* text) {
    std::u32string out;
    if (!text) return out;
    std::mbstate_t state{};
    const char* at = text;
    const char* end = text + std::char_traits<char>::length(text);
    while (at < end) {
        wchar_t wc = 0;
        const std::size_t n = std::mbrtowc(&wc, at, static_cast<std::size_t>(end - at), &state);
        if (n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2)) {
            out.push_back(U'\uFFFD');
            state = {};
            ++at;
            continue;
        }
        out.push_back(static_cast<char32_t>(wc));
        at += n == 0 ? 1 : n;
    }
    return out;
}

}  // namespace

void TX11Backend::OpenImFontSet() {
    if (m_imFontSet) return;
    char** missing = nullptr;
    int missingCount = 0;
    char* fallback = nullptr;
    m_imFontSet =
        XCreateFontSet(m_display, "-*-*-medium-r-normal--14-*-*-*-*-*-*-*,-*-*-*-*-*--*-*-*-*-*-*-*-*,*",
                       &missing, &missingCount, &fallback);
    if (missing) XFreeStringList(missing);
}

XVaNestedList TX11Backend::PreeditAttributes(const TX11Window& w) {
    if (IsPreeditByClient(m_imStyle)) {
        m_preeditStart = {reinterpret_cast<XPointer>(this), &TX11Backend::OnPreeditStart};
        m_preeditDone = {reinterpret_cast<XPointer>(this), &TX11Backend::OnPreeditDone};
        m_preeditDraw = {reinterpret_cast<XPointer>(this), &TX11Backend::OnPreeditDraw};
        m_preeditCaret = {reinterpret_cast<XPointer>(this), &TX11Backend::OnPreeditCaret};
        return XVaCreateNestedList(0, XNPreeditStartCallback, &m_preeditStart, XNPreeditDoneCallback,
                                   &m_preeditDone, XNPreeditDrawCallback, &m_preeditDraw,
                                   XNPreeditCaretCallback, &m_preeditCaret, nullptr);
    }
    if (!IsOverTheSpot(m_imStyle)) return nullptr;
    XPoint spot = SpotOf(w);
    XRectangle area = AreaOf(w);
    return XVaCreateNestedList(0, XNSpotLocation, &spot, XNArea, &area, XNFontSet, m_imFontSet, nullptr);
}

XPoint TX11Backend::SpotOf(const TX11Window& w) {
    // The spot is the baseline at the caret's left; the bottom of the caret is close enough.
    return {static_cast<short>(w.ImeCaret.Left), static_cast<short>(w.ImeCaret.Bottom)};
}

XRectangle TX11Backend::AreaOf(const TX11Window& w) {
    // From the caret to the window's right edge on the caret's line.
    const int width = std::max(1, w.Bounds.Width() - w.ImeCaret.Left);
    return {static_cast<short>(w.ImeCaret.Left), static_cast<short>(w.ImeCaret.Top),
            static_cast<unsigned short>(width),
            static_cast<unsigned short>(std::max(1, w.ImeCaret.Height()))};
}

void TX11Backend::SetImeCaretRect(TNativeWindow* window, const core::TRect& screen) {
    TX11Window* w = window ? Find(window->Id()) : nullptr;
    if (!w) return;
    const core::TRect caret{screen.Left - w->Bounds.Left, screen.Top - w->Bounds.Top,
                            screen.Right - w->Bounds.Left, screen.Bottom - w->Bounds.Top};
    if (caret == w->ImeCaret) return;
    w->ImeCaret = caret;
    if (!w->Ic || !IsOverTheSpot(m_imStyle)) return;
    XPoint spot = SpotOf(*w);
    XRectangle area = AreaOf(*w);
    XVaNestedList list = XVaCreateNestedList(0, XNSpotLocation, &spot, XNArea, &area, nullptr);
    if (!list) return;
    XSetICValues(w->Ic, XNPreeditAttributes, list, nullptr);
    XFree(list);
}

// ---- The input method asks us to draw the pre-edit text ----

TX11Window* TX11Backend::WindowOfIc(XIC ic) {
    for (auto& [xid, w] : m_windows) {
        if (w.Ic == ic) return &w;
    }
    return nullptr;
}

void TX11Backend::PushComposition(XIC ic) {
    TX11Window* w = WindowOfIc(ic);
    if (!w) return;
    TInputEvent e;
    e.Kind = TInputKind::Composition;
    e.Window = w->Xid;
    e.Text = core::CodePointsToUtf8(m_preedit);
    e.Char = static_cast<char32_t>(std::min<std::size_t>(m_preeditCursor, m_preedit.size()));
    Push(e);
}

Bool TX11Backend::OnPreeditStart(XIC ic, XPointer client, XPointer) {
    auto* self = reinterpret_cast<TX11Backend*>(client);
    self->m_preedit.clear();
    self->m_preeditCursor = 0;
    (void)ic;
    return -1;  // no limit on the pre-edit length
}

void TX11Backend::OnPreeditDone(XIM, XPointer client, XPointer) {
    auto* self = reinterpret_cast<TX11Backend*>(client);
    if (self->m_preedit.empty()) return;
    self->m_preedit.clear();
    self->m_preeditCursor = 0;
    // The input method gives no context here: the focused window is the one composing.
    if (TX11Window* w = self->FindX(self->m_focus)) self->PushComposition(w->Ic);
}

void TX11Backend::OnPreeditDraw(XIM im, XPointer client, XPointer call) {
    auto* self = reinterpret_cast<TX11Backend*>(client);
    const auto* data = reinterpret_cast<const XIMPreeditDrawCallbackStruct*>(call);
    if (!data) return;
    std::u32string& text = self->m_preedit;
    const std::size_t first =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(0, data->chg_first)), text.size());
    const std::size_t length =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(0, data->chg_length)), text.size() - first);
    std::u32string inserted;
    if (data->text) {
        if (data->text->encoding_is_wchar) {
            const wchar_t* wide = data->text->string.wide_char;
            for (unsigned short i = 0; wide && i < data->text->length; ++i)
                inserted.push_back(static_cast<char32_t>(wide[i]));
        } else {
            inserted = DecodeMultiByte(data->text->string.multi_byte);
        }
    }
    text.replace(first, length, inserted);
    self->m_preeditCursor = static_cast<std::size_t>(std::max(0, data->caret));
    self->PushComposition(reinterpret_cast<XIC>(im));
}

void TX11Backend::OnPreeditCaret(XIM im, XPointer client, XPointer call) {
    auto* self = reinterpret_cast<TX11Backend*>(client);
    auto* data = reinterpret_cast<XIMPreeditCaretCallbackStruct*>(call);
    if (!data) return;
    std::size_t& cursor = self->m_preeditCursor;
    switch (data->direction) {
        case XIMAbsolutePosition:
            cursor = static_cast<std::size_t>(std::max(0, data->position));
            break;
        case XIMForwardChar:
            ++cursor;
            break;
        case XIMBackwardChar:
            if (cursor > 0) --cursor;
            break;
        case XIMLineStart:
            cursor = 0;
            break;
        case XIMLineEnd:
            cursor = self->m_preedit.size();
            break;
        default:
            break;
    }
    cursor = std::min(cursor, self->m_preedit.size());
    data->position = static_cast<int>(cursor);
    self->PushComposition(reinterpret_cast<XIC>(im));
}

}  // namespace platform::ui::x11
