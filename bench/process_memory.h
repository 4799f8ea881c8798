// This process's resident memory, now and at its peak, in kilobytes: what the
// memory cases of both benchmark programs report per row.
#pragma once

#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace benchmemory {

// A "Vm...:" figure of /proc/self/status, in kilobytes.
inline long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  const std::string prefix = field;
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
  }
  return 0;
}

inline long ResidentKb() { return StatusKb("VmRSS:"); }

// The peak since the last ResetPeak (or the start), so that a session's peak
// can be told apart step by step.
inline long PeakSinceResetKb() { return StatusKb("VmHWM:"); }
inline void ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

inline long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace benchmemory
