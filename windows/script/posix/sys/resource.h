// The one POSIX resource type the runner's shared headers name. Windows has
// no file-size limit to set; the Windows runner skips scenarios that ask.
#pragma once

#include <cstdint>

struct rlimit {
  std::uint64_t rlim_cur = 0;
  std::uint64_t rlim_max = 0;
};
