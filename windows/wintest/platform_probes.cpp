// The API probes the platform layer's tests share, run against the real API.
#include "module_checks.h"
#include "tests/unit/platform/windows_api_probes.h"

namespace wintest {

void CheckApiProbes(CheckList& checks) {
  for (const api_probes::ApiProbe& probe : api_probes::Probes())
    checks.expectText(probe.run(), probe.expected, probe.name);
}

}  // namespace wintest
