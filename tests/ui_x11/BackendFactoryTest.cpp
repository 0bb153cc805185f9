// Choosing the backend by VK_BACKEND, and what each offers programs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/ui/backend/BackendFactory.h"

namespace {

using platform::ui::CreateDefaultBackend;

// Restores VK_BACKEND when a test ends.
class TBackendVariable {
public:
    TBackendVariable() {
        if (const char* v = std::getenv("VK_BACKEND")) m_saved = v;
    }
    ~TBackendVariable() {
        if (m_saved) {
            setenv("VK_BACKEND", m_saved->c_str(), 1);
        } else {
            unsetenv("VK_BACKEND");
        }
    }
    TBackendVariable(const TBackendVariable&) = delete;
    TBackendVariable& operator=(const TBackendVariable&) = delete;

private:
    std::optional<std::string> m_saved;
};

TEST(BackendFactory, TheHeadlessBackendOffersScreenCaptureAnUnknownNameAnError) {
    TBackendVariable restore;
    std::string error;
    setenv("VK_BACKEND", "headless", 1);
    auto headless = CreateDefaultBackend(error);
    ASSERT_NE(headless, nullptr) << error;
    EXPECT_EQ(headless->Name(), "headless");
    ASSERT_NE(headless->ScreenCapture(), nullptr);
    EXPECT_FALSE(headless->ScreenCapture()->TakePresented());

    setenv("VK_BACKEND", "nonesuch", 1);
    error.clear();
    EXPECT_EQ(CreateDefaultBackend(error), nullptr);
    EXPECT_NE(error.find("nonesuch"), std::string::npos) << error;
}

}  // namespace
