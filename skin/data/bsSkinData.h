#pragma once
// The skin data component: one loaded skin (TbsLoadedSkin) that a form resource names. It loads
// from a stored or a compressed stored skin and tells every form before and after it changes.

#include <cstdint>

#include "platform/forms/Component.h"
#include "skin/data/bsSkinDataLoaded.h"
#include "skin/data/bsSkinDataStored.h"

namespace skin {

// Skin-change messages, sent with the skin data as first parameter.
inline constexpr uint32_t SkinBeforeChange = 1225;
inline constexpr uint32_t SkinChange = 1226;
inline constexpr uint32_t SkinAfterChange = 1227;
// Second parameter of the skin-change messages.
inline constexpr intptr_t kSkinMessageTag = 1000;

class TbsSkinData : public platform::forms::TComponent, public TbsLoadedSkin {
public:
    explicit TbsSkinData(platform::forms::TComponent* owner = nullptr) : TComponent(owner) {}

    // Published. Setting a stored skin (not nil) loads it, except while the form is designed;
    // setting nil keeps the loaded skin. When the referenced component is freed the reference
    // is cleared and the loaded skin stays.
    [[nodiscard]] TbsStoredSkin* StoredSkin() const { return m_storedSkin; }
    void SetStoredSkin(TbsStoredSkin* value);
    [[nodiscard]] TbsCompressedStoredSkin* CompressedStoredSkin() const { return m_compressedStoredSkin; }
    void SetCompressedStoredSkin(TbsCompressedStoredSkin* value);

    // Load as TbsLoadedSkin does, between the skin-change messages: before-change first, then
    // (unless compressed data could not be read) change and after-change.
    void LoadFromStoredSkin(TbsStoredSkin* storedSkin);
    void LoadFromCompressedStoredSkin(TbsCompressedStoredSkin* compressedSkin);

    // Sends msg synchronously, with this skin data as first parameter and kSkinMessageTag as
    // second, to the owner's window when the owner is a form, then to every other form of the
    // application in the platform's form order.
    void BroadcastSkinMessage(uint32_t msg);

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    TbsStoredSkin* m_storedSkin = nullptr;
    TbsCompressedStoredSkin* m_compressedStoredSkin = nullptr;
};

}  // namespace skin
