#pragma once
// The framework's own message box: a small modal form with the text and one OK button, no icon,
// centred on the screen. Enter, Space, Escape, a click on OK and the close box all end it. The
// controls that must tell the user something (the masked edit's refused value) use it when the
// program gave them no handler of its own.

#include <string>

#include "platform/forms/Form.h"

namespace platform::forms {

// The form's name, so that a test or a hook can find the box among the program's forms.
inline constexpr const char* kMessageBoxName = "FrameworkMessageBox";

// Shows the text (a CR or LF breaks the line) under the caption (the application's title when
// empty) and returns when the user has closed it.
TModalResult ShowMessageBox(const std::string& text, const std::string& caption = {});

}  // namespace platform::forms
