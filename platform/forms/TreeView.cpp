#include "platform/forms/TreeView.h"

#include <algorithm>

#include "platform/core/Strings.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr int kWheelLines = 3;
constexpr int kScrollStepX = 10;
// Typed characters within this time extend the search text.
constexpr uint64_t kSearchWindowMs = 1000;
constexpr int kButtonSize = 9;
}  // namespace

TTreeView::TTreeView(TComponent* owner)
    : TCustomControl(owner), m_items(std::make_unique<TTreeNodes>(*this)) {
    m_width = 121;
    m_height = 97;
    SetTabStop(true);
    SetParentColor(false);
    SetColor(gfx::clWindow);
    m_controlStyle |= csOpaque;
}

TTreeView::~TTreeView() {
    // Nodes may ask the view about itself while they go; keep it quiet.
    m_editNode = nullptr;
    m_clickEditNode = nullptr;
    m_items->BeginUpdate();
    m_selected = nullptr;
    m_items.reset();
}

// ---- Rows ----

void TTreeView::ShapeChanged() {
    m_rowsDirty = true;
    m_rows.clear();
    ++m_rowGeneration;
    m_contentWidth = -1;
    // Rows are rebuilt, and the scroll position clamped, when next asked for.
    if (m_items && m_items->Updating()) return;
    if (HandleAllocated()) Invalidate();
}

void TTreeView::NodeChanged(TTreeNode* node) {
    if (m_items->Updating()) return;
    InvalidateNode(node);
}

void TTreeView::AddRows(TTreeNode* parent) {
    // Iterative so that a deep tree cannot exhaust the stack.
    std::vector<std::pair<TTreeNode*, size_t>> stack{{parent, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next >= node->m_children.size()) {
            stack.pop_back();
            continue;
        }
        TTreeNode* child = node->m_children[next++].get();
        child->m_row = static_cast<int>(m_rows.size());
        child->m_rowGeneration = m_rowGeneration;
        m_rows.push_back(child);
        if (child->m_expanded && !child->m_children.empty()) stack.emplace_back(child, 0);
    }
}

void TTreeView::EnsureRows() {
    if (!m_rowsDirty) return;
    m_rows.clear();
    AddRows(m_items->Root());
    m_rowsDirty = false;
    m_topRow = std::clamp(m_topRow, 0, std::max(0, static_cast<int>(m_rows.size()) - std::max(1, VisibleCount())));
}

int TTreeView::RowCount() {
    EnsureRows();
    return static_cast<int>(m_rows.size());
}

TTreeNode* TTreeView::RowNode(int row) {
    EnsureRows();
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[static_cast<size_t>(row)] : nullptr;
}

int TTreeView::RowOf(const TTreeNode* node) {
    if (!node) return -1;
    EnsureRows();
    return node->m_rowGeneration == m_rowGeneration ? node->m_row : -1;
}

int TTreeView::VisibleCount() const { return std::max(0, ClientHeight() / std::max(1, m_itemHeight)); }

int TTreeView::MaxTopRow() { return std::max(0, RowCount() - std::max(1, VisibleCount())); }

void TTreeView::SetTopRow(int row) {
    const int top = std::clamp(row, 0, MaxTopRow());
    if (top == m_topRow) return;
    m_topRow = top;
    if (HandleAllocated()) Invalidate();
    ScrollPositionChanged();
}

TTreeNode* TTreeView::TopItem() { return RowNode(m_topRow); }

void TTreeView::SetTopItem(TTreeNode* node) {
    const int row = RowOf(node);
    if (row >= 0) SetTopRow(row);
}

int TTreeView::NodeTextWidth(TTreeNode* node) {
    if (node->m_textWidth < 0) node->m_textWidth = gfx::TextEngine::TextWidth(Font(), node->m_text);
    return node->m_textWidth;
}

int TTreeView::RowContentLeft(const TTreeNode* node) const {
    int left = (node->Level() + (m_showRoot ? 1 : 0)) * m_indent;
    if (m_stateImages && node->m_stateIndex >= 0) left += m_stateImages->Width();
    if (m_images) left += m_images->Width() + 2;
    return left;
}

