// The skin form's MDI branches. On an MDI main form it paints the MDI client's background from the
// skin, keeps the tabs bar and the window menu in step with the children and repaints its caption
// when a child is maximised or restored. On an MDI child it takes its activation from the client
// (the main form keeps the active frame), routes its window states through the client, and shows
// no frame of its own while maximised.

#include "skin/form/bsSkinFormMdi.h"

#include <algorithm>

#include "platform/forms/MainMenuBar.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"

namespace skin {

using platform::forms::TMdiClient;
using platform::gfx::TBrushStyle;
using namespace platform::ui;

namespace {

void Tile(TCanvas& canvas, const TRect& area, const TBitmap& picture, const TRect& piece) {
    const int pw = piece.Width(), ph = piece.Height();
    if (pw <= 0 || ph <= 0) return;
    for (int y = area.Top; y < area.Bottom; y += ph) {
        const int h = std::min(ph, area.Bottom - y);
        for (int x = area.Left; x < area.Right; x += pw) {
            const int w = std::min(pw, area.Right - x);
            canvas.DrawBitmapRect({x, y, x + w, y + h}, picture,
                                  {piece.Left, piece.Top, piece.Left + w, piece.Top + h});
        }
    }
}

// The window menu's item of a child is named after it.
constexpr const char* kChildItemSuffix = "_SFCHILDITEM";

}  // namespace

// ---- State ----

bool TbsSkinForm::IsMDIForm() const {
    return m_form && m_form->FormStyle() == platform::forms::fsMDIForm && m_form->MDIClient();
}

bool TbsSkinForm::IsMDIChild() const {
    return m_form && m_form->FormStyle() == platform::forms::fsMDIChild &&
           dynamic_cast<TMdiClient*>(m_form->Parent());
}

bool TbsSkinForm::MaximizedMDIChild() const {
    return IsMDIChild() && m_form->WindowState() == platform::forms::wsMaximized;
}

platform::core::TSize TbsSkinForm::MinimizedSize() const {
    if (m_skinned)
        return {m_skinData->Picture.Width(),
                m_skinData->Picture.Height() - RectHeightOf(m_skinData->clientrect)};
    return {m_minWidth > 0 ? m_minWidth : 120, DefCaptionHeight() + 6};
}

bool TbsSkinForm::MdiSetWindowState(TWindowState value) {
    if (!IsMDIChild()) return false;
    UpdateMdiHooks();
    m_form->SetWindowState(value);
    SyncMdiWindowState();
    return true;
}

void TbsSkinForm::SyncMdiWindowState() {
    if (!IsMDIChild()) return;
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(this))
        behaviour->SyncWindowState(m_form->WindowState());
}

// ---- The tabs bar ----

void TbsSkinForm::SetMDITabsBar(TComponent* value) {
    auto* link = dynamic_cast<TbsMDITabsBarLink*>(value);
    if (value && !link) return;
    if (value == m_mdiTabsBar) return;
    if (m_mdiTabsBar) m_mdiTabsBar->RemoveFreeNotification(this);
    m_mdiTabsBar = value;
    m_mdiTabsLink = link;
    if (!value) return;
    value->FreeNotification(this);
    // The children there are already get their tabs, the rearmost first.
    if (IsMDIForm() && !IsLoading())
        for (int i = m_form->MDIChildCount() - 1; i >= 0; --i) link->MDITabAdd(m_form->MDIChildren(i));
    if (IsMDIForm()) link->MDITabsCheckActive();
}

void TbsSkinForm::MdiChildChanged(TForm* child, int change) {
    if (!m_mdiTabsLink) return;
    switch (change) {
        case platform::forms::mdiChildShown:
            m_mdiTabsLink->MDITabAdd(child);
            m_mdiTabsLink->MDITabsCheckActive();
            break;
        case platform::forms::mdiChildRemoved:
            m_mdiTabsLink->MDITabDelete(child);
            break;
        case platform::forms::mdiChildActivated:
            m_mdiTabsLink->MDITabsCheckActive();
            break;
        case platform::forms::mdiCaptionChanged:
            m_mdiTabsLink->MDITabUpdate(child);
            break;
        default:
            break;
    }
}

// ---- Hooks ----

