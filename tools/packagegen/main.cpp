#include <iostream>
#include <string>

#include "tools/packagegen/SamplePackages.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: packagegen FOLDER    writes the sample puzzle packages into FOLDER\n";
        return 2;
    }
    std::string error;
    if (!packagegen::WriteSamplePackages(argv[1], &error)) {
        std::cerr << "packagegen: " << error << '\n';
        return 1;
    }
    return 0;
}
