#include "app/program/ControlAdapters.h"

namespace app::program {

bool TImageAdapter::LoadFromFile(const std::string& path) {
    if (Component().Picture().LoadFromFile(path)) return true;
    Component().Picture().Clear();
    return false;
}

}  // namespace app::program
