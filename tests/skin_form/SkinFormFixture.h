#pragma once
// The skin form's fixture: forms with a skin form on the UI test context.

#include "FrameTestSkin.h"
#include "skin/form/bsSkinForm.h"
#include "support/UiTest.h"

namespace skinform {

class SkinFormFixture : public vktest::UiTest {
protected:
    skin::TbsSkinData* MakeSkin(std::string_view text) { return MakeFrameSkin(&App(), text); }

    // A shown, active form at (left, top) of the given size with a skin form on it.
    platform::forms::TForm* MakeForm(int width, int height, skin::TbsSkinData* data,
                                     platform::forms::TFormBorderStyle border = platform::forms::bsSizeable,
                                     int left = 100, int top = 100) {
        auto* form = new platform::forms::TForm(&App());
        form->SetBorderStyle(border);
        form->SetBounds(left, top, width, height);
        auto* skinForm = new skin::TbsSkinForm(form);
        skinForm->SetName("SkinForm");
        skinForm->SetSkinData(data);
        form->SetVisible(true);
        ProcessMessages();
        m_skinForm = skinForm;
        return form;
    }

    skin::TbsSkinForm& SkinForm() { return *m_skinForm; }

    // A window-coordinate point of a form in screen coordinates.
    static TPoint At(platform::forms::TForm* form, int x, int y) {
        return {form->Left() + x, form->Top() + y};
    }

    int HitAt(platform::forms::TForm* form, int x, int y) {
        const TPoint p = At(form, x, y);
        return static_cast<int>(System().SendMessage(form->Handle(), platform::ui::WM_NCHITTEST, 0,
                                                     platform::ui::PointToLParam(p)));
    }

    TBitmap Capture(platform::forms::TForm* form) { return Ui().CaptureWindow(form->Handle()); }

private:
    skin::TbsSkinForm* m_skinForm = nullptr;
};

}  // namespace skinform
