// This process's resident memory, now and at its peak, in kilobytes: what the
// memory cases of both benchmark programs report per row.
#pragma once

#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace benchmemory {

inline long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return 0;
}

inline long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace benchmemory
