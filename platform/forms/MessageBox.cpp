#include "platform/forms/MessageBox.h"

#include <algorithm>
#include <memory>

#include "platform/forms/Application.h"
#include "platform/forms/CustomControl.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gfx/Canvas.h"

namespace platform::forms {

using namespace platform::ui;

namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMinWidth = 160;

// The box's OK button: a raised face with its caption, pressed while the left button is held
// on it; a click (or Space and Enter, which the form takes) closes the box.
class TMessageBoxButton : public TCustomControl {
public:
    explicit TMessageBoxButton(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetParentColor(false);
        SetColor(gfx::clBtnFace);
    }

protected:
    void Paint() override {
        gfx::TCanvas& canvas = Canvas();
        const TRect r = ClientRect();
        const bool pressed = m_down && m_over;
        canvas.Brush = gfx::TBrush{gfx::clBtnFace, gfx::TBrushStyle::bsSolid};
        canvas.FillRect(r);
        // The default button's black outer frame, then the raised (or sunken) edge.
        canvas.Brush.Color = gfx::cl3DDkShadow;
        canvas.FrameRect(r);
        const TRect in{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        if (pressed) {
            canvas.Brush.Color = gfx::clBtnShadow;
            canvas.FrameRect(in);
        } else {
            canvas.Brush.Color = gfx::clBtnHighlight;
            canvas.FillRect({in.Left, in.Top, in.Right - 1, in.Top + 1});
            canvas.FillRect({in.Left, in.Top, in.Left + 1, in.Bottom - 1});
            canvas.Brush.Color = gfx::clBtnShadow;
            canvas.FillRect({in.Left, in.Bottom - 1, in.Right, in.Bottom});
            canvas.FillRect({in.Right - 1, in.Top, in.Right, in.Bottom});
        }
        canvas.Brush.Style = gfx::TBrushStyle::bsClear;
        canvas.Font = Font();
        TRect text = r;
        if (pressed) {
            text.Left += 1;
            text.Top += 1;
        }
        canvas.DrawText(Caption(), text, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
        if (Focused()) canvas.DrawFocusRect({r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4});
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        if (button == mbLeft) {
            m_down = true;
            m_over = true;
            Invalidate();
        }
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void MouseMove(TShiftState shift, int x, int y) override {
        if (m_down) {
            const bool over = ClientRect().Contains({x, y});
            if (over != m_over) {
                m_over = over;
                Invalidate();
            }
        }
        TCustomControl::MouseMove(shift, x, y);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
        const bool clicked = button == mbLeft && m_down && ClientRect().Contains({x, y});
        if (button == mbLeft) m_down = false;
        Invalidate();
        TCustomControl::MouseUp(button, shift, x, y);
        if (clicked) {
            if (auto* form = dynamic_cast<TForm*>(Owner())) form->SetModalResult(mrOk);
        }
    }

private:
    bool m_down = false;
    bool m_over = false;
};

}  // namespace

TModalResult ShowMessageBox(const std::string& text, const std::string& caption) {
    auto form = std::make_unique<TForm>(Application);
    form->SetName(kMessageBoxName);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(!caption.empty() ? caption : (Application ? Application->Title() : std::string()));
    form->SetKeyPreview(true);
    form->OnKeyDown = [f = form.get()](TComponent*, uint16_t& key, TShiftState) {
        if (key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE) {
            key = 0;
            f->SetModalResult(mrOk);
        }
    };

    auto* label = new TLabel(form.get());
    label->SetName("lblText");
    label->SetParent(form.get());
    label->SetAutoSize(true);
    label->SetCaption(text);
    label->SetLeft(kMargin);
    label->SetTop(kMargin);

    auto* button = new TMessageBoxButton(form.get());
    button->SetName("btnOK");
    button->SetCaption("OK");
    button->SetParent(form.get());

    const int width = std::max(kMinWidth, label->Width() + 2 * kMargin);
    form->SetClientWidth(width);
    form->SetClientHeight(kMargin + label->Height() + kMargin + kButtonHeight + kMargin / 2 + 4);
    button->SetBounds((width - kButtonWidth) / 2, kMargin + label->Height() + kMargin, kButtonWidth,
                      kButtonHeight);
    form->SetActiveControl(button);
    form->ShowModal();
    return mrOk;
}

}  // namespace platform::forms
