// Three-way merging of whole libraries: structure by structure (its text by
// variable, a global structure's comment), and the owning objects with the
// order of their local structures.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "quill/library.h"
#include "quill/library_structures.h"

namespace quill_lib {

// One version of a library as the merge reads it.
struct LibraryVersion {
  quill::LibraryStructures structures;
  std::unordered_map<std::string, std::string> comments;  // lowered global name -> comment
  std::vector<quill::StoredObject> objects;

  // An empty version for null: a library both sides added has no base.
  static LibraryVersion Read(const quill::Library* library);
  const quill::LibraryStructure* find(const std::string& label) const;
  std::string commentOf(const quill::LibraryStructure* structure) const;
};

struct MergedLibrary {
  std::vector<quill::StructureSource> structures;  // an object's local structures in their order
  std::unordered_map<std::string, std::string> comments;  // lowered global name -> comment
  std::vector<quill::StoredObject> objects;
  std::vector<std::string> conflicts;  // "LABEL:VARIABLE: ours …, theirs …" or "LABEL: …"
  std::vector<std::string> conflicted;  // the lowered labels of the structures in conflict
};

MergedLibrary MergeLibraries(const LibraryVersion& base, const LibraryVersion& ours, const LibraryVersion& theirs);

}  // namespace quill_lib
