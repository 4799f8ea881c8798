// quill-lib git-setup: tells a git repository to show library files through
// textconv and to merge them with the merge driver.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "commands.h"
#include "tool_error.h"

extern char** environ;

namespace quill_lib {
namespace {

constexpr const char* kAttributes = "*.lib diff=quill merge=quill";

// Text as one word for a POSIX shell, which is how git runs both drivers.
std::string ShellQuoted(const std::string& text) {
  if (!text.empty() && text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789/._-+%") ==
                           std::string::npos)
    return text;
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// This program's own path, so that the drivers work without it on PATH.
std::string ProgramPath() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string("quill-lib") : self.string();
}

std::vector<std::pair<std::string, std::string>> Settings() {
  const std::string program = ShellQuoted(ProgramPath());
  return {{"diff.quill.textconv", program + " textconv"},
          {"merge.quill.name", "structure library merge"},
          {"merge.quill.driver", program + " merge %O %A %B"}};
}

// Runs git with the arguments; its exit status (127 when it cannot be run).
int RunGit(const std::vector<std::string>& arguments, bool quiet) {
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (quiet) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  pid_t pid;
  int failed = posix_spawnp(&pid, "git", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (failed || waitpid(pid, &status, 0) < 0) return 127;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

// Appends the attributes line unless the file holds it already.
void AddAttributes(const std::string& repository) {
  const std::string path = (std::filesystem::path(repository) / ".gitattributes").string();
  std::string text;
  if (std::ifstream in(path, std::ios::binary); in) {
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
  }
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (line == kAttributes) return;
  std::ofstream out(path, std::ios::binary | std::ios::app);
  out << (text.empty() || text.back() == '\n' ? "" : "\n") << kAttributes << '\n';
  out.close();
  if (!out) throw ToolError{kExitFile, path + " cannot be written."};
}

}  // namespace

int RunGitSetup(const std::string& repository, bool print) {
  if (print) {
    std::printf("# .gitattributes\n%s\n# the repository's configuration\n", kAttributes);
    for (const auto& [key, value] : Settings())
      std::printf("git config %s %s\n", key.c_str(), ShellQuoted(value).c_str());
    return kExitOk;
  }
  if (RunGit({"git", "-C", repository, "rev-parse", "--git-dir"}, true) != 0)
    throw ToolError{kExitFile, repository + " is not a git repository (or git cannot be run)."};
  for (const auto& [key, value] : Settings())
    if (RunGit({"git", "-C", repository, "config", key, value}, false) != 0)
      throw ToolError{kExitFile, "git could not set " + key + " in " + repository + "."};
  AddAttributes(repository);
  std::printf("Library files (*.lib) in %s now diff as text and merge by structure and variable.\n",
              repository.c_str());
  return kExitOk;
}

}  // namespace quill_lib
