// Small runs of the Windows API whose results and message orders this
// platform must share with Windows. The same table runs against the platform
// layer (platform_tests) and, cross-built, against the real API under Wine
// (qst-wintest), so both hold the platform to what Windows does.
#pragma once

#include <string>
#include <vector>

#include "platform/win.h"

namespace api_probes {

struct ApiProbe {
  const char* name;
  std::string (*run)();  // what the API did, as text
  const char* expected;  // what Windows does
};

const std::vector<ApiProbe>& Probes();

}  // namespace api_probes