int TTreeView::ContentWidth() {
    EnsureRows();
    if (m_contentWidth < 0) {
        int widest = 0;
        for (TTreeNode* node : m_rows) widest = std::max(widest, RowContentLeft(node) + NodeTextWidth(node) + 4);
        m_contentWidth = widest;
    }
    return m_contentWidth;
}

void TTreeView::SetScrollX(int value) {
    const int x = std::clamp(value, 0, std::max(0, ContentWidth() - ClientWidth()));
    if (x == m_scrollX) return;
    m_scrollX = x;
    if (HandleAllocated()) Invalidate();
    ScrollPositionChanged();
}

TScrollRange TTreeView::ScrollRange(int bar) {
    if (bar == SB_VERT) {
        const int rows = RowCount();
        if (rows == 0) return {};
        return {0, rows - 1, VisibleCount(), m_topRow};
    }
    const int width = ContentWidth();
    m_scrollX = std::clamp(m_scrollX, 0, std::max(0, width - ClientWidth()));
    if (width == 0) return {};
    return {0, width, ClientWidth(), m_scrollX};
}

void TTreeView::Scroll(int bar, int code, int pos) {
    if (bar == SB_VERT) {
        const int page = std::max(1, VisibleCount());
        switch (code) {
            case SB_LINEUP: SetTopRow(m_topRow - 1); break;
            case SB_LINEDOWN: SetTopRow(m_topRow + 1); break;
            case SB_PAGEUP: SetTopRow(m_topRow - page); break;
            case SB_PAGEDOWN: SetTopRow(m_topRow + page); break;
            case SB_THUMBPOSITION:
            case SB_THUMBTRACK: SetTopRow(pos); break;
            case SB_TOP: SetTopRow(0); break;
            case SB_BOTTOM: SetTopRow(MaxTopRow()); break;
            default: break;
        }
        return;
    }
    const int page = std::max(1, ClientWidth());
    switch (code) {
        case SB_LINELEFT: SetScrollX(m_scrollX - kScrollStepX); break;
        case SB_LINERIGHT: SetScrollX(m_scrollX + kScrollStepX); break;
        case SB_PAGELEFT: SetScrollX(m_scrollX - page); break;
        case SB_PAGERIGHT: SetScrollX(m_scrollX + page); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: SetScrollX(pos); break;
        case SB_LEFT: SetScrollX(0); break;
        case SB_RIGHT: SetScrollX(ContentWidth()); break;
        default: break;
    }
}

void TTreeView::ScrollIntoView(TTreeNode* node) {
    const int row = RowOf(node);
    if (row < 0) return;
    const int page = std::max(1, VisibleCount());
    if (row < m_topRow)
        SetTopRow(row);
    else if (row >= m_topRow + page)
        SetTopRow(row - page + 1);
}

void TTreeView::InvalidateNode(TTreeNode* node) {
    if (!HandleAllocated() || !node) return;
    const TRect r = node->DisplayRect(false);
    if (!r.IsEmpty()) InvalidateRect(r, false);
}

// ---- Expanding, selecting ----

bool TTreeView::CanExpand(TTreeNode* node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, node, allow);
    return allow;
}

bool TTreeView::CanCollapse(TTreeNode* node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, node, allow);
    return allow;
}

void TTreeView::NodeExpanded(TTreeNode* node, bool expanded) {
    ShapeChanged();
    if (!expanded && m_selected && m_selected->HasAsParent(node)) {
        // The selection may not hide inside a collapsed branch; without a change allowed it
        // stays where it is, and the branch stays open.
        SetSelected(node);
        if (m_selected != node) {
            node->m_expanded = true;
            ShapeChanged();
            return;
        }
    }
    if (expanded) {
        if (OnExpanded) OnExpanded(this, node);
        // Show as much of the opened branch as fits.
        if (!m_items->Updating() && node->GetLastChild()) {
            const int lastRow = RowOf(node->GetLastChild());
            const int row = RowOf(node);
            const int page = std::max(1, VisibleCount());
            if (lastRow >= m_topRow + page) SetTopRow(std::min(row, lastRow - page + 1));
        }
    } else if (OnCollapsed) {
        OnCollapsed(this, node);
    }
}

