#include "skin/data/bsSkinData.h"

namespace skin {

void TbsSkinData::SetStoredSkin(TbsStoredSkin* value) {
    if (m_storedSkin && m_storedSkin != value) m_storedSkin->RemoveFreeNotification(this);
    m_storedSkin = value;
    if (!value) return;
    value->FreeNotification(this);
    if (!IsDesigning()) LoadFromStoredSkin(value);
}

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* value) {
    if (m_compressedStoredSkin && m_compressedStoredSkin != value)
        m_compressedStoredSkin->RemoveFreeNotification(this);
    m_compressedStoredSkin = value;
    if (!value) return;
    value->FreeNotification(this);
    if (!IsDesigning()) LoadFromCompressedStoredSkin(value);
}

void TbsSkinData::Notification(platform::forms::TComponent* component,
                               platform::forms::TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != platform::forms::opRemove) return;
    if (component == m_storedSkin) m_storedSkin = nullptr;
    if (component == m_compressedStoredSkin) m_compressedStoredSkin = nullptr;
}

void TbsSkinData::LoadFromStoredSkin(TbsStoredSkin* storedSkin) {
    SkinIsEmpty = true;
    BroadcastSkinMessage(SkinBeforeChange);
    LoadStore(storedSkin);
    BroadcastSkinMessage(SkinChange);
    BroadcastSkinMessage(SkinAfterChange);
}

void TbsSkinData::LoadFromCompressedStoredSkin(TbsCompressedStoredSkin* compressedSkin) {
    if (!compressedSkin || compressedSkin->IsEmpty()) return;
    SkinIsEmpty = true;
    BroadcastSkinMessage(SkinBeforeChange);
    // Data that cannot be inflated or parsed is treated as a wrong version: the skin stays empty
    // and no further message is sent.
    if (!LoadCompressedStore(*compressedSkin)) return;
    BroadcastSkinMessage(SkinChange);
    BroadcastSkinMessage(SkinAfterChange);
}

}  // namespace skin
