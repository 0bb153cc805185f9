#include "skin/controls/bsSkinHint.h"

#include "platform/forms/Form.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsSkinHintCursor.h"

namespace skin {

using namespace platform::forms;
using platform::ui::TWindowSystem;

namespace {
// The hint whose OnShowHint the application's handler forwards to; cleared when it goes.
TbsSkinHint* g_forwardTo = nullptr;
constexpr int kShortHintPause = 100;
}  // namespace

TbsSkinHint::TbsSkinHint(TComponent* owner) : TComponent(owner) {
    m_window = new TbsSkinHintWindow(this);
    m_showTimer = new TTimer(this);
    m_showTimer->SetEnabled(false);
    m_showTimer->SetOnTimer([this](TComponent*) {
        if (m_timerHides)
            HideSkinHint();
        else
            PopUpNow();
    });
    if (IsDesigning() || !Application) return;
    Application->HintWindowClass = [](TComponent* o) { return new TbsSkinHintWindow(o); };
    Application->SetShowHint(false);
    Application->SetShowHint(true);
    InstallForwarder();
    Application->HintShortPause = kShortHintPause;
}

TbsSkinHint::~TbsSkinHint() {
    if (g_forwardTo == this) g_forwardTo = nullptr;
    SetSkinData(nullptr);
}

void TbsSkinHint::InstallForwarder() {
    if (!Application) return;
    g_forwardTo = this;
    Application->OnShowHint = [](std::string& text, bool& canShow, THintInfo& info) {
        if (g_forwardTo && g_forwardTo->OnShowHint) g_forwardTo->OnShowHint(text, canShow, info);
    };
}

void TbsSkinHint::SetSkinData(TbsSkinData* value) {
    if (m_skinData == value) return;
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = value;
    if (m_skinData) m_skinData->FreeNotification(this);
}

void TbsSkinHint::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_skinData) m_skinData = nullptr;
    if (component == m_window) m_window = nullptr;
    if (component == m_showTimer) m_showTimer = nullptr;
}

void TbsSkinHint::SetActive(bool value) {
    m_active = value;
    if (!value) return;
    if (TForm* main = Application ? Application->MainForm() : nullptr) {
        for (TComponent* c : main->ComponentList())
            if (auto* other = dynamic_cast<TbsSkinHint*>(c); other && other != this && other->Active())
                other->SetActive(false);
    }
    if (!IsDesigning()) InstallForwarder();
}

void TbsSkinHint::StartTimer(int ms, bool thenHide) {
    if (!m_showTimer) return;
    m_timerHides = thenHide;
    m_showTimer->SetEnabled(false);
    m_showTimer->SetInterval(static_cast<uint32_t>(ms > 0 ? ms : 1));
    m_showTimer->SetEnabled(true);
}

bool TbsSkinHint::TimerRunning() const {
    return m_showTimer && m_showTimer->Enabled();
}

void TbsSkinHint::ShowSkinHint(const std::string& text) {
    if (m_showTimer) m_showTimer->SetEnabled(false);
    m_pendingText = text;
    StartTimer(Application ? Application->HintPause : 500, false);
}

void TbsSkinHint::PopUpNow() {
    TWindowSystem* ws = TWindowSystem::Current();
    if (!ws || !m_window) return;
    platform::core::TPoint p = ws->GetCursorPos();
    p.Y += VisibleCursorHeight();
    m_window->ActivateHint({p.X, p.Y, p.X, p.Y}, m_pendingText);
    StartTimer(Application ? Application->HintHidePause : 2500, true);
}

void TbsSkinHint::HideSkinHint() {
    if (m_showTimer) m_showTimer->SetEnabled(false);
    if (m_window && m_window->IsHintVisible()) m_window->ReleaseHandle();
}

int TbsSkinHint::VisibleCursorHeight() {
    TWindowSystem* ws = TWindowSystem::Current();
    const int fallback = ws ? ws->GetSystemMetrics(platform::ui::SM_CYCURSOR) : 32;
    const std::optional<TbsCursorImage> image = CurrentCursorImage();
    return image ? VisibleHeightBelowHotSpot(*image, fallback) : fallback;
}

}  // namespace skin
