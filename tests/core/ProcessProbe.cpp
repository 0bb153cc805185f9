// A program for the process tests: records how it was started into the file named by
// $VK_TEST_RECORD (argument count, argv[0], working folder, session and parent), then exits.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* record = std::getenv("VK_TEST_RECORD");
    if (record == nullptr) return 2;
    char cwd[4096] = {};
    if (::getcwd(cwd, sizeof cwd) == nullptr) return 3;
    const std::string part = std::string(record) + ".part";
    std::FILE* f = std::fopen(part.c_str(), "wb");
    if (f == nullptr) return 4;
    std::fprintf(f, "%d\n%s\n%s\n%ld\n", argc, argv[0], cwd, static_cast<long>(::getsid(0)));
    std::fclose(f);
    return std::rename(part.c_str(), record) == 0 ? 0 : 5;  // appears whole
}
