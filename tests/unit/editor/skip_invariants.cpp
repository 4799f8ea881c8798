// The module's unit tests set instance fields to states no user reaches, to test
// one handler at a time; the invariant check after each message is the
// scenarios' business. The checker's own test calls it directly.
#include <cstdlib>

namespace {
[[maybe_unused]] const bool kInvariantsSkipped = setenv("QST_SKIP_INVARIANTS", "1", 1) == 0;
}  // namespace
