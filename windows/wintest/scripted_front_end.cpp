// Dialog answers from the test's queues.
#include "scripted_front_end.h"

#include <cstring>

namespace wintest {
namespace {

template <std::size_t N>
void CopyField(char (&field)[N], const std::string& text) {
  std::strncpy(field, text.c_str(), N - 1);
  field[N - 1] = '\0';
}

}  // namespace

GlobalOpenChoice ScriptedFrontEnd::openEntryDialog(HWND, const std::string& defaultLibrary,
                                                   const std::vector<quill::LibraryEntryInfo>&) {
  ++openDialogs_;
  GlobalOpenChoice choice{};
  if (opens_.empty()) {
    choice.action = kOpenActionCancel;
    return choice;
  }
  OpenAnswer answer = opens_.front();
  opens_.pop_front();
  choice.action = answer.makeNew ? kOpenActionNew : kOpenActionOpen;
  CopyField(choice.name, answer.name);
  CopyField(choice.library, answer.library.empty() ? defaultLibrary : answer.library);
  return choice;
}

EmbeddedOpenChoice ScriptedFrontEnd::openLocalTypeDialog(HWND, const std::string&, const std::vector<std::string>&) {
  EmbeddedOpenChoice choice{};
  choice.action = kOpenActionCancel;
  return choice;
}

GlobalSaveChoice ScriptedFrontEnd::saveEntryDialog(HWND, const std::string&, const std::string& initialLibrary) {
  ++saveDialogs_;
  GlobalSaveChoice choice{};
  if (saves_.empty()) {
    choice.cancelled = 1;
    return choice;
  }
  SaveAnswer answer = saves_.front();
  saves_.pop_front();
  CopyField(choice.name, answer.name);
  CopyField(choice.library, answer.library.empty() ? initialLibrary : answer.library);
  return choice;
}

EmbeddedSaveChoice ScriptedFrontEnd::saveLocalTypeDialog(HWND, const std::string&, const std::string&) {
  EmbeddedSaveChoice choice{};
  choice.cancelled = 1;
  return choice;
}

void ScriptedFrontEnd::showCompileErrors(HWND, const std::vector<quill::CompileError>&) {}

void ScriptedFrontEnd::print(HWND, const std::vector<quill::PrintedEntry>&) {}

}  // namespace wintest
