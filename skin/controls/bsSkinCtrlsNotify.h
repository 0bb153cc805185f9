#pragma once
// The skinned controls' side of a skin data component's change messages, for the window that
// receives them: before a skin changes, the controls bound to it forget their record (so that
// none keeps an index into the old skin); after it, they bind again. A null skin data stands
// for every skin data.

#include "platform/forms/WinControl.h"
#include "skin/data/bsSkinData.h"

namespace skin {

// A control that binds to a skin record by itself, outside the skin control base classes (the
// skinned edits and memos, the page and tab controls), takes part in the change messages
// through this interface.
class TbsSkinChangeClient {
public:
    virtual ~TbsSkinChangeClient() = default;
    [[nodiscard]] virtual TbsSkinData* BoundSkinData() const = 0;
    virtual void SkinBeforeChange() = 0;
    virtual void SkinAfterChange() = 0;
};

// Every skinned control below root (recursively) bound to data forgets its record.
void SkinControlsBeforeChange(platform::forms::TWinControl& root, const TbsSkinData* data);
// Every skinned control below root bound to data binds again: the windowed and windowless skin
// controls apply the skin (look up, resize, reshape, repaint), the labels and the bevel refresh.
void SkinControlsChange(platform::forms::TWinControl& root, const TbsSkinData* data);

}  // namespace skin
