#pragma once
// GoogleTest fixtures over the UI test context.
//
//   class MyTest : public vktest::UiTest {};            // the headless backend
//   TEST_F(MyTest, ...) { auto* b = Ui().Find<TbsSkinButton>(*form, "btnStart"); Ui().Click(b); }
//
//   class MyBothTest : public vktest::UiBackendTest {};  // the same body on each backend
//   TEST_P(MyBothTest, ...) { ... }
//   INSTANTIATE_TEST_SUITE_P(Headless, MyBothTest, ::testing::Values(vktest::TBackendKind::Headless),
//                            vktest::BackendParamName);
//
// A test binary instantiates the backends it runs on; the x11 instance is registered as an
// end-to-end test (see tests/e2e/context).

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/UiTestContext.h"

namespace vktest {

// The fixture plumbing shared by the plain and the parameterised fixture.
template <class Base>
class TUiFixture : public Base {
protected:
    void SetUp() override { m_context = std::make_unique<TUiTestContext>(BackendKind(), Screen()); }
    void TearDown() override { m_context.reset(); }

    // The backend of this test; the headless one unless a parameterised fixture says otherwise.
    [[nodiscard]] virtual TBackendKind BackendKind() const { return TBackendKind::Headless; }
    // The headless screen set-up (monitors, size) for fixtures that need another.
    [[nodiscard]] virtual platform::ui::headless::THeadlessScreen Screen() const { return {}; }

    TUiTestContext& Ui() { return *m_context; }
    platform::forms::TApplication& App() { return m_context->App(); }
    platform::ui::TWindowSystem& System() { return m_context->System(); }
    // Headless only (std::logic_error on a display).
    platform::ui::headless::THeadlessSession& Session() { return m_context->Session(); }
    platform::ui::headless::THeadlessBackend& Backend() { return m_context->Session().Backend(); }
    void Advance(uint64_t ms) { m_context->Advance(ms); }
    void ProcessMessages() { m_context->ProcessMessages(); }

private:
    std::unique_ptr<TUiTestContext> m_context;
};

class UiTest : public TUiFixture<::testing::Test> {};

class UiBackendTest : public TUiFixture<::testing::TestWithParam<TBackendKind>> {
protected:
    [[nodiscard]] TBackendKind BackendKind() const override { return GetParam(); }
};

// Test-name suffix of a backend parameter ("Headless", "X11").
inline std::string BackendParamName(const ::testing::TestParamInfo<TBackendKind>& info) {
    return BackendName(info.param);
}

}  // namespace vktest
