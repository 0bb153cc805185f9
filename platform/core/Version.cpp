#include "platform/core/Version.h"

#include "platform/core/VersionInfo.h"

namespace platform::core {

TVersionInfo ProgramVersion() {
    // "+ 0" keeps a part the project version leaves out (empty macro) at 0.
    return TVersionInfo{VK_VERSION_MAJOR + 0, VK_VERSION_MINOR + 0, VK_VERSION_RELEASE + 0, VK_VERSION_BUILD + 0};
}

std::string ProgramVersionString() {
    const TVersionInfo v = ProgramVersion();
    return std::to_string(v.Major) + "." + std::to_string(v.Minor) + "." + std::to_string(v.Release) + "." +
           std::to_string(v.Build);
}

}  // namespace platform::core