void TTreeView::NodeDeleting(TTreeNode* node) {
    const auto within = [node](const TTreeNode* n) { return n && (n == node || n->HasAsParent(node)); };
    if (within(m_clickEditNode)) m_clickEditNode = nullptr;
    if (within(m_committingNode)) m_committingNode = nullptr;
    if (within(m_editNode)) FinishEdit(true);
    if (OnDeletion)
        for (TTreeNode* n = node; n && (n == node || n->HasAsParent(node)); n = n->GetNext()) OnDeletion(this, n);
    if (m_selected && (m_selected == node || m_selected->HasAsParent(node))) {
        TTreeNode* next = node->GetNextSibling();
        if (!next) next = node->GetPrevSibling();
        if (!next) next = node->Parent();
        m_selected = next;
        if (next) next->MakeVisible();
        if (OnChange) OnChange(this, next);
    }
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (node == m_selected) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, node, allow);
    if (!allow) return;
    TTreeNode* old = m_selected;
    if (node) node->MakeVisible();
    InvalidateNode(old);
    m_selected = node;
    if (node) {
        if (m_autoExpand && node->HasChildren()) node->Expand(false);
        ScrollIntoView(node);
        InvalidateNode(node);
    }
    if (OnChange) OnChange(this, node);
}

void TTreeView::FullExpand() {
    m_items->BeginUpdate();
    for (int i = 0; i < m_items->RootCount(); ++i) m_items->Root()->Item(i)->Expand(true);
    m_items->EndUpdate();
}

void TTreeView::FullCollapse() {
    m_items->BeginUpdate();
    for (int i = 0; i < m_items->RootCount(); ++i) m_items->Root()->Item(i)->Collapse(true);
    m_items->EndUpdate();
}

TTreeNode* TTreeView::FindPrefix(const std::string& prefix, TTreeNode* start, bool includeStart) {
    const int rows = RowCount();
    if (prefix.empty() || rows == 0) return nullptr;
    int from = RowOf(start);
    if (from < 0) {
        from = 0;
        includeStart = true;
    }
    for (int step = includeStart ? 0 : 1; step <= rows; ++step) {
        TTreeNode* node = m_rows[static_cast<size_t>((from + step) % rows)];
        if (node->m_text.size() >= prefix.size() && core::SameText(node->m_text.substr(0, prefix.size()), prefix))
            return node;
    }
    return nullptr;
}

// ---- Hit testing ----

TTreeNode* TTreeView::GetNodeAt(int x, int y) {
    if (y < 0 || x < 0 || x >= ClientWidth()) return nullptr;
    return RowNode(m_topRow + y / std::max(1, m_itemHeight));
}

THitTests TTreeView::GetHitTestInfoAt(int x, int y) {
    if (y < 0) return htAbove;
    if (y >= ClientHeight()) return htBelow;
    if (x < 0) return htToLeft;
    if (x >= ClientWidth()) return htToRight;
    TTreeNode* node = GetNodeAt(x, y);
    if (!node) return htNowhere;
    const int cx = x + m_scrollX;
    const int column = node->Level() + (m_showRoot ? 1 : 0);
    const int buttonLeft = (column - 1) * m_indent;
    if (cx < column * m_indent) {
        if (column > 0 && cx >= buttonLeft && m_showButtons && node->HasChildren()) return htOnButton;
        return htOnIndent;
    }
    int left = column * m_indent;
    if (m_stateImages && node->m_stateIndex >= 0) {
        if (cx < left + m_stateImages->Width()) return htOnItem | htOnStateIcon;
        left += m_stateImages->Width();
    }
    if (m_images) {
        if (cx < left + m_images->Width() + 2) return htOnItem | htOnIcon;
        left += m_images->Width() + 2;
    }
    if (cx < left + NodeTextWidth(node) + 4) return htOnItem | htOnLabel;
    return htOnRight;
}

// ---- Input ----

void TTreeView::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TTreeView::WMSize(TMessage& m) {
    TCustomControl::WMSize(m);
    SetTopRow(m_topRow);
    SetScrollX(m_scrollX);
    Invalidate();
}

void TTreeView::WMSetFocus(TMessage& m) {
    TCustomControl::WMSetFocus(m);
    InvalidateNode(m_selected);
}

void TTreeView::WMKillFocus(TMessage& m) {
    TCustomControl::WMKillFocus(m);
    InvalidateNode(m_selected);
}

