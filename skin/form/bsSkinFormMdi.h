#pragma once
// What the skin form of an MDI main form needs of its MDI tabs bar: a tab added or removed per
// child, the active child's tab marked, and a child's tab repainted. The tabs bar implements it.

#include "platform/forms/Form.h"

namespace skin {

class TbsMDITabsBarLink {
public:
    virtual void MDITabAdd(platform::forms::TForm* child) = 0;
    virtual void MDITabDelete(platform::forms::TForm* child) = 0;
    virtual void MDITabsCheckActive() = 0;
    virtual void MDITabUpdate(platform::forms::TForm* child) = 0;

protected:
    ~TbsMDITabsBarLink() = default;
};

}  // namespace skin
