// The platform layer against the API probes whose expectations are what
// Windows does (the same table runs under Wine in the Windows build).
#include <gtest/gtest.h>

#include "platform_test_support.h"
#include "windows_api_probes.h"

namespace api_probes {
// A probe shows as its name in test output.
void PrintTo(const ApiProbe& probe, std::ostream* out) { *out << probe.name; }
}  // namespace api_probes

namespace {

class WindowsBehaviour : public ::testing::TestWithParam<api_probes::ApiProbe> {
 protected:
  void SetUp() override { PlatformReset(); }
  void TearDown() override { PlatformReset(); }
};

TEST_P(WindowsBehaviour, MatchesWindows) {
  const api_probes::ApiProbe& probe = GetParam();
  EXPECT_EQ(probe.run(), probe.expected) << probe.name;
}

INSTANTIATE_TEST_SUITE_P(Probes, WindowsBehaviour, ::testing::ValuesIn(api_probes::Probes()),
                         [](const ::testing::TestParamInfo<api_probes::ApiProbe>& info) {
                           return "probe" + std::to_string(info.index);
                         });

}  // namespace
