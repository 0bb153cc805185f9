#include <iostream>
#include <string>
#include <vector>

#include "tools/skingen/BrowserArt.h"
#include "tools/skingen/SkinDefault.h"
#include "tools/skingen/SkinLight.h"
#include "tools/skingen/SkinPreview.h"

namespace {

constexpr const char* kUsage =
    "usage: skingen skin FOLDER             writes the default skin (skin.ini and its pictures) into FOLDER\n"
    "       skingen light-skin FOLDER       writes the light skin that ships with the samples into FOLDER\n"
    "       skingen browser FOLDER          writes the browser window's pictures into FOLDER\n"
    "       skingen preview SKIN OUTFOLDER  renders every record of the skin folder SKIN and its frame\n"
    "                                       at two sizes as PNG pictures into OUTFOLDER\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "skin") {
        skingen::TSkinModel model = skingen::BuildDefaultSkin();
        std::string error;
        if (!skingen::WriteSkinFolder(model, args[1], &error)) {
            std::cerr << "skingen: " << error << '\n';
            return 1;
        }
        return 0;
    }
    if (args.size() == 2 && args[0] == "light-skin") {
        skingen::TSkinModel model = skingen::BuildLightSkin();
        std::string error;
        if (!skingen::WriteSkinFolder(model, args[1], &error)) {
            std::cerr << "skingen: " << error << '\n';
            return 1;
        }
        return 0;
    }
    if (args.size() == 2 && args[0] == "browser") {
        std::string error;
        if (!skingen::WriteBrowserFolder(args[1], &error)) {
            std::cerr << "skingen: " << error << '\n';
            return 1;
        }
        return 0;
    }
    if (args.size() == 3 && args[0] == "preview") {
        std::string error;
        if (!skingen::RenderSkinPreview(args[1], args[2], &error)) {
            std::cerr << "skingen: " << error << '\n';
            return 1;
        }
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}
