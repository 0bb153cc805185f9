#include "app/program/ControlAdapters.h"

namespace app::program {

bool TImageAdapter::LoadFromFile(const std::string& path) {
    if (m_image.Picture().LoadFromFile(path)) return true;
    m_image.Picture().Clear();
    return false;
}

}  // namespace app::program
