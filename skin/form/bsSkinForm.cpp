// The skin form as a component: attaching to its form, the properties, the timers and the frame's
// objects.

#include "skin/form/bsSkinForm.h"

#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsTrayIcon.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinFormCaption.h"

namespace skin {

using platform::forms::TTimer;
using platform::ui::TWindow;
using platform::ui::TWindowSystem;

namespace {

constexpr uint32_t kHoverInterval = 50;
constexpr uint32_t kFadeInterval = 20;
constexpr uint32_t kFrameInterval = 25;

std::unique_ptr<TTimer> MakeTimer(uint32_t interval, std::function<void()> tick) {
    auto timer = std::make_unique<TTimer>(nullptr);
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    timer->SetOnTimer([tick = std::move(tick)](TComponent*) { tick(); });
    return timer;
}

}  // namespace

TbsSkinForm::TbsSkinForm(TComponent* owner) : TComponent(owner) {
    m_form = dynamic_cast<TForm*>(owner);
    m_defCaptionFont.SetName("Arial");
    m_defCaptionFont.SetHeight(14);
    m_defCaptionFont.SetStyle(platform::gfx::fsBold);
    m_defCaptionFont.SetColor(platform::gfx::clBtnText);
    m_defInActiveCaptionFont = m_defCaptionFont;
    m_defInActiveCaptionFont.SetColor(platform::gfx::clBtnShadow);
    m_defMenuItemFont.SetName("Arial");
    m_defMenuItemFont.SetHeight(14);
    m_defMenuItemFont.SetStyle(0);

    m_hoverTimerOwned = MakeTimer(kHoverInterval, [this] { HoverTimerTick(); });
    m_fadeTimerOwned = MakeTimer(kFadeInterval, [this] { FadeTimerTick(); });
    m_frameTimerOwned = MakeTimer(kFrameInterval, [this] { FrameTimerTick(); });
    m_hoverTimer = m_hoverTimerOwned.get();
    m_fadeTimer = m_fadeTimerOwned.get();
    m_frameTimer = m_frameTimerOwned.get();

    if (m_form && !IsDesigning()) Attach();
}

TbsSkinForm::~TbsSkinForm() {
    EndWeakRefs();
    ReleaseMdiHooks();
    if (m_mdiTabsBar) m_mdiTabsBar->RemoveFreeNotification(this);
    StopTimers();
    Detach();
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    if (m_menusSkinData) m_menusSkinData->RemoveFreeNotification(this);
    if (m_systemMenu) m_systemMenu->RemoveFreeNotification(this);
    if (m_mainMenuBar) m_mainMenuBar->RemoveFreeNotification(this);
    ClearObjects();
}

void TbsSkinForm::Attach() {
    // The frame's buttons come from the skin form; the form's own icons would ask the platform
    // for a frame of its own.
    m_form->SetBorderIcons(0);
    m_formProc = m_form->WindowProc;
    const auto alive = WeakRef();
    TbsSkinForm* self = this;
    m_form->WindowProc = [self, alive](TMessage& m) {
        if (alive) self->NewWndProc(m);
    };
    if (TWindow* w = m_form->HandleIfAllocated()) {
        TWindowSystem& ws = w->System();
        ws.SetWindowStyle(w, w->Style() & ~platform::ui::WS_CAPTION);
        ws.SetWindowPos(w, nullptr, w->WindowRect(),
                        platform::ui::SWP_NOMOVE | platform::ui::SWP_NOSIZE | platform::ui::SWP_NOZORDER |
                            platform::ui::SWP_NOACTIVATE | platform::ui::SWP_FRAMECHANGED);
    }
    ApplySkinIfReady();
}

void TbsSkinForm::Detach() {
    if (!m_form) return;
    m_form->WindowProc = m_formProc;
    if (m_form->IsDestroying()) return;
    // The form gets the platform's frame back.
    m_form->SetWindowRgn(std::nullopt);
    if (TWindow* w = m_form->HandleIfAllocated())
        w->System().SetWindowPos(w, nullptr, w->WindowRect(),
                                 platform::ui::SWP_NOMOVE | platform::ui::SWP_NOSIZE |
                                     platform::ui::SWP_NOZORDER | platform::ui::SWP_NOACTIVATE |
                                     platform::ui::SWP_FRAMECHANGED);
}

void TbsSkinForm::ApplySkinIfReady() {
    if (m_form && !IsLoading() && !IsDesigning() && !m_form->IsDestroying()) ApplySkin();
}

void TbsSkinForm::CallFormProc(TMessage& m) {
    // A copy: the form procedure may free this component.
    platform::forms::TWndMethod proc = m_formProc;
    if (proc)
        proc(m);
    else if (m_form)
        static_cast<platform::forms::TControl*>(m_form)->WndProc(m);
}

void TbsSkinForm::Loaded() {
    TComponent::Loaded();
    ApplySkinIfReady();
}

void TbsSkinForm::Notification(TComponent* component, platform::forms::TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != platform::forms::opRemove) return;
    if (component == m_menusSkinData) m_menusSkinData = nullptr;
    if (component == m_systemMenu) m_systemMenu = nullptr;
    if (component == m_skinHint) m_skinHint = nullptr;
    if (component == m_trayIcon) m_trayIcon = nullptr;
    if (m_mainMenuBar && component == m_mainMenuBar) {
        m_mainMenuBar = nullptr;
        BindMainMenuBar();
    }
    if (component == m_mdiTabsBar) {
        m_mdiTabsBar = nullptr;
        m_mdiTabsLink = nullptr;
    }
    if (component == m_skinData) {
        // The objects point into the skin's pictures: they go with it.
        m_skinData = nullptr;
        m_skinned = false;
        ClearObjects();
        ApplySkinIfReady();
    }
}

