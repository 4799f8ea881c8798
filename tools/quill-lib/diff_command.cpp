// quill-lib diff: which structures two libraries add, remove or change, and for
// a changed one which variables were added, removed, retyped or moved.
#include <cstdio>
#include <map>

#include "commands.h"
#include "library_access.h"
#include "names.h"
#include "printable.h"
#include "quill/member_diff.h"
#include "tool_error.h"

namespace quill_lib {
namespace {

using quill::DiffMembers;
using quill::MemberChange;
using Index = std::map<std::string, const quill::LibraryStructure*>;  // lowered label -> structure

Index ByLabel(const quill::LibraryStructures& structures) {
  Index index;
  for (const quill::LibraryStructure& s : structures.all()) index[Lowered(s.label())] = &s;
  return index;
}

void PrintMemberChange(MemberChange change) {
  change.variable = Printable(change.variable);
  change.before = Printable(change.before);
  change.after = Printable(change.after);
  std::printf("  %s\n", quill::DescribeChange(change).c_str());
}

// Prints what differs for one label; true when anything does.
bool PrintDifference(const quill::LibraryStructure* a, const quill::LibraryStructure* b) {
  if (!a) return std::printf("added %s\n", Printable(b->label()).c_str()), true;
  if (!b) return std::printf("removed %s\n", Printable(a->label()).c_str()), true;
  if (a->stored.source == b->stored.source) return false;
  std::vector<MemberChange> changes = DiffMembers(a->compiled.members, b->compiled.members);
  std::printf("changed %s%s\n", Printable(b->label()).c_str(), changes.empty() ? " (the text only, no variable)" : "");
  for (const MemberChange& change : changes) PrintMemberChange(change);
  return true;
}

}  // namespace

int RunDiff(const std::string& pathA, const std::string& pathB, const std::string& name) {
  std::unique_ptr<quill::Library> libraryA = OpenExistingLibrary(pathA);
  std::unique_ptr<quill::Library> libraryB = OpenExistingLibrary(pathB);
  quill::LibraryStructures structuresA = ReadStructures(*libraryA, "reading");
  quill::LibraryStructures structuresB = ReadStructures(*libraryB, "reading");
  Index a = ByLabel(structuresA), b = ByLabel(structuresB);
  std::map<std::string, bool> labels;  // the union, in a stable order
  for (const auto& entry : a) labels[entry.first];
  for (const auto& entry : b) labels[entry.first];
  if (!name.empty()) {
    if (!labels.count(Lowered(name)))
      throw ToolError{kExitNoSuchName, "Neither " + pathA + " nor " + pathB + " has a structure named " + name + "."};
    labels = {{Lowered(name), false}};
  }
  bool differ = false;
  for (const auto& entry : labels) {
    auto inA = a.find(entry.first), inB = b.find(entry.first);
    differ = PrintDifference(inA == a.end() ? nullptr : inA->second, inB == b.end() ? nullptr : inB->second) || differ;
  }
  return differ ? kExitFound : kExitOk;
}

}  // namespace quill_lib
