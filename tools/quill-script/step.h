// A scenario step as the runner holds it, and how a step reports failure.
#pragma once

#include <string>
#include <vector>

#include "script_words.h"

namespace script {

struct Line {
  int number = 0;
  std::string source;  // the line as written, for --verbose
  std::vector<Word> words;
};

// One step: its line and, for `expect grid`, the lines up to `end`.
struct Step {
  Line line;
  std::vector<Line> block;
  int blockEndLine = 0;
};

// Thrown by a step that fails; the runner prints FILE:LINE: expected ..., got ...
struct StepFailure {
  std::string expected;
  std::string got;
  int line = 0;  // 0: the step's own line
};

// Thrown by a step that finds the scenario cannot run here (the reason says
// why): the file ends, skipped, neither passed nor failed.
struct StepSkip {
  std::string reason;
};

struct RunOptions {
  std::string modulePath;
  bool verbose = false;
  // With n > 0 the n-th allocation of the host's pools and global memory fails
  // and the run is judged as AllocationJudge does.
  long failAllocation = 0;
  // SQLite's allocations and C++ new count (and fail) too.
  bool everyAllocation = false;
  // The allocation loop tries every stride-th n.
  long allocationStride = 1;
};

}  // namespace script