// ---- Properties ----

void TbsSkinForm::SetSkinData(TbsSkinData* value) {
    if (m_skinData != value) {
        if (m_skinData) m_skinData->RemoveFreeNotification(this);
        m_skinData = value;
        if (m_skinData) m_skinData->FreeNotification(this);
    }
    ApplySkinIfReady();
}

void TbsSkinForm::SetMenusSkinData(TbsSkinData* value) {
    if (m_menusSkinData == value) return;
    if (m_menusSkinData) m_menusSkinData->RemoveFreeNotification(this);
    m_menusSkinData = value;
    if (m_menusSkinData) m_menusSkinData->FreeNotification(this);
}

void TbsSkinForm::SetSystemMenu(platform::forms::TPopupMenu* value) {
    if (m_systemMenu == value) return;
    if (m_systemMenu) m_systemMenu->RemoveFreeNotification(this);
    m_systemMenu = value;
    if (m_systemMenu) m_systemMenu->FreeNotification(this);
}

void TbsSkinForm::SetBorderIcons(TbsBorderIcons value) {
    if (m_borderIcons == value) return;
    m_borderIcons = value;
    RebuildObjects();
}

void TbsSkinForm::SetHideCaptionButtons(bool value) {
    if (m_hideCaptionButtons == value) return;
    m_hideCaptionButtons = value;
    RebuildObjects();
}

void TbsSkinForm::SetShowIcon(bool value) {
    if (m_showIcon == value) return;
    m_showIcon = value;
    if (!m_form || IsLoading()) return;
    CalcObjects();
    UpdateFormNC();
}

void TbsSkinForm::SetLogoBitMap(const TBitmap& value) {
    m_logoBitMap = value;
    if (m_form && m_form->HandleAllocated()) m_form->Invalidate();
}

void TbsSkinForm::SetLogoBitMapTransparent(bool value) {
    m_logoBitMapTransparent = value;
    if (m_form && m_form->HandleAllocated()) m_form->Invalidate();
}

void TbsSkinForm::SetDefCaptionFont(const TFont& value) {
    m_defCaptionFont = value;
    if (m_form && !m_skinned && !IsLoading()) UpdateFormNC();
}

void TbsSkinForm::SetDefInActiveCaptionFont(const TFont& value) {
    m_defInActiveCaptionFont = value;
    if (m_form && !m_skinned && !IsLoading()) UpdateFormNC();
}

// ---- Objects ----

void TbsSkinForm::ClearObjects() {
    // A pressed object holds the mouse for the window; it goes with the objects.
    if (m_mouseCaptureObject != -1 && m_form)
        if (TWindow* w = m_form->HandleIfAllocated(); w && w->System().GetCapture() == w)
            w->System().ReleaseCapture();
    m_objects.clear();
    m_activeObject = m_oldActiveObject = m_mouseCaptureObject = -1;
}

