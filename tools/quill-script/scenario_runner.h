// Runs scenario files: each in a fresh host, platform state and clipboard.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "scenario.h"

namespace script {

struct FileResult {
  bool passed = false;
  std::string failure;  // "FILE:LINE: expected ..., got ..." when it failed
  int steps = 0;        // steps run
  std::string skipped;  // why the file was skipped; it counts as not failed
  // With a failing allocation: whether the run reached it, and what it hurt.
  bool allocationReached = false;
  std::vector<std::string> faults;
};

// Splits scenario text into steps (an `expect grid` with its rows up to `end`).
// False with a failure line (as FileResult::failure) for text that is not a scenario.
bool ParseScenario(const std::string& fileName, const std::string& text, std::vector<Step>* steps,
                   std::string* failure);

// Runs scenario text in the working directory as it is. Resets the platform
// before and after.
FileResult RunScenarioText(const std::string& fileName, const std::string& text, const RunOptions& options,
                           std::ostream& out);

// Runs a scenario file in a scratch copy of its directory.
FileResult RunScenarioFile(const std::string& path, const RunOptions& options, std::ostream& out);

}  // namespace script
