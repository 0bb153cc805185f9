#pragma once
// What the skin form and form resources need to know of the skinned view controls (splitter,
// control bar, tree view, list view, header control): their registration by class name, and
// their part in the skin-change protocol.

namespace platform::forms {
class TClassRegistry;
class TControl;
}  // namespace platform::forms

namespace skin {

class TbsSkinData;

void RegisterSkinViewClasses(platform::forms::TClassRegistry& registry);
// Before a skin change: a view control bound to data (or to any, when data is null) forgets its
// record. True when the control is one of the views.
bool ForgetSkinViewRecord(platform::forms::TControl* control, const TbsSkinData* data);
// After a skin change: a view control bound to data refreshes itself. True when the control is
// one of the views.
bool RefreshSkinView(platform::forms::TControl* control, const TbsSkinData* data);

}  // namespace skin
