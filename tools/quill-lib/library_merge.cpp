// Three-way merging of whole libraries.
#include "library_merge.h"

#include <list>
#include <map>
#include <unordered_set>

#include "library_access.h"
#include "names.h"
#include "object_id.h"
#include "structure_merge.h"

namespace quill_lib {
namespace {

using Structure = quill::LibraryStructure;

// Objects by lowered name.
std::unordered_map<std::string, const quill::StoredObject*> ObjectsByName(const LibraryVersion& version) {
  std::unordered_map<std::string, const quill::StoredObject*> objects;
  for (const quill::StoredObject& object : version.objects) objects.emplace(Lowered(object.name), &object);
  return objects;
}

const quill::StoredObject* FindObject(const std::unordered_map<std::string, const quill::StoredObject*>& objects,
                                      const std::string& lowered) {
  auto found = objects.find(lowered);
  return found == objects.end() ? nullptr : found->second;
}

bool SameObject(const quill::StoredObject* a, const quill::StoredObject* b) {
  if (!a || !b) return a == b;
  return a->id == b->id && a->kind == b->kind && a->name == b->name;
}

// The lowered labels of each object's local structures, in the version's
// order, by lowered object name.
std::unordered_map<std::string, std::vector<std::string>> LocalOrders(const LibraryVersion& version) {
  std::unordered_map<std::string, std::vector<std::string>> orders;
  for (const Structure& s : version.structures.all())
    if (!s.stored.owner.empty()) orders[Lowered(s.stored.owner)].push_back(Lowered(s.label()));
  return orders;
}

class Merger {
 public:
  Merger(const LibraryVersion& base, const LibraryVersion& ours, const LibraryVersion& theirs)
      : base_(base), ours_(ours), theirs_(theirs), oursLocals_(LocalOrders(ours)), theirsLocals_(LocalOrders(theirs)) {}

  MergedLibrary run() {
    std::map<std::string, bool> labels;  // every label of the three, in a stable order
    for (const LibraryVersion* version : {&base_, &ours_, &theirs_})
      for (const Structure& s : version->structures.all()) labels[Lowered(s.label())];
    for (const auto& entry : labels) mergeStructure(entry.first);
    for (const Structure& s : ours_.structures.all())
      if (s.stored.owner.empty() && chosen_.count(Lowered(s.label()))) takeGlobal(Lowered(s.label()));
    for (const Structure& s : theirs_.structures.all())
      if (s.stored.owner.empty() && chosen_.count(Lowered(s.label()))) takeGlobal(Lowered(s.label()));
    mergeObjects();
    return std::move(result_);
  }

 private:
  bool same(const LibraryVersion& va, const Structure* a, const LibraryVersion& vb, const Structure* b) const {
    if (!a || !b) return a == b;
    return a->stored.source == b->stored.source && va.commentOf(a) == vb.commentOf(b);
  }

  void conflict(const std::string& label, const Conflict& c) {
    result_.conflicts.push_back(c.variable.empty() ? label + ": " + c.text : label + ":" + c.variable + ": " + c.text);
  }

  void mergeStructure(const std::string& label) {
    const Structure *b = base_.find(label), *o = ours_.find(label), *t = theirs_.find(label);
    if (same(ours_, o, theirs_, t) || same(base_, b, theirs_, t)) return choose(label, o, ours_.commentOf(o));
    if (same(base_, b, ours_, o)) return choose(label, t, theirs_.commentOf(t));
    const std::string shown = (o ? o : t)->label();
    const std::size_t before = result_.conflicts.size();
    if (!o || !t) {
      conflict(shown, {"", o ? "ours changed it, theirs removed it" : "ours removed it, theirs changed it"});
    } else {
      std::string source = mergeSource(shown, b, *o, *t);
      std::string comment = mergeComment(shown, b, *o, *t);
      if (result_.conflicts.size() == before) {
        merged_.push_back({o->stored.owner, o->stored.name, std::move(source)});
        choose(label, &merged_.back(), std::move(comment));
      }
    }
    if (result_.conflicts.size() != before) result_.conflicted.push_back(label);
  }

  std::string mergeSource(const std::string& shown, const Structure* b, const Structure& o, const Structure& t) {
    const std::string &os = o.stored.source, &ts = t.stored.source;
    if (os == ts || (b && b->stored.source == ts)) return os;
    if (b && b->stored.source == os) return ts;
    SourceVersion base{b ? std::string_view(b->stored.source) : std::string_view(), b ? &b->compiled.members : nullptr};
    SourceMerge merge = MergeSource(b ? &base : nullptr, {os, &o.compiled.members}, {ts, &t.compiled.members});
    for (const Conflict& c : merge.conflicts) conflict(shown, c);
    return merge.source;
  }

