// Skin menus and actions: every item's action is updated when its level is built, so what the
// level shows follows the program's state; choosing an item runs its action.

#include "MenusFixture.h"

#include "platform/forms/ActnList.h"

namespace menustest {
namespace {

using namespace platform::forms;

class ActionMenuItemTest : public MenusFixture {};

TEST_F(ActionMenuItemTest, ALevelUpdatesItsItemsActionsBeforeItIsBuilt) {
    auto* list = new TActionList(form);
    auto* paste = new TAction(form);
    paste->SetActionList(list);
    paste->SetCaption("&Paste");
    bool clipboardFull = false;
    int updates = 0;
    int pasted = 0;
    paste->OnUpdate = [&](TComponent*) {
        ++updates;
        paste->SetVisible(clipboardFull);
    };
    paste->OnExecute = [&](TComponent*) { ++pasted; };
    Add(Root(), "&Copy");
    TMenuItem* item = new TMenuItem(popupMenu);
    Root()->Add(item);
    SetMenuItemAction(item, paste);

    ASSERT_TRUE(Open({300, 300}));
    EXPECT_GT(updates, 0);
    EXPECT_EQ(Level(0).ItemCount(), 1);  // the hidden Paste is not listed
    menu->CloseAll();
    ProcessMessages();

    clipboardFull = true;
    ASSERT_TRUE(Open({300, 300}));
    ASSERT_EQ(Level(0).ItemCount(), 2);
    Ui().Click(ItemCenter(0, 1));
    ProcessMessages();
    EXPECT_EQ(pasted, 1);
}

}  // namespace
}  // namespace menustest
