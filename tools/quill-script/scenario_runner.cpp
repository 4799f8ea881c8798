// Reading a scenario file and running its steps.
#include "scenario_runner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

#include "allocation_failures.h"
#include "every_allocation.h"
#include "platform/platform.h"
#include "scratch_directory.h"
#include "step_words.h"

namespace script {
namespace {

std::string FailureLine(const std::string& fileName, int line, const std::string& expected, const std::string& got) {
  return fileName + ":" + std::to_string(line) + ": expected " + expected + ", got " + got;
}

const std::vector<StepWord>& StepWords() {
  static const std::vector<StepWord> words = [] {
    std::vector<StepWord> all;
    AddSetupWords(&all);
    AddEditorWords(&all);
    AddUserWords(&all);
    AddGridChecks(&all);
    AddEditorChecks(&all);
    AddLibraryChecks(&all);
    AddMemoryWords(&all);
    return all;
  }();
  return words;
}

// The word a step line starts with: `expect` names its check by the second word.
const StepWord* FindWord(const Line& line) {
  std::string name = line.words[0].text;
  if (name == "expect" && line.words.size() > 1) name += " " + line.words[1].text;
  for (const StepWord& word : StepWords()) {
    if (word.name == name) return &word;
  }
  return nullptr;
}

bool IsSkipped(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t\r");
  return first == std::string::npos || text[first] == '#';
}

// Runs one step with its pumping rule; throws StepFailure. A judge of a
// failing allocation looks at the library files around it.
void RunStep(Scenario& scenario, const Step& step, AllocationJudge* judge) {
  const StepWord* word = FindWord(step.line);
  if (!word) throw StepFailure{"a step word", Quote(step.line.source)};
  if (judge) judge->beforeStep(scenario, word->name);
  struct AfterStep {
    AllocationJudge* judge;
    Scenario& scenario;
    std::string_view word;
    int line;
    ~AfterStep() {
      if (judge) judge->afterStep(scenario, word, line);
    }
  } afterStep{judge, scenario, word->name, step.line.number};
  std::optional<allocation_failure::Uncounted> runnersOwn;
  if (judge && !AllocationJudge::countsDuring(word->name)) runnersOwn.emplace();
  // Steps that act (those that pump) act on the current editor; remember which,
  // even when the step closes it.
  if (word->pumps) {
    if (quill::EditorSession* acting = scenario.currentSession()) scenario.noteActedOn(acting->frame);
  }
  word->run(scenario, step);
  if (word->pumps) scenario.host().pump();
  scenario.frontEnd().setModifiers(false, false, false);
  if (std::optional<FrontEndProblem> problem = scenario.frontEnd().takeProblem())
    throw StepFailure{problem->expected, problem->got};
}

}  // namespace

bool ParseScenario(const std::string& fileName, const std::string& text, std::vector<Step>* steps,
                   std::string* failure) {
  std::istringstream in(text);
  std::string source;
  int number = 0;
  Step* openGrid = nullptr;  // an `expect grid` still collecting rows
  while (std::getline(in, source)) {
    ++number;
    if (!source.empty() && source.back() == '\r') source.pop_back();
    if (IsSkipped(source)) continue;
    Line line{number, source, {}};
    std::string error;
    if (!SplitWords(source, &line.words, &error)) {
      *failure = FailureLine(fileName, number, error, Quote(source));
      return false;
    }
    if (openGrid) {
      if (line.words.size() == 1 && line.words[0].text == "end" && !line.words[0].quoted) {
        openGrid->blockEndLine = number;
        openGrid = nullptr;
      } else {
        openGrid->block.push_back(std::move(line));
      }
      continue;
    }
    bool isGrid = line.words.size() >= 2 && line.words[0].text == "expect" && line.words[1].text == "grid";
    steps->push_back(Step{std::move(line), {}, 0});
    if (isGrid) openGrid = &steps->back();
  }
  if (openGrid) {
    *failure = FailureLine(fileName, openGrid->line.number, "the rows of expect grid to close with end",
                           "the end of the file");
    return false;
  }
  return true;
}

FileResult RunScenarioText(const std::string& fileName, const std::string& text, const RunOptions& options,
                           std::ostream& out) {
  FileResult result;
  std::vector<Step> steps;
  if (!ParseScenario(fileName, text, &steps, &result.failure)) return result;
  int lastLine = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  PlatformReset();
  {
    Scenario scenario(options, out);
    std::optional<AllocationJudge> judge;
    if (options.failAllocation > 0) judge.emplace(options.failAllocation, options.everyAllocation);
    for (const Step& step : steps) {
      // Flushed, so that the step a crash happened in is the last one shown.
      if (options.verbose) out << fileName << ":" << step.line.number << ": " << step.line.source << std::endl;
      try {
        RunStep(scenario, step, judge ? &*judge : nullptr);
        ++result.steps;
      } catch (const StepFailure& failure) {
        int line = failure.line ? failure.line : step.line.number;
        result.failure = FailureLine(fileName, line, failure.expected, failure.got);
        break;
      } catch (const StepSkip& skip) {
        result.skipped = skip.reason;
        break;
      } catch (const std::bad_alloc&) {
        // The runner's own allocations fail too when every allocation counts:
        // the step ends there, as a front end's event would.
        result.failure = FailureLine(fileName, step.line.number, "the step to complete", "out of memory");
        break;
      }
    }
    if (judge) {
      // The scenario's own expectations may fail once an allocation failed:
      // only what the judge checks counts.
      if (options.verbose && !result.failure.empty()) out << result.failure << "\n";
      result.faults = judge->finish(scenario);
      result.allocationReached = judge->reached();
      result.failure.clear();
      for (const std::string& fault : result.faults) result.failure += (result.failure.empty() ? "" : "; ") + fault;
    } else if (result.failure.empty() && result.skipped.empty()) {
      try {
        if (std::optional<StepFailure> failure = scenario.finish())
          result.failure =
              FailureLine(fileName, failure->line ? failure->line : lastLine, failure->expected, failure->got);
      } catch (const StepFailure& failure) {
        result.failure = FailureLine(fileName, lastLine, failure.expected, failure.got);
      }
    }
  }
  PlatformReset();
  result.passed = result.failure.empty();
  return result;
}

FileResult RunScenarioFile(const std::string& path, const RunOptions& options, std::ostream& out) {
  FileResult result;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.failure = path + ":0: expected a readable scenario file, got none";
    return result;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  std::filesystem::path directory = std::filesystem::absolute(path).parent_path();
  std::unique_ptr<ScratchDirectory> scratch = ScratchDirectory::enter(directory, &error);
  if (!scratch) {
    result.failure = path + ":0: expected " + error + ", got a failure";
    return result;
  }
  return RunScenarioText(path, text.str(), options, out);
}

}  // namespace script
