#include "skin/controls/bsSkinCtrlsNotify.h"

#include <vector>

#include "skin/controls/bsSkinCtrlsBase.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsTextLabel.h"

namespace skin {

using platform::forms::TControl;
using platform::forms::TWinControl;

namespace {

bool Bound(const TbsSkinData* own, const TbsSkinData* data) {
    return !data || own == data;
}

template <class Fn>
void ForEachControl(TWinControl& root, Fn&& fn) {
    // A control may resize or reshape while it is visited; the list is copied first.
    const std::vector<TControl*> controls = root.ControlList();
    for (TControl* c : controls) {
        fn(c);
        if (auto* w = dynamic_cast<TWinControl*>(c)) ForEachControl(*w, fn);
    }
}

}  // namespace

void SkinControlsBeforeChange(TWinControl& root, const TbsSkinData* data) {
    ForEachControl(root, [data](TControl* c) {
        if (auto* s = dynamic_cast<TbsSkinControl*>(c); s && Bound(s->SkinData(), data))
            s->ForgetRecord();
        else if (auto* g = dynamic_cast<TbsGraphicSkinControl*>(c); g && Bound(g->SkinData(), data))
            g->ForgetRecord();
        else if (auto* k = dynamic_cast<TbsSkinChangeClient*>(c); k && Bound(k->BoundSkinData(), data))
            k->ForgetSkinRecord();
    });
}

void SkinControlsChange(TWinControl& root, const TbsSkinData* data) {
    ForEachControl(root, [data](TControl* c) {
        if (auto* s = dynamic_cast<TbsSkinControl*>(c)) {
            if (Bound(s->SkinData(), data)) s->ApplySkin();
        } else if (auto* g = dynamic_cast<TbsGraphicSkinControl*>(c)) {
            if (Bound(g->SkinData(), data)) g->ApplySkin();
        } else if (auto* l = dynamic_cast<TbsSkinStdLabel*>(c)) {
            if (Bound(l->SkinData(), data)) l->RefreshSkin();
        } else if (auto* t = dynamic_cast<TbsSkinTextLabel*>(c)) {
            if (Bound(t->SkinData(), data)) t->RefreshSkin();
        } else if (auto* b = dynamic_cast<TbsSkinButtonLabel*>(c)) {
            if (Bound(b->SkinData(), data)) b->RefreshSkin();
        } else if (auto* v = dynamic_cast<TbsSkinBevel*>(c)) {
            if (Bound(v->SkinData(), data)) v->RefreshSkin();
        } else if (auto* k = dynamic_cast<TbsSkinChangeClient*>(c)) {
            if (Bound(k->BoundSkinData(), data)) k->ApplySkinRecord();
        }
    });
}

}  // namespace skin
