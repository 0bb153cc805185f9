#include "skin/controls/bsSkinCtrlsLinkImage.h"

#include "skin/controls/bsSkinCtrlsLabelSkin.h"

namespace skin {

TbsSkinLinkImage::TbsSkinLinkImage(platform::forms::TComponent* owner) : TImage(owner) {
    SetAutoSize(true);
    SetCursor(platform::forms::crHandPoint);
}

void TbsSkinLinkImage::Click() {
    // OnClick may free the image; the URL is taken first.
    const std::string url = m_url;
    TImage::Click();
    OpenLink(url);
}

}  // namespace skin
