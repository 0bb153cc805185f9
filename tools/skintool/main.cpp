#include <iostream>

#include "tools/skintool/SkinTool.h"

int main(int argc, char** argv) {
    skintool::TArgs args(argv + 1, argv + argc);
    return skintool::RunSkinTool(args, std::cout, std::cerr);
}
