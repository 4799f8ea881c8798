// The table of step words: each group of words adds its own.
#pragma once

#include <string_view>
#include <vector>

#include "step.h"

namespace script {

class Scenario;

// A step word: its name is the first word of a line, or the first two for the checks (expect ...).
struct StepWord {
  std::string_view name;
  bool pumps;  // pumps posted messages after it runs, as the host's message loop would
  void (*run)(Scenario&, const Step&);
};
void AddSetupWords(std::vector<StepWord>* words);
void AddEditorWords(std::vector<StepWord>* words);
void AddUserWords(std::vector<StepWord>* words);
void AddGridChecks(std::vector<StepWord>* words);
void AddEditorChecks(std::vector<StepWord>* words);
void AddLibraryChecks(std::vector<StepWord>* words);
void AddMemoryWords(std::vector<StepWord>* words);

}  // namespace script
