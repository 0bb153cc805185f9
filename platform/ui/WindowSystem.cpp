// The facade: it owns the backend and the collaborators and forwards to them.

#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <stdexcept>

#include "platform/core/Clock.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/FocusManager.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/MoveSizeLoop.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/PaintScheduler.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowTree.h"

namespace platform::ui {

namespace {
TWindowSystem* g_current = nullptr;
}

TWindowSystem::TWindowSystem(std::unique_ptr<TBackend> backend) : m_backend(std::move(backend)) {
    if (!m_backend) throw std::invalid_argument("TWindowSystem needs a backend");
    if (g_current) throw std::logic_error("a window system is already running");
    m_scale = std::clamp(m_backend->Scale(), 1, 8);
    gfx::SetScreenScale(m_scale);
    m_tree = std::make_unique<TWindowTree>(*this);
    m_placement = std::make_unique<TWindowPlacement>(*this);
    m_queue = std::make_unique<TMessageQueue>(*this);
    m_input = std::make_unique<TInputRouter>(*this);
    m_focus = std::make_unique<TFocusManager>(*this);
    m_painter = std::make_unique<TPaintScheduler>(*this);
    m_moveSize = std::make_unique<TMoveSizeLoop>(*this);
    g_current = this;
    TBackend* b = m_backend.get();
    core::SetTickSource([b] { return b->Now(); });
}

TWindowSystem::~TWindowSystem() {
    m_tree->DestroyAll();
    core::SetTickSource({});
    gfx::SetScreenScale(1);
    g_current = nullptr;
}

TWindowSystem* TWindowSystem::Current() {
    return g_current;
}

TWindowSystem& TWindowSystem::Instance() {
    if (!g_current) throw std::logic_error("no window system is running");
    return *g_current;
}

uint64_t TWindowSystem::Now() const {
    return m_backend->Now();
}

// ---- Windows -------------------------------------------------------------------------------------

TWindow* TWindowSystem::CreateWindow(const TCreateParams& params) {
    return m_tree->Create(params);
}

bool TWindowSystem::DestroyWindow(TWindow* window) {
    return m_tree->Destroy(window);
}

bool TWindowSystem::IsWindow(const TWindow* window) const {
    return m_tree->IsWindow(window);
}

TWindow* TWindowSystem::FindWindow(uint64_t id) const {
    return m_tree->Find(id);
}

const std::vector<TWindow*>& TWindowSystem::TopLevelWindows() const {
    return m_tree->TopLevels();
}

// ---- Position, state, attributes ------------------------------------------------------------------

bool TWindowSystem::SetWindowPos(TWindow* window, TWindow* insertAfter, const core::TRect& rect,
                                 uint32_t flags) {
    return m_placement->SetWindowPos(window, insertAfter, rect, flags);
}

void TWindowSystem::MoveWindow(TWindow* window, const core::TRect& rect, bool repaint) {
    SetWindowPos(window, nullptr, rect, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void TWindowSystem::BringToTop(TWindow* window) {
    if (!IsWindow(window)) return;
    SetWindowPos(window, nullptr, {}, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWindowSystem::SendToBack(TWindow* window) {
    m_placement->SendToBack(window);
}

bool TWindowSystem::ShowWindow(TWindow* window, int cmd) {
    return m_placement->ShowWindow(window, cmd);
}

bool TWindowSystem::EnableWindow(TWindow* window, bool enable) {
    return m_placement->EnableWindow(window, enable);
}

void TWindowSystem::SetWindowText(TWindow* window, const std::string& text) {
    if (!IsWindow(window)) return;
    SendMessage(window, WM_SETTEXT, 0, PtrToLParam(text.c_str()));
}

void TWindowSystem::SetWindowIcon(TWindow* window, const gfx::TBitmap* icon) {
    m_placement->SetWindowIcon(window, icon);
}

void TWindowSystem::SetWindowStyle(TWindow* window, uint32_t style) {
    m_placement->SetWindowStyle(window, style);
}

void TWindowSystem::SetWindowExStyle(TWindow* window, uint32_t exStyle) {
    m_placement->SetWindowExStyle(window, exStyle);
}

void TWindowSystem::SetWindowRgn(TWindow* window, std::optional<gfx::TRegion> region, bool redraw) {
    m_placement->SetWindowRgn(window, std::move(region), redraw);
}

void TWindowSystem::SetLayeredAlpha(TWindow* window, uint8_t alpha) {
    m_placement->SetLayeredAlpha(window, alpha);
}

bool TWindowSystem::SupportsLayeredWindows() {
    return m_backend->SupportsOpacity();
}

// ---- Messages and timers -------------------------------------------------------------------------

TLResult TWindowSystem::SendMessage(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam) {
    if (!IsWindow(window)) return 0;
    return m_tree->CallProc(*window, msg, wParam, lParam);
}

bool TWindowSystem::PostMessage(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam) {
    return m_queue->Post(window, msg, wParam, lParam);
}

void TWindowSystem::PostQuitMessage(int exitCode) {
    m_queue->PostQuit(exitCode);
}

bool TWindowSystem::PeekMessage(TMessage& msg, bool remove) {
    return m_queue->Peek(msg, remove);
}

bool TWindowSystem::GetMessage(TMessage& msg) {
    return m_queue->Get(msg);
}

TLResult TWindowSystem::DispatchMessage(const TMessage& msg) {
    return m_queue->Dispatch(msg);
}

bool TWindowSystem::ProcessMessages() {
    return m_queue->ProcessMessages();
}

int TWindowSystem::Run() {
    return m_queue->Run();
}

TLoopEnd TWindowSystem::RunModalLoop(const std::function<bool()>& done) {
    return m_queue->RunModal(done);
}

int TWindowSystem::LoopDepth() const {
    return m_queue->LoopDepth();
}

bool TWindowSystem::QuitPending() const {
    return m_queue->QuitPending();
}

bool TWindowSystem::SetTimer(TWindow* window, uintptr_t timerId, uint32_t intervalMs) {
    if (!IsWindow(window) || window->m_destroying) return false;
    m_queue->Timers().Set(window->m_id, timerId, intervalMs, Now());
    return true;
}

bool TWindowSystem::KillTimer(TWindow* window, uintptr_t timerId) {
    if (!IsWindow(window)) return false;
    return m_queue->Timers().Kill(window->m_id, timerId);
}

std::optional<uint64_t> TWindowSystem::NextTimerDeadline() const {
    return m_queue->Timers().NextDeadline();
}

// ---- Input, focus, activation, non-client ----------------------------------------------------------

TWindow* TWindowSystem::SetCapture(TWindow* window) {
    return m_input->SetCapture(window);
}

void TWindowSystem::ReleaseCapture() {
    m_input->ReleaseCapture();
}

TWindow* TWindowSystem::GetCapture() const {
    return m_input->Capture();
}

TWindow* TWindowSystem::SetFocus(TWindow* window) {
    return m_focus->SetFocus(window);
}

TWindow* TWindowSystem::GetFocus() const {
    return m_focus->Focus();
}

bool TWindowSystem::SetActiveWindow(TWindow* window) {
    return m_focus->SetActiveWindow(window);
}

TWindow* TWindowSystem::GetActiveWindow() const {
    return m_focus->Active();
}

TWindow* TWindowSystem::WindowFromPoint(core::TPoint screen) {
    return m_input->WindowFromPoint(screen);
}

TWindow* TWindowSystem::MouseWindow() const {
    return m_input->Hover();
}

int16_t TWindowSystem::GetKeyState(uint32_t vk) const {
    return m_input->GetKeyState(vk);
}

void TWindowSystem::SetCursor(TCursorShape shape) {
    m_input->SetCursor(shape);
}

TLResult TWindowSystem::DefWindowProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam) {
    return TNonClient::DefWindowProc(window, msg, wParam, lParam);
}

void TWindowSystem::RunMoveSizeLoop(TWindow* window, uint32_t command) {
    m_moveSize->Run(window, command);
}

bool TWindowSystem::InMoveSizeLoop() const {
    return m_moveSize->Running();
}

// ---- Painting ----------------------------------------------------------------------------------------

void TWindowSystem::InvalidateRect(TWindow* window, const core::TRect* clientRect, bool erase) {
    m_painter->InvalidateRect(window, clientRect, erase);
}

void TWindowSystem::InvalidateRgn(TWindow* window, const gfx::TRegion& clientRegion, bool erase) {
    m_painter->InvalidateRgn(window, clientRegion, erase);
}

void TWindowSystem::ValidateRect(TWindow* window, const core::TRect* clientRect) {
    m_painter->ValidateRect(window, clientRect);
}

void TWindowSystem::RedrawFrame(TWindow* window) {
    m_painter->RedrawFrame(window);
}

void TWindowSystem::RedrawAll(TWindow* window) {
    m_painter->RedrawAll(window);
}

bool TWindowSystem::GetUpdateRect(TWindow* window, core::TRect& clientRect) const {
    return m_painter->GetUpdateRect(window, clientRect);
}

void TWindowSystem::UpdateWindow(TWindow* window) {
    m_painter->UpdateWindow(window);
}

TDeviceContextPtr TWindowSystem::BeginPaint(TWindow* window) {
    return m_painter->BeginPaint(window);
}

TDeviceContextPtr TWindowSystem::GetDC(TWindow* window) {
    return m_painter->GetDC(window);
}

TDeviceContextPtr TWindowSystem::GetWindowDC(TWindow* window) {
    return m_painter->GetWindowDC(window);
}

gfx::TRegion TWindowSystem::VisibleRegion(const TWindow* window, bool clientOnly) const {
    return m_painter->VisibleRegion(window, clientOnly);
}

void TWindowSystem::Present() {
    m_painter->Present();
}

const gfx::TBitmap* TWindowSystem::BackBuffer(const TWindow* topLevel) const {
    return m_painter->BackBuffer(topLevel);
}

const TPaintStats& TWindowSystem::PaintStats() const {
    return m_painter->Stats();
}

void TWindowSystem::ResetPaintStats() {
    m_painter->ResetStats();
}

// ---- Shortcuts -----------------------------------------------------------------------------------

TLResult SendMessage(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam) {
    TWindowSystem* ws = TWindowSystem::Current();
    return ws ? ws->SendMessage(window, msg, wParam, lParam) : 0;
}

bool PostMessage(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam) {
    TWindowSystem* ws = TWindowSystem::Current();
    return ws && ws->PostMessage(window, msg, wParam, lParam);
}

TLResult DefWindowProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam) {
    return TNonClient::DefWindowProc(window, msg, wParam, lParam);
}

}  // namespace platform::ui
