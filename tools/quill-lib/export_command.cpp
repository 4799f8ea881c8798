// quill-lib export: one NAME.srs file a global structure, OBJECT/NAME.srs a
// local one, and the manifest, so that a library can live in version control.
// The files hold the stored source byte for byte; exporting an unchanged
// library again changes no file.
#include <cstdio>
#include <map>

#include "commands.h"
#include "files.h"
#include "library_access.h"
#include "manifest.h"
#include "quill/compiler.h"
#include "tool_error.h"

namespace quill_lib {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSourceExtension = ".srs";
// Line ends in the files are those of the library; git must not change them.
constexpr const char* kGitAttributes = "*.srs -text diff\nquill-lib.manifest -text diff\n";

// Names become file names: only names the language accepts can, which also
// keeps a damaged or hostile library from writing outside the folder.
void RequireFileName(const std::string& name, const std::string& what) {
  std::string suffix;
  if (!quill::SplitVariableName(name, nullptr, &suffix) || !suffix.empty())
    throw ToolError{kExitFile, "Cannot export the " + what + " \"" + name + "\": it is not a valid name."};
}

bool IsKind(const std::string& kind) {
  return !kind.empty() && kind.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
}

// Relative file name -> contents of everything the export writes.
std::map<std::string, std::string> ExportFiles(const quill::Library& library) {
  std::map<std::string, std::string> files;
  Manifest manifest;
  for (quill::Library::StoredEntry& entry : library.storedEntries()) {
    RequireFileName(entry.name, "structure");
    files[entry.name + kSourceExtension] = std::move(entry.source);
    manifest.globals.push_back({entry.name, entry.comment});
  }
  for (const quill::StoredObject& object : library.objects()) {
    RequireFileName(object.name, "object");
    if (!IsKind(object.kind))
      throw ToolError{kExitFile, "Cannot export the object \"" + object.name + "\": its kind is not valid."};
    Manifest::Object item{object.id, object.kind, object.name, {}};
    for (quill::StoredLocalType& type : library.localTypes(object.id)) {
      RequireFileName(type.name, "structure");
      files[object.name + "/" + type.name + kSourceExtension] = std::move(type.source);
      item.locals.push_back(type.name);
    }
    manifest.objects.push_back(std::move(item));
  }
  files[kManifestName] = FormatManifest(manifest);
  return files;
}

// Structure files of an earlier export that the library no longer holds.
void RemoveStaleFiles(const fs::path& directory, const std::map<std::string, std::string>& files) {
  std::error_code ec;
  auto removeStale = [&](const fs::path& folder, const std::string& prefix) {
    for (const fs::directory_entry& item : fs::directory_iterator(folder, ec)) {
      std::string name = item.path().filename().string();
      if (item.is_regular_file() && item.path().extension() == kSourceExtension && !files.count(prefix + name))
        fs::remove(item.path(), ec);
    }
  };
  removeStale(directory, "");
  for (const fs::directory_entry& item : fs::directory_iterator(directory, ec)) {
    std::string name = item.path().filename().string();
    if (!item.is_directory() || name.front() == '.') continue;
    removeStale(item.path(), name + "/");
    if (fs::is_empty(item.path(), ec)) fs::remove(item.path(), ec);
  }
}

}  // namespace

int RunExport(const std::string& libraryPath, const std::string& directoryName) {
  std::unique_ptr<quill::Library> library = OpenExistingLibrary(libraryPath);
  std::map<std::string, std::string> files = ExportFiles(*library);
  const fs::path directory(directoryName);
  std::error_code ec;
  fs::create_directories(directory, ec);
  if (!fs::is_directory(directory)) throw ToolError{kExitFile, "Cannot create the folder " + directoryName + "."};
  quill::ProgressCallback progress = TerminalProgress("exporting");
  std::size_t done = 0;
  for (const auto& [name, text] : files) {
    fs::path file = directory / name;
    if (name.find('/') != std::string::npos) fs::create_directories(file.parent_path(), ec);
    WriteFileIfChanged(file, text);
    if (progress) progress(++done, files.size());
  }
  if (!fs::exists(directory / ".gitattributes")) WriteFileIfChanged(directory / ".gitattributes", kGitAttributes);
  RemoveStaleFiles(directory, files);
  std::printf("Exported %zu structures to %s.\n", files.size() - 1, directoryName.c_str());
  return kExitOk;
}

}  // namespace quill_lib