void TbsSkinForm::CreateSkinObjects() {
    for (const auto& record : m_skinData->ObjectRecords) {
        TbsDataSkinObject* r = record.get();
        // Menu items and the menu bar's parts belong to the menus.
        if (dynamic_cast<TbsDataSkinMenuItem*>(r) || dynamic_cast<TbsDataSkinMainMenuItem*>(r) ||
            dynamic_cast<TbsDataSkinMainMenuBarButton*>(r))
            continue;
        std::unique_ptr<TbsActiveSkinObject> object;
        if (auto* std = dynamic_cast<TbsDataSkinStdButton*>(r))
            object = std::make_unique<TbsSkinStdButtonObject>(this, std);
        else if (auto* button = dynamic_cast<TbsDataSkinButton*>(r))
            object = std::make_unique<TbsSkinButtonObject>(this, button);
        else if (auto* caption = dynamic_cast<TbsDataSkinCaption*>(r))
            object = std::make_unique<TbsSkinCaptionObject>(this, caption);
        else if (auto* animate = dynamic_cast<TbsDataSkinAnimate*>(r))
            object = std::make_unique<TbsSkinAnimateObject>(this, animate);
        else if (auto* user = dynamic_cast<TbsDataUserObject*>(r))
            object = std::make_unique<TbsUserObject>(this, user);
        if (object) m_objects.push_back(std::move(object));
    }
}

void TbsSkinForm::CreateDefaultObjects() {
    // The close button is never taken away by the border icons; the others follow them.
    auto add = [this](const char* name, TbsStdCommand command) {
        m_objects.push_back(std::make_unique<TbsSkinStdButtonObject>(this, name, command));
    };
    add("closebutton", cmClose);
    if (m_borderIcons & biMaximize) add("maxbutton", cmMaximize);
    if (m_borderIcons & biMinimize) add("minbutton", cmMinimize);
    if (m_borderIcons & biRollUp) add("rollupbutton", cmRollUp);
    if (m_borderIcons & biSystemMenu) add("sysmenubutton", cmSysMenu);
    if (m_borderIcons & biMinimizeToTray) add("traybutton", cmMinimizeToTray);
}

void TbsSkinForm::CheckObjects() {
    auto needed = [](TbsStdCommand command) -> TbsBorderIcons {
        switch (command) {
            case cmSysMenu:
                return biSystemMenu;
            case cmMinimize:
                return biMinimize;
            case cmMaximize:
                return biMaximize;
            case cmRollUp:
                return biRollUp;
            case cmMinimizeToTray:
                return biMinimizeToTray;
            default:
                return 0;
        }
    };
    for (auto& object : m_objects) {
        bool disable = false;
        if (auto* std = dynamic_cast<TbsSkinStdButtonObject*>(object.get())) {
            const TbsBorderIcons icon = needed(std->Command);
            disable = m_hideCaptionButtons || (icon && !(m_borderIcons & icon));
        } else if (auto* animate = dynamic_cast<TbsSkinAnimateObject*>(object.get())) {
            const TbsBorderIcons icon = needed(animate->Command);
            disable = m_hideCaptionButtons || (animate->ButtonStyle && icon && !(m_borderIcons & icon));
        }
        if (!disable) continue;
        object->Enabled = false;
        object->Visible = !object->skinrectinapicture;
    }
}

void TbsSkinForm::RebuildObjects() {
    if (!m_form || IsLoading() || IsDesigning()) return;
    ClearObjects();
    if (m_skinned)
        CreateSkinObjects();
    else
        CreateDefaultObjects();
    CheckObjects();
    CalcObjects();
    UpdateFormNC();
}

TbsActiveSkinObject* TbsSkinForm::FindObject(std::string_view idName) const {
    for (const auto& object : m_objects)
        if (object->IDName == idName) return object.get();
    return nullptr;
}

TbsSkinCaptionObject* TbsSkinForm::CaptionObject() const {
    for (const auto& object : m_objects)
        if (auto* caption = dynamic_cast<TbsSkinCaptionObject*>(object.get())) return caption;
    return nullptr;
}

void TbsSkinForm::ResetAllObjects() {
    for (auto& object : m_objects) {
        if (auto* animate = dynamic_cast<TbsSkinAnimateObject*>(object.get())) {
            animate->MouseOver = false;
            animate->Highlighted = false;
            animate->FrameIndex = 1;
        } else if (!dynamic_cast<TbsSkinCaptionObject*>(object.get())) {
            object->Highlighted = false;
            object->MouseOver = false;
            object->MorphFactor = 0;
        }
    }
}

