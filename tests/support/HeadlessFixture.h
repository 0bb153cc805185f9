#pragma once
// A GoogleTest fixture with a bare window system on the headless backend, for the suites below the
// forms layer. Suites with forms and controls use UiTest.h. Override Screen() for another screen
// set-up.

#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/backend/headless/HeadlessSession.h"

namespace vktest {

class HeadlessFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_session = std::make_unique<platform::ui::headless::THeadlessSession>(Screen());
    }
    void TearDown() override { m_session.reset(); }

    [[nodiscard]] virtual platform::ui::headless::THeadlessScreen Screen() const { return {}; }

    platform::ui::headless::THeadlessSession& Session() { return *m_session; }
    platform::ui::TWindowSystem& System() { return m_session->System(); }
    platform::ui::headless::THeadlessBackend& Backend() { return m_session->Backend(); }
    void Advance(uint64_t ms) { m_session->Advance(ms); }
    void ProcessMessages() { m_session->ProcessMessages(); }

private:
    std::unique_ptr<platform::ui::headless::THeadlessSession> m_session;
};

}  // namespace vktest
