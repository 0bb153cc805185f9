// icongen: writes the program's icon into an icon theme folder.
//
//   icongen THEMEFOLDER NAME
//
// writes THEMEFOLDER/<n>x<n>/apps/NAME.png for every size of the hicolor theme.

#include <filesystem>
#include <iostream>
#include <string>

#include "tools/icongen/AppIcon.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: icongen THEMEFOLDER NAME\n";
        return 2;
    }
    const std::filesystem::path theme = argv[1];
    for (int size : skingen::kAppIconSizes) {
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = theme / dim / "apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        std::string error;
        if (ec || !skingen::SaveRgbaPng(skingen::PaintAppIcon(size), (folder / (std::string(argv[2]) + ".png")).string(),
                                        &error)) {
            std::cerr << "icongen: " << (ec ? ec.message() : error) << '\n';
            return 1;
        }
    }
    return 0;
}
