// quill-lib merge: git's merge driver for library files. A clean merge is
// compiled as import compiles it and replaces OURS whole; a conflict leaves
// OURS as it was, names each conflicting variable and, when asked, writes the
// three versions of each conflicting structure as files to mend and import.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <unordered_map>

#include "commands.h"
#include "folder.h"
#include "library_access.h"
#include "library_merge.h"
#include "manifest.h"
#include "names.h"
#include "printable.h"
#include "staged_files.h"
#include "tool_error.h"

namespace quill_lib {
namespace {

namespace fs = std::filesystem;

// Null for an empty file: git hands an empty base to a merge of a library
// both branches added.
std::unique_ptr<quill::Library> OpenVersion(const std::string& path) {
  return IsEmptyFile(path) ? nullptr : OpenExistingLibrary(path);
}

// A merged structure that does not compile is a conflict too (ours removed a
// structure that theirs started to use), unless ours held it so already.
void AddCompileConflicts(const LibraryVersion& ours, const quill::LibraryStructures& compiled, MergedLibrary* merged) {
  for (const quill::LibraryStructure& s : compiled.all()) {
    if (s.errors.empty()) continue;
    const quill::LibraryStructure* before = ours.find(s.label());
    if (before && !before->errors.empty() && before->stored.source == s.stored.source) continue;
    for (const quill::CompileError& error : s.errors)
      merged->conflicts.push_back(s.label() + (error.variable.empty() ? "" : ":" + error.variable) +
                                  ": does not compile: " + error.message);
    merged->conflicted.push_back(Lowered(s.label()));
  }
}

void WriteVersion(const LibraryVersion& version, const std::vector<std::string>& labels, const FolderHandle& folder,
                  StagedFiles& staged) {
  Manifest manifest;
  for (const std::string& label : labels) {
    const quill::LibraryStructure* s = version.find(label);
    if (!s) continue;  // removed on this side
    const quill::StructureSource& stored = s->stored;
    if (!IsValidName(stored.name) || !(stored.owner.empty() || IsValidName(stored.owner)))
      throw ToolError{kExitFile, "Cannot export \"" + s->label() + "\": it is not a valid name."};
    if (stored.owner.empty()) {
      staged.write(folder, stored.name + ".srs", stored.source);
      manifest.globals.push_back({stored.name, version.commentOf(s)});
      continue;
    }
    staged.write(staged.folder(folder, stored.owner), stored.name + ".srs", stored.source);
    auto item = std::find_if(manifest.objects.begin(), manifest.objects.end(),
                             [&](const Manifest::Object& o) { return o.name == stored.owner; });
    if (item == manifest.objects.end()) {
      for (const quill::StoredObject& object : version.objects)
        if (object.name == stored.owner) manifest.objects.push_back({object.id, object.kind, object.name, {}});
      item = manifest.objects.end() - 1;
    }
    item->locals.push_back(stored.name);
  }
  staged.write(folder, kManifestName, FormatManifest(manifest));
}

constexpr const char* kVersionFolders[3] = {"base", "ours", "theirs"};

// Folders left by an earlier conflict would mix its files into these.
void RequireNewExportFolders(const std::string& directory) {
  for (const char* name : kVersionFolders) {
    const fs::path path = fs::path(directory) / name;
    std::error_code error;
    if (fs::symlink_status(path, error).type() != fs::file_type::not_found)
      throw ToolError{kExitFile, path.string() + " exists already; remove it or name another folder."};
  }
}

// DIR/base, DIR/ours and DIR/theirs, each an exported folder of the
// conflicting structures as that side holds them.
void ExportConflicts(const std::string& directory, const std::vector<std::string>& labels,
                     const LibraryVersion* versions[3]) {
  std::error_code error;
  const bool made = fs::create_directories(directory, error);
  if (error) throw ToolError{kExitFile, WriteFailure(directory, error.value())};
  StagedFiles staged;  // a failure part-way leaves no folder half written
  if (made) staged.madeFolder(directory);
  const FolderHandle root = FolderHandle::Open(directory, false);
  for (int i = 0; i < 3; ++i) WriteVersion(*versions[i], labels, staged.folder(root, kVersionFolders[i]), staged);
  staged.commit();
}

// The merged library replaces OURS whole: it is written beside it under a
// temporary name and renamed over it, so OURS is either as it was or merged.
void WriteMerged(const std::string& oursPath, const MergedLibrary& merged, const quill::LibraryStructures& compiled) {
  const fs::path target(oursPath);
  const std::string temporary = (target.parent_path() / TemporaryName(target.filename().string())).string();
  std::string error;
  std::unique_ptr<quill::Library> library = quill::Library::open(temporary, true, &error);
  if (!library) throw ToolError{kExitFile, error};
  std::vector<quill::Library::StoredEntry> entries;
  for (std::size_t i : compiled.dependencyOrder()) {
    const quill::StructureSource& s = compiled.all()[i].stored;
    if (s.owner.empty()) entries.push_back({s.name, s.source, merged.comments.at(Lowered(s.name)), ""});
  }
  std::unordered_map<std::string, std::vector<quill::StoredLocalType>> locals;  // by owner, in order
  for (const quill::StructureSource& s : merged.structures)
    if (!s.owner.empty()) locals[s.owner].push_back({s.name, s.source, 0});
  std::vector<quill::Library::ObjectTypes> objects;
  for (const quill::StoredObject& object : merged.objects) objects.push_back({object, std::move(locals[object.name])});
  bool written = library->writeAll(entries, objects, &error);
  library.reset();
  struct stat info;
  if (written && stat(oursPath.c_str(), &info) == 0) chmod(temporary.c_str(), info.st_mode & 07777);
  if (written && std::rename(temporary.c_str(), oursPath.c_str()) != 0) {
    error = WriteFailure(oursPath, errno);
    written = false;
  }
  if (!written) {
    quill::Library::removeUnfinished(temporary);
    throw ToolError{kExitFile, error};
  }
}

}  // namespace

int RunMerge(const MergeOptions& options) {
  if (!options.exportDirectory.empty()) RequireNewExportFolders(options.exportDirectory);
  std::unique_ptr<quill::Library> base = OpenVersion(options.base);
  std::unique_ptr<quill::Library> ours = OpenVersion(options.ours);
  std::unique_ptr<quill::Library> theirs = OpenVersion(options.theirs);
  const LibraryVersion baseVersion = LibraryVersion::Read(base.get());
  const LibraryVersion oursVersion = LibraryVersion::Read(ours.get());
  const LibraryVersion theirsVersion = LibraryVersion::Read(theirs.get());
  ours.reset();
  MergedLibrary merged = MergeLibraries(baseVersion, oursVersion, theirsVersion);
  std::optional<quill::LibraryStructures> compiled;
  if (merged.conflicts.empty()) {
    compiled = quill::LibraryStructures::compile(merged.structures, TerminalProgress("compiling"));
    AddCompileConflicts(oursVersion, *compiled, &merged);
  }
  if (merged.conflicts.empty()) {
    WriteMerged(options.ours, merged, *compiled);
    return kExitOk;
  }
  for (const std::string& line : merged.conflicts) std::printf("%s\n", Printable(line).c_str());
  std::fflush(stdout);
  if (!options.exportDirectory.empty()) {
    const LibraryVersion* versions[3] = {&baseVersion, &oursVersion, &theirsVersion};
    ExportConflicts(options.exportDirectory, merged.conflicted, versions);
    std::fprintf(stderr, "quill-lib: the three versions of each conflicting structure are in %s/base, ours and theirs.\n",
                 Printable(options.exportDirectory).c_str());
  }
  throw ToolError{kExitFound, std::to_string(merged.conflicts.size()) + " conflict" +
                                  (merged.conflicts.size() == 1 ? "" : "s") + "; " + options.ours +
                                  " was left as it was."};
}

}  // namespace quill_lib