void TTreeView::DefaultHandler(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MousePress(PointFromLParam(m.LParam), m.Msg == WM_LBUTTONDBLCLK);
            return;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            TDragManager::Instance().SourceMessage(this, m);
            TCustomControl::DefaultHandler(m);
            return;
        case WM_KEYDOWN:
            if (TDragManager::Instance().SourceMessage(this, m)) return;
            HandleKey(static_cast<uint32_t>(m.WParam));
            return;
        case WM_CHAR:
            HandleChar(static_cast<char32_t>(m.WParam));
            return;
        case WM_TIMER:
            if (m.WParam == kClickEditTimer) {
                ClickEditTimer();
                return;
            }
            TCustomControl::DefaultHandler(m);
            return;
        case WM_MOUSEWHEEL: {
            const int delta = WheelDeltaFromWParam(m.WParam);
            if (DoMouseWheel(ShiftFromKeys(LoWord(m.WParam)), delta, PointFromLParam(m.LParam))) {
                m.Result = 1;
                return;
            }
            SetTopRow(m_topRow - delta / WHEEL_DELTA * kWheelLines);
            m.Result = 1;
            return;
        }
        case WM_VSCROLL:
        case WM_HSCROLL:
            Scroll(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LoWord(m.WParam), static_cast<int16_t>(HiWord(m.WParam)));
            m.Result = 0;
            return;
        default:
            TCustomControl::DefaultHandler(m);
            return;
    }
}

void TTreeView::MousePress(TPoint pos, bool doubleClick) {
    const auto alive = WeakRef();
    const bool focusedBefore = Focused();
    ArmClickEdit(nullptr);
    if (!Focused() && CanFocus()) SetFocus();
    if (!alive) return;
    TTreeNode* node = GetNodeAt(pos.X, pos.Y);
    if (!node) return;
    const THitTests hit = GetHitTestInfoAt(pos.X, pos.Y);
    if (hit & htOnButton) {
        node->SetExpanded(!node->Expanded());
        return;
    }
    // A second, slow click on the chosen node's label edits it (unless it becomes a double click).
    const bool secondClick = focusedBefore && node == m_selected && (hit & htOnLabel);
    if ((hit & htOnItem) || m_rowSelect || (hit & (htOnRight | htOnIndent))) SetSelected(node);
    if (!alive) return;
    if (secondClick && !doubleClick) ArmClickEdit(node);
    if (!doubleClick && DragMode() == dmAutomatic && (hit & htOnItem))
        TDragManager::Instance().Begin(this, ClientToScreen(pos), false);
    if (doubleClick && (hit & htOnItem)) {
        DblClick();
        if (alive && node->HasChildren()) node->SetExpanded(!node->Expanded());
    }
}

void TTreeView::HandleKey(uint32_t key) {
    const int rows = RowCount();
    if (rows == 0) return;
    TTreeNode* node = m_selected;
    if (!node) {
        if (key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END || key == VK_PRIOR || key == VK_NEXT)
            SetSelected(RowNode(key == VK_END ? rows - 1 : 0));
        return;
    }
    const int row = RowOf(node);
    const int page = std::max(1, VisibleCount() - 1);
    switch (key) {
        case VK_F2: StartEdit(node); break;
        case VK_UP: SetSelected(RowNode(std::max(0, row - 1))); break;
        case VK_DOWN: SetSelected(RowNode(std::min(rows - 1, row + 1))); break;
        case VK_PRIOR: SetSelected(RowNode(std::max(0, row - page))); break;
        case VK_NEXT: SetSelected(RowNode(std::min(rows - 1, row + page))); break;
        case VK_HOME: SetSelected(RowNode(0)); break;
        case VK_END: SetSelected(RowNode(rows - 1)); break;
        case VK_LEFT:
            if (node->Expanded() && node->HasChildren())
                node->SetExpanded(false);
            else if (node->Parent())
                SetSelected(node->Parent());
            break;
        case VK_RIGHT:
            if (!node->Expanded() && node->HasChildren())
                node->SetExpanded(true);
            else if (node->Expanded() && node->GetFirstChild())
                SetSelected(node->GetFirstChild());
            break;
        case VK_ADD: node->SetExpanded(true); break;
        case VK_SUBTRACT: node->SetExpanded(false); break;
        case VK_MULTIPLY:
            m_items->BeginUpdate();
            node->Expand(true);
            m_items->EndUpdate();
            ScrollIntoView(node);
            break;
        default: break;
    }
}

