#include "skin/controls/bsSkinCtrlsBinding.h"

namespace skin {

int FindControlRecord(const TbsSkinData* skinData, std::string_view name) {
    if (!skinData || skinData->SkinIsEmpty) return -1;
    return skinData->IndexOfControl(name);
}

TbsDataSkinControl* ControlRecordAt(const TbsSkinData* skinData, int index) {
    if (!skinData || skinData->SkinIsEmpty || index < 0) return nullptr;
    if (static_cast<std::size_t>(index) >= skinData->ControlRecords.size()) return nullptr;
    return skinData->ControlRecords[static_cast<std::size_t>(index)].get();
}

void WatchSkinData(platform::forms::TComponent& self, TbsSkinData* oldData, TbsSkinData* newData) {
    if (oldData == newData) return;
    if (oldData) oldData->RemoveFreeNotification(&self);
    if (newData) newData->FreeNotification(&self);
}

}  // namespace skin