void TbsSkinForm::TestActive(int x, int y, bool inFrame) {
    if (m_objects.empty() || !GetActive()) return;
    const auto alive = WeakRef();
    const int count = static_cast<int>(m_objects.size());
    m_oldActiveObject = m_activeObject;
    int found = -1;
    if (inFrame) {
        for (int i = 0; i < count; ++i) {
            const auto& o = m_objects[static_cast<size_t>(i)];
            if (o->Enabled && o->Visible && o->ObjectRect.Contains({x, y})) {
                found = i;
                break;
            }
        }
    }
    // While the mouse is held on an object, no other object reacts.
    if (m_mouseCaptureObject != -1 && found != m_mouseCaptureObject) found = -1;
    m_activeObject = found;
    if (m_oldActiveObject == m_activeObject) return;
    if (m_oldActiveObject >= 0 && m_oldActiveObject < count) {
        TbsActiveSkinObject* old = m_objects[static_cast<size_t>(m_oldActiveObject)].get();
        if (old->Enabled && old->Visible) old->MouseLeave();
        if (!alive) return;
        HideObjectHint();
    }
    if (m_activeObject >= 0 && m_activeObject < static_cast<int>(m_objects.size())) {
        TbsActiveSkinObject* now = m_objects[static_cast<size_t>(m_activeObject)].get();
        now->MouseEnter();
        if (alive) ShowObjectHintOf(*now);
    }
}

// ---- Timers ----

void TbsSkinForm::EnableFadeTimer() {
    if (!m_fadeTimer->Enabled()) m_fadeTimer->SetEnabled(true);
}

void TbsSkinForm::EnableFrameTimer() {
    if (!m_frameTimer->Enabled()) m_frameTimer->SetEnabled(true);
}

void TbsSkinForm::StopTimers() {
    m_hoverTimer->SetEnabled(false);
    m_fadeTimer->SetEnabled(false);
    m_frameTimer->SetEnabled(false);
}

void TbsSkinForm::FadeTimerTick() {
    const auto alive = WeakRef();
    bool stepped = false;
    for (size_t i = 0; i < m_objects.size(); ++i) {
        TbsActiveSkinObject* o = m_objects[i].get();
        if (!o->Morphing || !o->CanMorph()) continue;
        o->DoMorphStep();
        if (!alive) return;
        stepped = true;
    }
    if (!stepped) m_fadeTimer->SetEnabled(false);
}

void TbsSkinForm::FrameTimerTick() {
    const auto alive = WeakRef();
    bool any = false;
    for (size_t i = 0; i < m_objects.size(); ++i) {
        auto* animate = dynamic_cast<TbsSkinAnimateObject*>(m_objects[i].get());
        if (!animate || !animate->Highlighted) continue;
        any = true;
        animate->Tick();
        if (!alive) return;
    }
    if (!any) m_frameTimer->SetEnabled(false);
}

void TbsSkinForm::HoverTimerTick() {
    if (!m_form || !GetActive()) return;
    if (m_inSizeMove) {
        m_hoverTimer->SetEnabled(false);
        return;
    }
    TWindow* w = m_form->HandleIfAllocated();
    if (!w) return;
    const TPoint p = WindowPoint(w->System().GetCursorPos());
    if (!w->ClientArea().Contains(p))
        TestActive(p.X, p.Y, true);
    else if (m_activeObject != -1)
        TestActive(p.X, p.Y, false);
}

bool TbsSkinForm::GetActive() const {
    // An MDI child is active as its client last told it; the main form holds the activation.
    if (IsMDIChild()) return m_activeFlag;
    TWindow* w = m_form ? m_form->HandleIfAllocated() : nullptr;
    return w && w->System().GetActiveWindow() == w;
}

bool TbsSkinForm::AutoRenderingInactive() const {
    return m_skinned && m_skinData->autorenderinginactiveimage;
}

bool TbsSkinForm::IsSizeAble() const {
    if (!m_form) return false;
    const auto style = m_form->BorderStyle();
    return style == platform::forms::bsSizeable || style == platform::forms::bsSizeToolWin;
}

}  // namespace skin