void TTreeView::HandleChar(char32_t ch) {
    if (ch < 0x20 || ch == 0x7F) return;
    // The numeric-pad signs arrive as characters too; they are commands, not search text.
    if (ch == U'+' || ch == U'-' || ch == U'*') return;
    const uint64_t now = TWindowSystem::Instance().Now();
    if (now - m_lastSearchTime > kSearchWindowMs) m_search.clear();
    m_lastSearchTime = now;
    core::AppendUtf8(m_search, ch);
    // A repeated first letter cycles through the nodes that begin with it.
    const bool cycling = m_search.size() > 1 && std::all_of(m_search.begin(), m_search.end(),
                                                            [&](char c) { return c == m_search[0]; });
    TTreeNode* found = cycling ? FindPrefix(m_search.substr(0, 1), m_selected, false)
                               : FindPrefix(m_search, m_selected, m_search.size() > 1);
    if (found) SetSelected(found);
}

// ---- Properties ----

void TTreeView::SetItemHeight(int value) {
    if (value < 1 || value == m_itemHeight) return;
    m_itemHeight = value;
    SetTopRow(m_topRow);
    Invalidate();
}

void TTreeView::SetIndent(int value) {
    if (value < 0 || value == m_indent) return;
    m_indent = value;
    m_contentWidth = -1;
    Invalidate();
}

void TTreeView::SetShowButtons(bool value) {
    m_showButtons = value;
    Invalidate();
}

void TTreeView::SetShowLines(bool value) {
    m_showLines = value;
    Invalidate();
}

void TTreeView::SetShowRoot(bool value) {
    m_showRoot = value;
    m_contentWidth = -1;
    Invalidate();
}

void TTreeView::SetHideSelection(bool value) {
    m_hideSelection = value;
    InvalidateNode(m_selected);
}

void TTreeView::SetRowSelect(bool value) {
    m_rowSelect = value;
    Invalidate();
}

void TTreeView::SetImages(TImageListComponent* value) {
    if (m_images) m_images->RemoveFreeNotification(this);
    m_images = value;
    if (value) value->FreeNotification(this);
    m_contentWidth = -1;
    Invalidate();
}

void TTreeView::SetStateImages(TImageListComponent* value) {
    if (m_stateImages) m_stateImages->RemoveFreeNotification(this);
    m_stateImages = value;
    if (value) value->FreeNotification(this);
    m_contentWidth = -1;
    Invalidate();
}

void TTreeView::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_images) SetImages(nullptr);
    if (component == m_stateImages) SetStateImages(nullptr);
}

void TTreeView::FontChanged() {
    TCustomControl::FontChanged();
    for (TTreeNode* n = m_items ? m_items->GetFirstNode() : nullptr; n; n = n->GetNext()) n->m_textWidth = -1;
    m_contentWidth = -1;
    const int textHeight = gfx::TextEngine::Metrics(Font()).Height;
    if (textHeight + 3 > m_itemHeight) SetItemHeight(textHeight + 3);
}

// ---- Painting ----

