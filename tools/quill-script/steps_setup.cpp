// Setup words: font, library, profile, object, store, store-local, and what
// surrounds the library files: lock, unlock, busy-timeout, file-size-limit,
// readonly, unprivileged, library-format. None pumps.
#include <memory>

#include "quill/compiler.h"
#include "quill/library.h"
#include "quill/runtime.h"
#include "scenario.h"
#include "step_args.h"
#include "step_words.h"

namespace script {
namespace {

void Font(Scenario& scenario, const Step& step) {
  std::int64_t height = NumberArg(step, 1, "a character height");
  NoMoreArgs(step, 2);
  if (height < 1 || height > 200) throw StepFailure{"a character height from 1 to 200", std::to_string(height)};
  scenario.setFontHeight(static_cast<int>(height));
}

void LibraryWord(Scenario& scenario, const Step& step) {
  const Word& file = Arg(step, 1, "a library file name");
  NoMoreArgs(step, 2);
  LibraryConditions::openingLibraryFile(file.text);
  scenario.setLibrary(file.text);
}

void Profile(Scenario& scenario, const Step& step) {
  const Word& section = Arg(step, 1, "a profile section");
  const Word& key = Arg(step, 2, "a profile key");
  const Word& value = Arg(step, 3, "a profile value");
  NoMoreArgs(step, 4);
  scenario.setProfileValue(section.text, key.text, value.text);
}

void Object(Scenario& scenario, const Step& step) {
  const Word& kind = Arg(step, 1, "an object kind");
  const Word& name = Arg(step, 2, "an object name");
  if (kind.text != "window" && kind.text != "menu" && kind.text != "userobject" && kind.text != "function")
    throw StepFailure{"an object kind (window, menu, userobject or function)", Quote(kind.text)};
  std::optional<std::int32_t> id;
  if (step.line.words.size() > 3) {
    std::optional<std::string> text = OptionValue(step.line.words[3], "id");
    std::optional<std::int64_t> number = text ? ParseNumber(*text) : std::nullopt;
    if (!number || *number < INT32_MIN || *number > UINT32_MAX)
      throw StepFailure{"id=N", Quote(step.line.words[3].text)};
    id = static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
  }
  NoMoreArgs(step, id ? 4 : 3);
  std::string error;
  if (scenario.host().runtime().addObject(kind.text, name.text, id, &error) == 0)
    throw StepFailure{kind.text + " " + Quote(name.text) + " added to the library", error};
}

// The current library, opened for writing the scenario's stored entries.
std::unique_ptr<quill::Library> OpenCurrentLibrary(Scenario& scenario) {
  const std::string& path = scenario.host().currentLibrary();
  if (path.empty()) throw StepFailure{"a library (the library step first)", "none"};
  std::string error;
  std::unique_ptr<quill::Library> library = quill::Library::open(path, true, &error);
  if (!library) throw StepFailure{"library " + Quote(path) + " to open", error};
  return library;
}

// Compiles source; on errors the step fails with them.
// The header must declare the named structure, global or local as stored.
void CompileOrFail(const std::string& source, const std::vector<std::string>& known, const std::string& name,
                   bool global) {
  quill::CompiledStructure compiled;
  std::vector<quill::CompileError> errors;
  quill::CompileExpectation expectation;
  expectation.global = global;
  expectation.name = name;
  if (quill::CompileStructureSource(source, known, expectation, &compiled, &errors)) return;
  std::string got;
  for (const quill::CompileError& error : errors) got += (got.empty() ? "" : "; ") + FormatCompileError(error);
  throw StepFailure{"the source to compile", got.empty() ? "a failed compile without errors" : got};
}

std::vector<std::string> EntryNames(const quill::Library& library) {
  std::vector<std::string> names;
  for (const quill::LibraryEntryInfo& entry : library.entries()) names.push_back(entry.name);
  return names;
}

void Store(Scenario& scenario, const Step& step) {
  const Word& name = Arg(step, 1, "a structure name");
  const Word& source = Arg(step, 2, "the structure's source text");
  NoMoreArgs(step, 3);
  std::unique_ptr<quill::Library> library = OpenCurrentLibrary(scenario);
  std::vector<std::string> known = EntryNames(*library);
  CompileOrFail(source.text, known, name.text, true);
  std::string error;
  if (!library->writeEntry(name.text, source.text, "", &error))
    throw StepFailure{"entry " + Quote(name.text) + " written", error};
}

void StoreLocal(Scenario& scenario, const Step& step) {
  const Word& owner = Arg(step, 1, "an owning object");
  const Word& name = Arg(step, 2, "a structure name");
  const Word& source = Arg(step, 3, "the structure's source text");
  NoMoreArgs(step, 4);
  std::unique_ptr<quill::Library> library = OpenCurrentLibrary(scenario);
  std::optional<quill::StoredObject> object = library->object(owner.text);
  // As with create embedded, the owner may be given by its id.
  std::optional<std::int64_t> id = owner.quoted ? std::nullopt : ParseNumber(owner.text);
  if (!object && id && *id >= INT32_MIN && *id <= UINT32_MAX)
    object = library->objectById(static_cast<std::int32_t>(static_cast<std::uint32_t>(*id)));
  if (!object) throw StepFailure{"object " + Quote(owner.text) + " in the library (the object step first)", "none"};
  std::vector<quill::StoredLocalType> locals = library->localTypes(object->id);
  std::vector<std::string> known = EntryNames(*library);
  for (const quill::StoredLocalType& local : locals) known.push_back(local.name);
  CompileOrFail(source.text, known, name.text, false);
  std::string error;
  if (!library->writeLocalTypes(object->id, {quill::StoredLocalType{name.text, source.text}}, &error))
    throw StepFailure{"local structure " + Quote(name.text) + " of " + Quote(owner.text) + " written", error};
}

// lock FILE / unlock FILE: another program holds FILE locked (exclusively) or lets it go.
void Lock(Scenario& scenario, const Step& step) {
  const Word& file = Arg(step, 1, "a library file name");
  NoMoreArgs(step, 2);
  std::string error;
  if (!scenario.conditions().lock(file.text, &error)) throw StepFailure{Quote(file.text) + " locked", error};
}

void Unlock(Scenario& scenario, const Step& step) {
  const Word& file = Arg(step, 1, "a library file name");
  NoMoreArgs(step, 2);
  std::string error;
  if (!scenario.conditions().unlock(file.text, &error)) throw StepFailure{Quote(file.text) + " unlocked", error};
}

void BusyTimeout(Scenario& scenario, const Step& step) {
  std::int64_t milliseconds = NumberArg(step, 1, "milliseconds");
  NoMoreArgs(step, 2);
  if (milliseconds < 0 || milliseconds > 600000)
    throw StepFailure{"milliseconds from 0 to 600000", std::to_string(milliseconds)};
  scenario.setBusyTimeout(static_cast<int>(milliseconds));
}

void FileSizeLimit(Scenario& scenario, const Step& step) {
  std::int64_t bytes = NumberArg(step, 1, "a size in bytes");
  NoMoreArgs(step, 2);
  if (bytes < 0) throw StepFailure{"a size in bytes", std::to_string(bytes)};
  std::string error;
  if (!scenario.conditions().limitFileSize(static_cast<std::uint64_t>(bytes), &error))
    throw StepFailure{"a file-size limit of " + std::to_string(bytes), error};
}

void ReadOnly(Scenario& scenario, const Step& step) {
  const Word& file = Arg(step, 1, "a file or folder name");
  NoMoreArgs(step, 2);
  std::string error;
  if (!scenario.conditions().makeReadOnly(file.text, &error))
    throw StepFailure{Quote(file.text) + " made read-only", error};
}

// library-format FILE N: a library as a program of format N would leave it,
// for the checks of what this program makes of other formats.
void LibraryFormat(Scenario&, const Step& step) {
  const Word& file = Arg(step, 1, "a library file name");
  const std::int64_t format = NumberArg(step, 2, "a library format");
  NoMoreArgs(step, 3);
  if (format < INT32_MIN || format > INT32_MAX) throw StepFailure{"a library format (32 bits)", std::to_string(format)};
  std::string error;
  if (!LibraryConditions::stampFormat(file.text, static_cast<std::int32_t>(format), &error))
    throw StepFailure{Quote(file.text) + " given library format " + std::to_string(format), error};
}

// Root may write anything: a read-only file means something only to an ordinary user.
void Unprivileged(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 1);
  std::string reason;
  if (!scenario.conditions().dropRootRights(&reason)) throw StepSkip{reason};
}

}  // namespace

void AddSetupWords(std::vector<StepWord>* words) {
  words->push_back({"lock", false, Lock});
  words->push_back({"unlock", false, Unlock});
  words->push_back({"busy-timeout", false, BusyTimeout});
  words->push_back({"file-size-limit", false, FileSizeLimit});
  words->push_back({"readonly", false, ReadOnly});
  words->push_back({"unprivileged", false, Unprivileged});
  words->push_back({"library-format", false, LibraryFormat});
  words->push_back({"font", false, Font});
  words->push_back({"library", false, LibraryWord});
  words->push_back({"profile", false, Profile});
  words->push_back({"object", false, Object});
  words->push_back({"store", false, Store});
  words->push_back({"store-local", false, StoreLocal});
}

}  // namespace script
