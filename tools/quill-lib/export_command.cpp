// quill-lib export: one NAME.srs file a global structure, OBJECT/NAME.srs a
// local one, and the manifest, so that a library can live in version control.
// The files hold the stored source byte for byte; exporting an unchanged
// library again changes no file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>

#include "commands.h"
#include "folder.h"
#include "library_access.h"
#include "manifest.h"
#include "names.h"
#include "quill/compiler.h"
#include "staged_files.h"
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
  if (!IsValidName(name))
    throw ToolError{kExitFile, "Cannot export the " + what + " \"" + name + "\": it is not a valid name."};
}

bool IsKind(const std::string& kind) {
  return !kind.empty() && kind.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
}

// Everything the export writes: file contents by name, in the folder itself
// and in one subfolder an owning object.
struct ExportPlan {
  std::map<std::string, std::string> files;
  std::map<std::string, std::map<std::string, std::string>> objectFiles;
  std::string manifest;
  std::size_t structures = 0;
};

ExportPlan PlanExport(const quill::Library& library) {
  ExportPlan plan;
  Manifest manifest;
  for (quill::Library::StoredEntry& entry : StoredEntries(library)) {
    RequireFileName(entry.name, "structure");
    plan.files[entry.name + kSourceExtension] = std::move(entry.source);
    manifest.globals.push_back({entry.name, entry.comment});
    ++plan.structures;
  }
  for (const quill::StoredObject& object : Objects(library)) {
    RequireFileName(object.name, "object");
    if (!IsKind(object.kind))
      throw ToolError{kExitFile, "Cannot export the object \"" + object.name + "\": its kind is not valid."};
    Manifest::Object item{object.id, object.kind, object.name, {}};
    std::map<std::string, std::string>& files = plan.objectFiles[object.name];
    for (quill::StoredLocalType& type : LocalTypes(library, object.id)) {
      RequireFileName(type.name, "structure");
      files[type.name + kSourceExtension] = std::move(type.source);
      item.locals.push_back(type.name);
      ++plan.structures;
    }
    manifest.objects.push_back(std::move(item));
  }
  plan.manifest = FormatManifest(manifest);
  return plan;
}

// The manifest an earlier export left, which names the only files an export
// may remove; none when there is no manifest.
Manifest PreviousManifest(const FolderHandle& folder) {
  if (!folder.typeOf(kManifestName)) return {};
  std::string text;
  if (std::optional<std::string> problem = folder.readFile(kManifestName, kMaxFileBytes, &text))
    throw ToolError{kExitFile, folder.pathOf(kManifestName) + " " + *problem};
  return ParseManifest(text, folder.pathOf(kManifestName));
}

// Stages the removal of the structure files the earlier export wrote that
// this one does not write. Names that are no valid names were never written
// by an export and are left alone.
void StageStaleFiles(const FolderHandle& folder, const Manifest& previous, const ExportPlan& plan,
                     StagedFiles& staged) {
  for (const Manifest::Global& global : previous.globals)
    if (IsValidName(global.name) && !plan.files.count(global.name + kSourceExtension))
      staged.remove(folder, global.name + kSourceExtension);
  for (const Manifest::Object& object : previous.objects) {
    std::optional<FolderHandle> objectFolder = folder.child(object.name);
    if (!objectFolder) continue;
    auto kept = plan.objectFiles.find(object.name);
    for (const std::string& local : object.locals)
      if (IsValidName(local) && (kept == plan.objectFiles.end() || !kept->second.count(local + kSourceExtension)))
        staged.remove(*objectFolder, local + kSourceExtension);
  }
}

// The folder to export into, made (with its missing parents) when missing.
FolderHandle ExportFolder(const std::string& path, StagedFiles& staged) {
  std::string top = path;
  while (top.size() > 1 && top.back() == '/') top.pop_back();
  std::vector<std::string> missing;  // the innermost first
  struct stat info;
  for (fs::path p(top); !p.empty() && lstat(p.c_str(), &info) != 0 && errno == ENOENT; p = p.parent_path()) {
    missing.push_back(p.string());
    if (p == p.parent_path()) break;
  }
  for (auto p = missing.rbegin(); p != missing.rend(); ++p) {
    if (mkdir(p->c_str(), 0777) != 0) throw ToolError{kExitFile, WriteFailure(*p, errno)};
    staged.madeFolder(*p);
  }
  return FolderHandle::Open(path, false);
}

}  // namespace

int RunExport(const std::string& libraryPath, const std::string& directoryName) {
  std::unique_ptr<quill::Library> library = OpenExistingLibrary(libraryPath);
  const ExportPlan plan = PlanExport(*library);
  StagedFiles staged;  // ending without commit puts the folder back as it was
  const FolderHandle folder = ExportFolder(directoryName, staged);
  const Manifest previous = PreviousManifest(folder);
  quill::ProgressCallback progress = TerminalProgress("exporting");
  std::size_t done = 0;
  for (const auto& [name, text] : plan.files) {
    staged.write(folder, name, text);
    if (progress) progress(++done, plan.structures);
  }
  for (const auto& [object, files] : plan.objectFiles) {
    if (files.empty()) continue;  // git keeps no empty folder; neither does the export
    const FolderHandle objectFolder = staged.folder(folder, object);
    for (const auto& [name, text] : files) {
      staged.write(objectFolder, name, text);
      if (progress) progress(++done, plan.structures);
    }
  }
  StageStaleFiles(folder, previous, plan, staged);
  if (!folder.typeOf(".gitattributes")) staged.write(folder, ".gitattributes", kGitAttributes);
  staged.write(folder, kManifestName, plan.manifest);  // last: it names what the folder holds
  staged.commit();
  // Folders of objects with no local structure left go when nothing else is in them.
  for (const Manifest::Object& object : previous.objects) {
    auto now = plan.objectFiles.find(object.name);
    if (IsValidName(object.name) && (now == plan.objectFiles.end() || now->second.empty()))
      unlinkat(folder.fd(), object.name.c_str(), AT_REMOVEDIR);
  }
  std::printf("Exported %zu structures to %s.\n", plan.structures, directoryName.c_str());
  return kExitOk;
}

}  // namespace quill_lib
