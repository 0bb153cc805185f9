#pragma once
// How a skinned control finds its record: by name in a skin data component, again at every use,
// so that a control never keeps a pointer into a skin that may be reloaded or freed.

#include <string_view>

#include "platform/forms/Component.h"
#include "skin/data/bsSkinData.h"

namespace skin {

// Index of the first control record named `name`; -1 without skin data, with an empty skin or
// when no record has that exact name.
[[nodiscard]] int FindControlRecord(const TbsSkinData* skinData, std::string_view name);

// The control record at `index`, or null when there is none.
[[nodiscard]] TbsDataSkinControl* ControlRecordAt(const TbsSkinData* skinData, int index);

// The record at `index` when it is of class R (or derives from it), else null.
template <class R>
[[nodiscard]] R* ControlRecordAs(const TbsSkinData* skinData, int index) {
    return dynamic_cast<R*>(ControlRecordAt(skinData, index));
}

// Moves the free notification of `self` from the old skin data to the new one, so that `self`
// is told (and clears its reference) when the skin data goes away.
void WatchSkinData(platform::forms::TComponent& self, TbsSkinData* oldData, TbsSkinData* newData);

}  // namespace skin
