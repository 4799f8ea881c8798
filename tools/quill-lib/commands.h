// The subcommands of quill-lib: each returns the exit code, or throws ToolError.
#pragma once

#include <string>

namespace quill_lib {

struct ListOptions {
  std::string library;
  std::string kind = "all";  // global, object or all
  bool json = false;
};
int RunList(const ListOptions& options);

int RunShow(const std::string& library, const std::string& name);
int RunCheck(const std::string& library);
int RunExport(const std::string& library, const std::string& directory);
int RunImport(const std::string& directory, const std::string& library);
int RunDiff(const std::string& libraryA, const std::string& libraryB, const std::string& name);
int RunUses(const std::string& library, const std::string& name);

struct GraphOptions {
  std::string library;
  std::string svgFile;  // "" writes the graph as dot text to standard output
  std::string around;   // "" for the whole library
  int depth = 1;
};
int RunGraph(const GraphOptions& options);

int RunTextconv(const std::string& library);

struct MergeOptions {
  std::string base, ours, theirs;
  std::string exportDirectory;  // "" writes no files for conflicts
};
int RunMerge(const MergeOptions& options);

int RunGitSetup(const std::string& repository, bool print);

}  // namespace quill_lib
