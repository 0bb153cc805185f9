#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include "platform/core/Clock.h"
#include "platform/core/Version.h"

using namespace platform::core;

namespace {

uint64_t SystemMilliseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000U + static_cast<uint64_t>(ts.tv_nsec) / 1000000U;
}

}  // namespace

TEST(Clock, MonotonicMillisecondsByDefault) {
    const uint64_t before = SystemMilliseconds();
    const uint64_t t0 = MonotonicMilliseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint64_t t1 = MonotonicMilliseconds();
    const uint64_t after = SystemMilliseconds();
    EXPECT_GE(t0, before);
    EXPECT_GE(t1 - t0, 29U);  // at least the time slept (milliseconds, truncated)
    EXPECT_LE(t1, after);
    const uint32_t tick = GetTickCount();
    const auto low = static_cast<uint32_t>(MonotonicMilliseconds());
    EXPECT_LE(static_cast<uint32_t>(low - tick), 5U);  // the same clock, read a moment later
}

TEST(Clock, ReplaceableSource) {
    uint64_t virtualNow = 0x100000005ULL;  // past 32 bits: GetTickCount wraps
    SetTickSource([&] { return virtualNow; });
    EXPECT_EQ(MonotonicMilliseconds(), 0x100000005ULL);
    EXPECT_EQ(GetTickCount(), 5U);
    virtualNow += 1000;
    EXPECT_EQ(GetTickCount(), 1005U);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(MonotonicMilliseconds(), 0x100000005ULL + 1000);  // moves only when told to

    SetTickSource({});
    const uint64_t real = MonotonicMilliseconds();
    EXPECT_GE(real, SystemMilliseconds() - 1000);
    EXPECT_LE(real, SystemMilliseconds());
}

TEST(Version, IsTheProjectVersion) {
    // The project version as the top-level CMakeLists.txt declares it.
    const char* source = std::getenv("VK_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    std::ifstream in(std::string(source) + "/CMakeLists.txt");
    std::stringstream text;
    text << in.rdbuf();
    std::smatch m;
    const std::string content = text.str();
    ASSERT_TRUE(std::regex_search(content, m, std::regex(R"(project\(\w+\s+VERSION\s+(\d+)\.(\d+)\.(\d+)\.(\d+))")));
    const TVersionInfo v = ProgramVersion();
    EXPECT_EQ(v.Major, std::stoi(m[1]));
    EXPECT_EQ(v.Minor, std::stoi(m[2]));
    EXPECT_EQ(v.Release, std::stoi(m[3]));
    EXPECT_EQ(v.Build, std::stoi(m[4]));
    EXPECT_EQ(ProgramVersionString(), m[1].str() + "." + m[2].str() + "." + m[3].str() + "." + m[4].str());
}