void TTreeView::DrawLinesAndButton(gfx::TCanvas& canvas, TTreeNode* node, const TRect& rect) {
    const int column = node->Level() + (m_showRoot ? 1 : 0);
    const int midY = rect.Top + rect.Height() / 2;
    if (m_showLines) {
        canvas.Pen = gfx::TPen{gfx::clGray, 1, gfx::TPenStyle::psDot};
        // Vertical lines of the ancestors that have siblings still to come.
        int col = column - 1;
        for (TTreeNode* a = node->Parent(); a && col > 0; a = a->Parent(), --col) {
            if (!a->GetNextSibling()) continue;
            const int x = (col - 1) * m_indent + m_indent / 2 - m_scrollX;
            canvas.MoveTo(x, rect.Top);
            canvas.LineTo(x, rect.Bottom);
        }
        if (column > 0) {
            const int x = (column - 1) * m_indent + m_indent / 2 - m_scrollX;
            const bool first = node->Index() == 0 && !node->Parent();
            canvas.MoveTo(x, first ? midY : rect.Top);
            canvas.LineTo(x, node->GetNextSibling() ? rect.Bottom : midY + 1);
            canvas.MoveTo(x, midY);
            canvas.LineTo(column * m_indent - 2 - m_scrollX, midY);
        }
    }
    if (m_showButtons && column > 0 && node->HasChildren()) {
        const int x = (column - 1) * m_indent + m_indent / 2 - m_scrollX;
        const TRect box{x - kButtonSize / 2, midY - kButtonSize / 2, x + kButtonSize / 2 + 1, midY + kButtonSize / 2 + 1};
        canvas.Brush = gfx::TBrush{gfx::clWindow, gfx::TBrushStyle::bsSolid};
        canvas.FillRect(box);
        canvas.Brush.Color = gfx::clGray;
        canvas.FrameRect(box);
        canvas.Pen = gfx::TPen{gfx::clBlack, 1, gfx::TPenStyle::psSolid};
        canvas.MoveTo(box.Left + 2, midY);
        canvas.LineTo(box.Right - 2, midY);
        if (!node->Expanded()) {
            canvas.MoveTo(x, box.Top + 2);
            canvas.LineTo(x, box.Bottom - 2);
        }
    }
}

void TTreeView::DrawRow(gfx::TCanvas& canvas, TTreeNode* node, const TRect& rect) {
    TOwnerDrawState state = 0;
    const bool selected = node == m_selected;
    if (selected) state |= odSelected;
    if (selected && Focused()) state |= odFocused;
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.Font = Font();
    canvas.FillRect(rect);
    bool defaultDraw = true;
    if (OnCustomDrawItem) OnCustomDrawItem(this, node, rect, state, defaultDraw);
    if (!defaultDraw) return;
    DrawLinesAndButton(canvas, node, rect);
    int x = (node->Level() + (m_showRoot ? 1 : 0)) * m_indent - m_scrollX;
    if (m_stateImages && node->m_stateIndex >= 0) {
        m_stateImages->Draw(canvas, x, rect.Top + (rect.Height() - m_stateImages->Height()) / 2, node->m_stateIndex);
        x += m_stateImages->Width();
    }
    if (m_images) {
        const int image = selected && node->m_selectedIndex >= 0 ? node->m_selectedIndex : node->m_imageIndex;
        if (image >= 0 && image < m_images->Count())
            m_images->Draw(canvas, x, rect.Top + (rect.Height() - m_images->Height()) / 2, image, Enabled());
        x += m_images->Width() + 2;
    }
    TRect label{x, rect.Top, x + NodeTextWidth(node) + 4, rect.Bottom};
    if (m_rowSelect) label = {0, rect.Top, rect.Right, rect.Bottom};
    const bool showSelection = selected && (Focused() || !m_hideSelection);
    if (showSelection) {
        canvas.Brush.Color = Focused() ? gfx::clHighlight : gfx::clBtnFace;
        canvas.FillRect(label);
        canvas.Font.SetColor(Focused() ? gfx::clHighlightText : Font().Color());
    }
    canvas.Brush.Style = gfx::TBrushStyle::bsClear;
    const int textHeight = canvas.TextHeight("Ag");
    canvas.TextOut(x + 2, rect.Top + (rect.Height() - textHeight) / 2, node->m_text);
    if (selected && Focused()) canvas.DrawFocusRect(label);
}

void TTreeView::Paint() {
    gfx::TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    const TRect clip = canvas.ClipRect();
    EnsureRows();
    m_scrollX = std::clamp(m_scrollX, 0, std::max(0, ContentWidth() - ClientWidth()));
    const int rows = static_cast<int>(m_rows.size());
    int y = 0;
    for (int row = m_topRow; row < rows && y < client.Bottom; ++row, y += m_itemHeight) {
        const TRect r{0, y, client.Right, y + m_itemHeight};
        if (r.Intersect(clip).IsEmpty()) continue;
        DrawRow(canvas, m_rows[static_cast<size_t>(row)], r);
    }
    if (y < client.Bottom) {
        canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
        canvas.FillRect({0, y, client.Right, client.Bottom});
    }
}

}  // namespace platform::forms
