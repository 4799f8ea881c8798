// qst-wintest: loads qst.dll as Windows loads a plug-in and checks its exports,
// its resources and a stand-alone editor driven through real windows.
//
//   qst-wintest [SCRATCH-FOLDER]       exit code: the number of failed checks
#include <string>

#include "module_checks.h"

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  const std::size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? "." : folder.substr(0, slash);
}

std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  std::string folder = path;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string modulePath = ProgramFolder() + "\\qst.dll";
  const std::string scratch = argc > 1 ? argv[1] : TempFolder();
  wintest::CheckList checks;
  wintest::CheckApiProbes(checks);
  wintest::CheckExports(checks, modulePath);
  if (HMODULE module = LoadLibraryA(modulePath.c_str())) {
    wintest::CheckResources(checks, module);
    wintest::CheckAccelerators(checks, module);
    FreeLibrary(module);
  }
  wintest::CheckEditorSession(checks, modulePath, scratch);
  std::printf("%d checks, %d failed\n", checks.count(), checks.failures());
  return checks.failures();
}
