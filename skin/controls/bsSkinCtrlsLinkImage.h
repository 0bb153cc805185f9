#pragma once
// TbsSkinLinkImage: a picture that opens a URL or a document with the desktop's opener when it
// is clicked.

#include <string>

#include "platform/forms/ExtCtrls.h"

namespace skin {

class TbsSkinLinkImage : public platform::forms::TImage {
public:
    explicit TbsSkinLinkImage(platform::forms::TComponent* owner);

    [[nodiscard]] const std::string& URL() const { return m_url; }
    void SetURL(const std::string& value) { m_url = value; }

    // OnClick first, then the URL is opened.
    void Click() override;

private:
    std::string m_url;
};

}  // namespace skin
