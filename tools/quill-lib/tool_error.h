// How quill-lib ends: its exit codes and the failure that carries one.
#pragma once

#include <string>

namespace quill_lib {

// The exit codes, as the README documents them.
enum ExitCode : int {
  kExitOk = 0,
  kExitFound = 1,  // check: a structure does not compile; diff: the libraries differ; import: a file does not compile
  kExitUsage = 2,  // bad arguments
  kExitNoSuchName = 3,  // the structure or object named is not in the library
  kExitFile = 4,        // a library, folder or file cannot be read or written
};

// Ends the command: main prints the message (when there is one) and exits with the code.
struct ToolError {
  int exitCode;
  std::string message;
};

}  // namespace quill_lib
