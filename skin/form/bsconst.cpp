#include "skin/form/bsconst.h"

namespace skin {

const std::array<std::string, 4>& MsgDlgCaptions() {
    static const std::array<std::string, 4> captions{"Warning", "Error", "Information", "Confirm"};
    return captions;
}

const std::array<std::string, kMsgDlgButtonCount>& MsgDlgButtonCaptions() {
    static const std::array<std::string, kMsgDlgButtonCount> captions{
        "&Yes",    "&No",  "OK",       "Cancel",    "&Abort", "&Retry",
        "&Ignore", "&All", "N&oToAll", "&YesToAll", "&Help"};
    return captions;
}

}  // namespace skin
