#pragma once
// The captions of the skinned menus and dialogs. The dialog captions are loaded once, at first
// use, into two string arrays indexed by message type and by button.

#include <array>
#include <cstdint>
#include <string>

namespace skin {

// Items of the system and tray menus.
inline constexpr const char* BS_MI_MINCAPTION = "Mi&nimize";
inline constexpr const char* BS_MI_MAXCAPTION = "Ma&ximize";
inline constexpr const char* BS_MI_CLOSECAPTION = "&Close";
inline constexpr const char* BS_MI_RESTORECAPTION = "&Restore";
inline constexpr const char* BS_MI_MINTOTRAYCAPTION = "Minimize to &Tray";
inline constexpr const char* BS_MI_ROLLUPCAPTION = "Ro&llUp";

// Message types of the message dialog, in order.
enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// Its buttons, in display order.
enum TMsgDlgBtn : uint8_t {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
inline constexpr int kMsgDlgButtonCount = 11;

// "Warning", "Error", "Information", "Confirm" (the custom type has none).
[[nodiscard]] const std::array<std::string, 4>& MsgDlgCaptions();
// "&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All", "N&oToAll", "&YesToAll",
// "&Help".
[[nodiscard]] const std::array<std::string, kMsgDlgButtonCount>& MsgDlgButtonCaptions();

}  // namespace skin
