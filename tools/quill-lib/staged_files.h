// Changes to the files of a folder made all or nothing: every new file is
// written under a temporary name first, and only when all are written are
// they renamed into place, in the order they were staged. A failure on the
// way, or a command that ends before commit, puts back what was already
// renamed and removes every temporary file and created folder.
#pragma once

#include <string>
#include <vector>

#include "folder.h"

namespace quill_lib {

class StagedFiles {
 public:
  StagedFiles() = default;
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;
  ~StagedFiles();

  // The subfolder name, made when missing (and removed again on failure).
  // Throws ToolError for a link or a file at that name.
  FolderHandle folder(const FolderHandle& parent, const std::string& name);
  // Notes a folder made by the caller before staging, removed again on failure.
  void madeFolder(const std::string& path);
  // Stages name to hold text; nothing when it holds the text already. Throws
  // ToolError with the reason when the temporary file cannot be written or a
  // link or something other than a file is at that name.
  void write(const FolderHandle& folder, const std::string& name, const std::string& text);
  // Stages the removal of the regular file name; nothing when it is missing.
  void remove(const FolderHandle& folder, const std::string& name);
  // Renames everything into place; throws ToolError after putting back what
  // it had renamed. Once it returns, no temporary file is left.
  void commit();

 private:
  enum class Kind { Create, Replace, Remove };
  struct Change {
    FolderHandle folder;
    std::string name;
    std::string temporary;  // "" until the temporary name holds the file
    Kind kind;
    bool done = false;
    bool undoable = true;
  };
  struct MadeFolder {
    FolderHandle parent;
    std::string name;
  };
  void apply(Change& change);
  void undo(Change& change);
  void removeTemporaries();

  std::vector<Change> changes_;
  std::vector<MadeFolder> madeFolders_;
  std::vector<std::string> madePaths_;
  bool committed_ = false;
};

}  // namespace quill_lib
