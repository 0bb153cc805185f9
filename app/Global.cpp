#include "app/Global.h"

#include "platform/core/Strings.h"
#include "platform/core/Version.h"

namespace app {

std::string ProgramVersionText() {
    using platform::core::IntToStr;
    const platform::core::TVersionInfo v = platform::core::ProgramVersion();
    return IntToStr(v.Major) + "." + IntToStr(v.Minor) + "." + IntToStr(v.Release) + "." + IntToStr(v.Build);
}

}  // namespace app