  std::string mergeComment(const std::string& shown, const Structure* b, const Structure& o, const Structure& t) {
    const std::string bc = base_.commentOf(b), oc = ours_.commentOf(&o), tc = theirs_.commentOf(&t);
    if (oc == tc || bc == tc) return oc;
    if (bc == oc) return tc;
    conflict(shown, {"", "ours comment \"" + oc + "\", theirs comment \"" + tc + "\""});
    return oc;
  }

  void choose(const std::string& label, const Structure* s, std::string comment) {
    if (s) chosen_[label] = {&s->stored, std::move(comment)};
  }
  void choose(const std::string& label, const quill::StructureSource* s, std::string comment) {
    chosen_[label] = {s, std::move(comment)};
  }

  void takeGlobal(const std::string& label) {
    if (!taken_.insert(label).second) return;
    const Chosen& c = chosen_.at(label);
    result_.structures.push_back(*c.source);
    result_.comments[label] = c.comment;
  }

  // Objects are kept as one side left them; both sides changing one (rare:
  // an object is renamed or its kind changed outside the editor) keeps ours.
  void mergeObjects() {
    std::vector<std::string> names;  // lowered, ours' order first
    std::unordered_set<std::string> seen;
    for (const LibraryVersion* version : {&ours_, &theirs_, &base_})
      for (const quill::StoredObject& object : version->objects)
        if (seen.insert(Lowered(object.name)).second) names.push_back(Lowered(object.name));
    for (const std::string& name : names) mergeObject(name);
  }

  void mergeObject(const std::string& name) {
    const quill::StoredObject *b = FindObject(baseObjects_, name), *o = FindObject(oursObjects_, name),
                              *t = FindObject(theirsObjects_, name);
    const std::vector<std::string>& oursOrder = oursLocals_[name];
    const std::vector<std::string>& theirsOrder = theirsLocals_[name];
    std::unordered_set<std::string> kept;
    for (const std::vector<std::string>* order : {&oursOrder, &theirsOrder})
      for (const std::string& label : *order)
        if (chosen_.count(label)) kept.insert(label);
    const quill::StoredObject* chosen = SameObject(b, o) ? t : o;
    if (!chosen && !kept.empty()) chosen = o ? o : t;
    if (!chosen) return;
    quill::StoredObject object = *chosen;
    if (chosen != o) object.id = FreeObjectId(result_.objects, object.id);
    result_.objects.push_back(object);
    std::unordered_set<std::string> placed;
    for (const std::string& label : kept)
      if (!ours_.find(label)) placed.insert(label);
    for (const std::string& label : MergeOrder(oursOrder, theirsOrder, kept, placed)) {
      quill::StructureSource local = *chosen_.at(label).source;
      local.owner = object.name;
      result_.structures.push_back(std::move(local));
    }
  }

  struct Chosen {
    const quill::StructureSource* source;
    std::string comment;
  };

  const LibraryVersion &base_, &ours_, &theirs_;
  std::unordered_map<std::string, std::vector<std::string>> oursLocals_, theirsLocals_;
  const std::unordered_map<std::string, const quill::StoredObject*> baseObjects_ = ObjectsByName(base_),
                                                                    oursObjects_ = ObjectsByName(ours_),
                                                                    theirsObjects_ = ObjectsByName(theirs_);
  MergedLibrary result_;
  std::list<quill::StructureSource> merged_;  // texts merged by variable; stable addresses
  std::unordered_map<std::string, Chosen> chosen_;  // lowered label -> what the merge keeps
  std::unordered_set<std::string> taken_;
};

}  // namespace

LibraryVersion LibraryVersion::Read(const quill::Library* library) {
  LibraryVersion version;
  if (!library) return version;
  version.structures = ReadStructures(*library, "reading");
  for (const quill::Library::StoredEntry& entry : StoredEntries(*library))
    version.comments[Lowered(entry.name)] = entry.comment;
  version.objects = Objects(*library);
  return version;
}

const quill::LibraryStructure* LibraryVersion::find(const std::string& label) const {
  std::optional<std::size_t> at = structures.find(label);
  return at ? &structures.all()[*at] : nullptr;
}

std::string LibraryVersion::commentOf(const quill::LibraryStructure* structure) const {
  if (!structure || !structure->stored.owner.empty()) return "";
  auto found = comments.find(Lowered(structure->stored.name));
  return found == comments.end() ? "" : found->second;
}

MergedLibrary MergeLibraries(const LibraryVersion& base, const LibraryVersion& ours, const LibraryVersion& theirs) {
  return Merger(base, ours, theirs).run();
}

}  // namespace quill_lib
