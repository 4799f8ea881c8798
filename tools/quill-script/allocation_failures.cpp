// Running scenarios with a failing allocation, one run or the whole loop.
#include "allocation_failures.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "every_allocation.h"
#include "platform/platform.h"
#include "quill/runtime.h"
#include "scenario.h"
#include "scenario_runner.h"

namespace script {
namespace {

// The runner's own writes of libraries (setup through a connection of its own).
bool WritesOnItsOwn(std::string_view word) {
  return word == "store" || word == "store-local" || word == "library-format";
}

// A child that has not ended after this long is hung.
constexpr unsigned kChildSeconds = 120;
// A file whose runs keep failing whatever n is fails for another reason: the
// loop stops it after this many faulty runs in a row.
constexpr int kFaultyRunsInARow = 20;

std::uint64_t WritesOf(Scenario& scenario) {
  quill::Host* host = scenario.startedHost();
  return host ? host->runtime().libraryWrites() : 0;
}

// What a child process wrote to its standard error, from the temporary file it got.
std::string ReadCaptured(int fd) {
  std::string text;
  lseek(fd, 0, SEEK_SET);
  char buffer[4096];
  ssize_t got = 0;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(got));
  if (ftruncate(fd, 0) != 0) text += "\n(the capture file could not be emptied)";
  lseek(fd, 0, SEEK_SET);
  return text;
}

bool SanitizerSpoke(const std::string& text) {
  return text.find("Sanitizer") != std::string::npos || text.find("runtime error:") != std::string::npos;
}

// The first lines of a report, indented, for the loop's own output.
std::string Excerpt(const std::string& text) {
  std::istringstream in(text);
  std::string line, shown;
  for (int i = 0; i < 12 && std::getline(in, line); ++i) shown += "    " + line + "\n";
  return shown;
}

// Runs `file` with allocation n failing in a child process whose standard
// error goes to captureFd. Returns the child's wait status.
int RunChild(const std::string& file, long n, const RunOptions& options, int captureFd) {
  std::cout.flush();
  std::cerr.flush();
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    dup2(captureFd, STDERR_FILENO);
    int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) dup2(quiet, STDOUT_FILENO);
    alarm(kChildSeconds);
    std::ostringstream ignored;
    int code = RunWithFailingAllocation(file, n, options, ignored);
    std::cerr << ignored.str();
    std::cerr.flush();
    std::exit(code);  // through exit, so that the leak checker runs
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

// "" when the run is clean; otherwise what went wrong.
std::string Verdict(int status, const std::string& captured, bool* reached) {
  *reached = false;
  if (status == -1) return "the child could not be started or waited for";
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    return signal == SIGALRM ? "hung (no end within " + std::to_string(kChildSeconds) + " s)"
                             : std::string("crashed: ") + strsignal(signal);
  }
  const int code = WEXITSTATUS(status);
  if (SanitizerSpoke(captured)) return "sanitizer report";
  if (code == kAllocationFailed) *reached = true;
  if (code == kAllocationFailed || code == kAllocationNotReached) return "";
  if (code == kAllocationFaults) return "faults";
  return "exit status " + std::to_string(code);
}

}  // namespace

AllocationJudge::AllocationJudge(long n, bool everyKind) : failing_(n) {
  if (everyKind)
    allocation_failure::FailAllocation(n);
  else
    PlatformFailAllocation(n);
}

AllocationJudge::~AllocationJudge() { allocation_failure::FailAllocation(0); }

void AllocationJudge::beforeStep(Scenario& scenario, std::string_view word) {
  allocation_failure::Uncounted judging;
  watching_ = !WritesOnItsOwn(word);
  if (watching_) watch_.before(WritesOf(scenario));
}

void AllocationJudge::afterStep(Scenario& scenario, std::string_view word, int line) {
  allocation_failure::Uncounted judging;
  if (!watching_) return;
  for (const std::string& fault : watch_.after(WritesOf(scenario)))
    faults_.push_back("line " + std::to_string(line) + " (" + std::string(word) + "): " + fault);
}

std::vector<std::string> AllocationJudge::finish(Scenario& scenario) {
  allocation_failure::Uncounted judging;
  scenario.closeEditors();
  if (quill::Host* host = scenario.startedHost(); host && host->livePoolBlocks() != 0)
    faults_.push_back(std::to_string(host->livePoolBlocks()) + " pool blocks live once the editors closed");
  // The clipboard's blocks are the clipboard's; what else is live was never given back.
  PlatformClipboardSetBusy(false);
  PlatformClipboardFromOutside(nullptr);
  if (int live = PlatformLiveGlobalBlocks(); live != 0)
    faults_.push_back(std::to_string(live) + " global memory blocks live at the end");
  return faults_;
}

bool AllocationJudge::countsDuring(std::string_view word) {
  static constexpr std::string_view kRunnersOwn[] = {
      "dump", "answer", "pool", "note", "lock", "unlock", "busy-timeout", "file-size-limit", "readonly",
      "unprivileged", "font", "profile", "store", "store-local", "library-format", "clipboard"};
  if (word.rfind("expect", 0) == 0) return false;
  return std::find(std::begin(kRunnersOwn), std::end(kRunnersOwn), word) == std::end(kRunnersOwn);
}

bool AllocationJudge::reached() const { return PlatformAllocationsCounted() >= failing_; }

int RunAllocationLoop(const std::vector<std::string>& files, const RunOptions& options, std::ostream& out) {
  FILE* capture = std::tmpfile();
  if (!capture) {
    out << "quill-script: no temporary file for the children's reports\n";
    return 1;
  }
  const int captureFd = fileno(capture);
  long runs = 0, injected = 0, faulty = 0;
  for (const std::string& file : files) {
    long fileRuns = 0, fileInjected = 0, fileFaults = 0;
    int inARow = 0;
    for (long n = 1;; n += options.allocationStride) {
      const int status = RunChild(file, n, options, captureFd);
      const std::string captured = ReadCaptured(captureFd);
      bool reached = false;
      const std::string verdict = Verdict(status, captured, &reached);
      ++fileRuns;
      if (reached) ++fileInjected;
      if (!verdict.empty()) {
        ++fileFaults;
        out << file << ": allocation " << n << ": " << verdict << "\n" << Excerpt(captured);
        if (++inARow == kFaultyRunsInARow) {
          out << file << ": stopped after " << inARow << " faulty runs in a row\n";
          break;
        }
      } else {
        inARow = 0;
      }
      // A run that ended before its n-th allocation ends the file; so does a
      // child that never got going.
      if (!reached && (verdict.empty() || verdict == "faults" || status == -1)) break;
    }
    out << file << ": " << fileRuns << " runs, " << fileInjected << " allocations failed, " << fileFaults
        << " faulty\n";
    runs += fileRuns;
    injected += fileInjected;
    faulty += fileFaults;
  }
  std::fclose(capture);
  out << "allocation loop: " << files.size() << " files, " << runs << " runs, " << injected
      << " allocations failed, " << faulty << " faulty runs\n";
  return faulty == 0 ? 0 : 1;
}

}  // namespace script