void TbsSkinForm::UpdateMdiHooks() {
    if (IsMDIChild()) {
        auto* client = static_cast<TMdiClient*>(m_form->Parent());
        client->SetMinimizedSize(m_form, MinimizedSize());
        m_activeFlag = client->ActiveChild() == m_form;
        return;
    }
    TMdiClient* client = IsMDIForm() ? m_form->MDIClient() : nullptr;
    if (client == m_hookedClient && (!client || m_hookedClientRef)) return;
    ReleaseMdiHooks();
    if (!client) return;
    m_hookedClient = client;
    m_hookedClientRef = client->WeakRef();
    m_clientProc = client->WindowProc;
    const auto alive = WeakRef();
    TbsSkinForm* self = this;
    client->WindowProc = [self, alive, client, previous = m_clientProc](TMessage& m) {
        if (alive && m.Msg == WM_ERASEBKGND) {
            if (auto* dc = PtrFromParam<TDeviceContext>(m.WParam))
                self->PaintMdiBackground(dc->Canvas(), client->ClientRect());
            m.Result = 1;
            return;
        }
        if (previous) previous(m);
    };
    client->OnChildChange = [self, alive](TForm* child, platform::forms::TMdiChildChange change) {
        if (alive) self->MdiChildChanged(child, change);
    };
    client->OnWindowMenuItem = [](platform::forms::TMenuItem* item, TForm* child) {
        item->SetCaption(child->Caption());
        const std::string name = child->Name().empty() ? std::string() : child->Name() + kChildItemSuffix;
        // Two children of the same name share no item name: the later one's item stays unnamed.
        if (!name.empty() && !item->Owner()->FindComponent(name)) item->SetName(name);
    };
    client->UpdateWindowMenu();
    client->Invalidate();
    if (m_mdiTabsLink) {
        for (int i = m_form->MDIChildCount() - 1; i >= 0; --i)
            m_mdiTabsLink->MDITabAdd(m_form->MDIChildren(i));
        m_mdiTabsLink->MDITabsCheckActive();
    }
}

void TbsSkinForm::ReleaseMdiHooks() {
    TMdiClient* client = m_hookedClientRef ? m_hookedClient : nullptr;
    if (client) {
        if (m_clientProc) client->WindowProc = m_clientProc;
        client->OnChildChange = nullptr;
        client->OnWindowMenuItem = nullptr;
        if (!client->IsDestroying()) client->UpdateWindowMenu();
    }
    m_hookedClient = nullptr;
    m_hookedClientRef = {};
    m_clientProc = nullptr;
}

// ---- Painting ----

void TbsSkinForm::PaintMdiBackground(TCanvas& canvas, const TRect& area) {
    canvas.Brush.Style = TBrushStyle::bsSolid;
    if (!m_skinned) {
        canvas.Brush.Color = platform::gfx::clAppWorkSpace;
        canvas.FillRect(area);
    } else {
        const TbsSkinData& sd = *m_skinData;
        const TBitmap* mdi = sd.mdibgpictureindex == -1 ? nullptr : sd.ActivePicture(sd.mdibgpictureindex);
        const TBitmap* bg = sd.bgpictureindex == -1 ? nullptr : sd.ActivePicture(sd.bgpictureindex);
        if (mdi)
            Tile(canvas, area, *mdi, {0, 0, mdi->Width(), mdi->Height()});
        else if (bg)
            Tile(canvas, area, *bg, {0, 0, bg->Width(), bg->Height()});
        else if (!IsEmptyRect(sd.clientrect))
            Tile(canvas, area, sd.Picture, sd.clientrect);
        else {
            canvas.Brush.Color = platform::gfx::clBtnFace;
            canvas.FillRect(area);
        }
    }
    if (!m_logoBitMap.Empty()) {
        TBitmap logo = m_logoBitMap;
        logo.Transparent = m_logoBitMapTransparent;
        canvas.Draw(area.Left + area.Width() / 2 - logo.Width() / 2,
                    area.Top + area.Height() / 2 - logo.Height() / 2, logo);
    }
}

// ---- Messages ----

bool TbsSkinForm::HandleMdiMessage(TMessage& m) {
    const auto alive = WeakRef();
    switch (m.Msg) {
        case WM_NCACTIVATE: {
            if (!IsMDIChild()) return false;
            // A child is active as its client says, while the main form keeps the activation.
            m_activeFlag = m.WParam != 0;
            m.Result = 1;
            const bool framed = !MaximizedMDIChild();
            if (framed) UpdateFormNC();
            FormChangeActive(framed);
            return true;
        }
        case WM_ERASEBKGND:
            // The client covers the main form's own background.
            if (!IsMDIForm()) return false;
            CallFormProc(m);
            return true;
        case WM_SIZE:
            if (!IsMDIChild()) return false;
            // The client has set the new window state before it moves the child.
            SyncMdiWindowState();
            return false;
        case WM_SHOWWINDOW:
            UpdateMdiHooks();
            return false;
        case WM_SYSCOMMAND:
            // A main menu the platform still draws (no skinned menu bar) takes Alt and F10 itself.
            if ((m.WParam & 0xFFF0) != SC_KEYMENU || !platform::forms::FindMenuBar(*m_form)) return false;
            CallFormProc(m);
            return true;
        case SkinAfterChange:
            if (IsMDIForm() && PtrFromParam<TbsSkinData>(m.WParam) == m_skinData) {
                m_form->MDIClient()->FitToParent();
                m_form->MDIClient()->Invalidate();
            }
            return false;
        case platform::forms::WM_MDIFITCLIENT:
            if (IsMDIForm()) m_form->MDIClient()->Invalidate();
            return false;
        case platform::forms::WM_MDICHILDMAXIMIZED:
        case platform::forms::WM_MDICHILDRESTORED:
            // The title gained or lost the child's caption.
            if (!IsMDIForm()) return false;
            CallFormProc(m);
            if (alive) UpdateFormNC();
            return true;
        default:
            return false;
    }
}

}  // namespace skin
