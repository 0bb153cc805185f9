#pragma once
// Makes TbsSkinHint and TbsTrayIcon known to form resources, with their published properties.

namespace platform::forms {
class TClassRegistry;
}

namespace skin {

void RegisterHintAndTrayClasses(platform::forms::TClassRegistry& registry);

}  // namespace skin
