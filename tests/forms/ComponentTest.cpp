// Ownership, names, free notification and the published fields of a root.

#include <algorithm>

#include "FormsTestSupport.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Menus.h"
#include "platform/forms/StdCtrls.h"

namespace formstest {
namespace {

bool Logged(const std::string& entry) {
    return std::find(Log().begin(), Log().end(), entry) != Log().end();
}

TEST(Ownership, FreeingAnOwnerFreesItsComponentsLastFirst) {
    Log().clear();
    auto* owner = new TProbe(nullptr);
    owner->SetName("Owner");
    auto* a = new TProbe(owner);
    a->SetName("A");
    auto* b = new TProbe(a);  // owned by a, so freed with it
    b->SetName("B");
    auto* c = new TProbe(owner);
    c->SetName("C");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(a->Owner(), owner);
    EXPECT_EQ(c->ComponentIndex(), 1);
    delete owner;
    EXPECT_EQ(Log(), (std::vector<std::string>{"free Owner", "free C", "free A", "free B"}));
}

TEST(Ownership, AFreedComponentLeavesItsOwnersList) {
    TProbe owner(nullptr);
    auto* a = new TProbe(&owner);
    auto* b = new TProbe(&owner);
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
}

TEST(Ownership, NamesAreUniquePerOwnerWithoutRegardToCase) {
    TProbe owner(nullptr);
    auto* a = new TProbe(&owner);
    a->SetName("Button1");
    auto* b = new TProbe(&owner);
    EXPECT_THROW(b->SetName("BUTTON1"), std::invalid_argument);
    EXPECT_THROW(b->SetName("1abc"), std::invalid_argument);
    b->SetName("Button2");
    EXPECT_EQ(owner.FindComponent("button2"), b);
    EXPECT_EQ(owner.FindComponent("nothing"), nullptr);
    TProbe other(nullptr);
    auto* c = new TProbe(&other);
    c->SetName("Button1");
    EXPECT_THROW(owner.InsertComponent(c), std::invalid_argument);
    EXPECT_EQ(c->Owner(), &other);
}

TEST(Ownership, InsertComponentMovesBetweenOwners) {
    TProbe first(nullptr), second(nullptr);
    auto* a = new TProbe(&first);
    second.InsertComponent(a);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
    EXPECT_EQ(a->Owner(), &second);
}

TEST(FreeNotification, FreeingAReferencedComponentClearsEveryReference) {
    TProbe ownerA(nullptr), ownerB(nullptr);
    auto* target = new TProbe(&ownerA);
    auto* r1 = new TProbe(&ownerB);
    auto* r2 = new TProbe(&ownerB);
    auto* r3 = new TProbe(nullptr);  // no owner at all
    r1->SetPartner(target);
    r2->SetPartner(target);
    r3->SetPartner(target);
    delete target;
    EXPECT_EQ(r1->Partner(), nullptr);
    EXPECT_EQ(r2->Partner(), nullptr);
    EXPECT_EQ(r3->Partner(), nullptr);
    delete r3;
}

TEST(FreeNotification, TheReferrerGoingFirstIsForgotten) {
    auto* target = new TProbe(nullptr);
    auto* referrer = new TProbe(nullptr);
    referrer->SetPartner(target);
    delete referrer;  // target must not call it later
    delete target;
    SUCCEED();
}

TEST(FreeNotification, SiblingsOfOneOwnerAreToldWithoutAsking) {
    class TWatcher : public TComponent {
    public:
        using TComponent::TComponent;
        std::vector<std::pair<TComponent*, TOperation>> Seen;

    protected:
        void Notification(TComponent* c, TOperation op) override {
            TComponent::Notification(c, op);
            Seen.emplace_back(c, op);
        }
    };
    TProbe owner(nullptr);
    auto* watcher = new TWatcher(&owner);
    auto* other = new TProbe(&owner);
    ASSERT_EQ(watcher->Seen.size(), 1u);
    EXPECT_EQ(watcher->Seen[0].first, other);
    EXPECT_EQ(watcher->Seen[0].second, opInsert);
    delete other;
    ASSERT_EQ(watcher->Seen.size(), 2u);
    EXPECT_EQ(watcher->Seen[1].second, opRemove);
}

TEST(FreeNotification, ReferencesBetweenComponentsOfOneOwnerSurviveItsDestruction) {
    // The owner frees its components last first; each must see its partner vanish rather than
    // touch it afterwards.
    Log().clear();
    auto* owner = new TProbe(nullptr);
    auto* a = new TProbe(owner);
    a->SetName("A");
    auto* b = new TProbe(owner);
    b->SetName("B");
    a->SetPartner(b);
    b->SetPartner(a);
    delete owner;
    EXPECT_TRUE(Logged("free A"));
    EXPECT_TRUE(Logged("free B"));
}

TEST(PublishedFields, ARootFieldFollowsItsComponent) {
    struct TRoot : TComponent {
        explicit TRoot() : TComponent(nullptr) { PublishField("Probe1", Probe1); }
        TProbe* Probe1 = nullptr;
    } root;
    auto* probe = new TProbe(&root);
    probe->SetName("Probe1");
    EXPECT_EQ(root.Probe1, probe);
    delete probe;
    EXPECT_EQ(root.Probe1, nullptr);
}

class ControlOwnership : public FormsFixture {};

TEST_F(ControlOwnership, AFormFreesItsControlsAndAControlItsChildren) {
    auto* form = new TForm(&App());
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    auto* label = new TLabel(form);
    label->SetParent(panel);
    auto* foreign = new TLabel(nullptr);  // parented, not owned: freed with its parent
    foreign->SetParent(panel);
    form->Show();
    ProcessMessages();
    ASSERT_NE(panel->HandleIfAllocated(), nullptr);
    EXPECT_EQ(panel->ControlCount(), 2);
    delete label;
    EXPECT_EQ(panel->ControlCount(), 1);
    EXPECT_EQ(form->ComponentCount(), 1);
    delete form;
    EXPECT_EQ(platform::forms::Screen->FormCount(), 0);
}

TEST_F(ControlOwnership, FreeingAFocusControlOrPopupMenuClearsTheReference) {
    auto* form = new TForm(&App());
    auto* label = new TLabel(form);
    label->SetParent(form);
    TForm other(nullptr);
    auto* edit = new TTestEdit(&other);  // another owner: only free notification can tell
    edit->SetParent(&other);
    auto* menu = new TPopupMenu(&other);
    label->SetFocusControl(edit);
    label->SetPopupMenu(menu);
    delete edit;
    delete menu;
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_EQ(label->PopupMenu(), nullptr);
    delete form;
}

TEST_F(ControlOwnership, FreeingTheActiveControlClearsTheForms) {
    auto* form = new TForm(&App());
    auto* edit = new TTestEdit(form);
    edit->SetParent(form);
    form->Show();
    edit->SetFocus();
    ProcessMessages();
    EXPECT_EQ(form->ActiveControl(), edit);
    delete edit;
    EXPECT_EQ(form->ActiveControl(), nullptr);
    delete form;
}

}  // namespace
}  // namespace formstest
