// Checks of what was stored and printed: expect source, local, comment, entry, noentry,
// nofile, errors, printed, printed-text, noprint. Library checks read the file on disk.
#include <filesystem>
#include <memory>

#include "quill/library.h"
#include "scenario.h"
#include "step_args.h"
#include "step_words.h"

namespace script {
namespace {

std::unique_ptr<quill::Library> OpenForReading(Scenario& scenario) {
  const std::string& path = scenario.host().currentLibrary();
  if (path.empty()) throw StepFailure{"a library (the library step first)", "none"};
  std::string error;
  std::unique_ptr<quill::Library> library = quill::Library::open(path, false, &error);
  if (!library) throw StepFailure{"library " + Quote(path) + " to read", error};
  return library;
}

// The stored source of a global structure entry. Printing names it "NAME.srs",
// so that name finds it too.
std::optional<std::string> GlobalSource(const quill::Library& library, const std::string& name) {
  if (std::optional<std::string> source = library.entrySource(name)) return source;
  constexpr std::string_view kSourceSuffix = ".srs";
  if (name.size() > kSourceSuffix.size() && name.ends_with(kSourceSuffix))
    return library.entrySource(name.substr(0, name.size() - kSourceSuffix.size()));
  return std::nullopt;
}

// An owning object by its name or, failing that, by its id.
std::optional<quill::StoredObject> OwnerObject(const quill::Library& library, const Word& owner) {
  if (std::optional<quill::StoredObject> object = library.object(owner.text)) return object;
  std::optional<std::int64_t> id = owner.quoted ? std::nullopt : ParseNumber(owner.text);
  if (id && *id >= INT32_MIN && *id <= UINT32_MAX)
    return library.objectById(static_cast<std::int32_t>(static_cast<std::uint32_t>(*id)));
  return std::nullopt;
}

// An entry is a global structure or an owning object.
bool HasEntry(const quill::Library& library, const std::string& name) {
  return GlobalSource(library, name) || library.object(name);
}

void ExpectSource(Scenario& scenario, const Step& step) {
  const Word& name = Arg(step, 2, "an entry name");
  const Word& text = Arg(step, 3, "the source text");
  NoMoreArgs(step, 4);
  std::optional<std::string> source = GlobalSource(*OpenForReading(scenario), name.text);
  if (!source) throw StepFailure{"entry " + Quote(name.text), "no such entry"};
  ExpectEqual(Quote(text.text), Quote(*source));
}

void ExpectLocal(Scenario& scenario, const Step& step) {
  const Word& owner = Arg(step, 2, "an owning object");
  const Word& name = Arg(step, 3, "a local structure name");
  const Word& text = Arg(step, 4, "the source text");
  NoMoreArgs(step, 5);
  std::unique_ptr<quill::Library> library = OpenForReading(scenario);
  std::optional<quill::StoredObject> object = OwnerObject(*library, owner);
  if (!object) throw StepFailure{"object " + Quote(owner.text) + " in the library", "none"};
  for (const quill::StoredLocalType& local : library->localTypes(object->id)) {
    if (local.name == name.text) return ExpectEqual(Quote(text.text), Quote(local.source));
  }
  throw StepFailure{"local structure " + Quote(name.text) + " of " + Quote(owner.text), "none"};
}

void ExpectEntry(Scenario& scenario, const Step& step) {
  const Word& name = Arg(step, 2, "an entry name");
  NoMoreArgs(step, 3);
  if (!HasEntry(*OpenForReading(scenario), name.text))
    throw StepFailure{"entry " + Quote(name.text) + " in the library", "no such entry"};
}

// The comment stored with a global structure entry ("" when it has none).
void ExpectComment(Scenario& scenario, const Step& step) {
  const Word& name = Arg(step, 2, "an entry name");
  const Word& text = Arg(step, 3, "the comment");
  NoMoreArgs(step, 4);
  std::optional<quill::LibraryEntryInfo> info = OpenForReading(scenario)->entryInfo(name.text);
  if (!info) throw StepFailure{"entry " + Quote(name.text), "no such entry"};
  ExpectEqual(Quote(text.text), Quote(info->comment));
}

void ExpectNoEntry(Scenario& scenario, const Step& step) {
  const Word& name = Arg(step, 2, "an entry name");
  NoMoreArgs(step, 3);
  if (HasEntry(*OpenForReading(scenario), name.text))
    throw StepFailure{"no entry " + Quote(name.text) + " in the library", "one"};
}

// Whether a scenario's word names this error. The full form is
// "LINE: VARIABLE: MESSAGE" ("LINE: MESSAGE" without a variable); the message
// alone, the variable and message, and "Line N: ..." say the same error.
bool ErrorMatches(const quill::CompileError& error, const std::string& expected) {
  std::string line = std::to_string(error.line);
  std::string named = error.variable.empty() ? error.message : error.variable + ": " + error.message;
  for (const std::string& form : {FormatCompileError(error), line + ": " + error.message, named, error.message,
                                  "Line " + line + ": " + named, "line " + line + ": " + named}) {
    if (form == expected) return true;
  }
  return false;
}

// The latest compile-error report since the previous `expect errors`; none when
// nothing was reported since.
void ExpectErrors(Scenario& scenario, const Step& step) {
  std::vector<std::string> expected;
  for (std::size_t i = 2; i < step.line.words.size(); ++i) expected.push_back(step.line.words[i].text);
  std::vector<quill::CompileError> report;
  if (auto taken = scenario.frontEnd().takeErrorReport()) report = std::move(*taken);
  bool same = expected.size() == report.size();
  for (std::size_t i = 0; same && i < report.size(); ++i) same = ErrorMatches(report[i], expected[i]);
  if (same) return;
  std::string want, got;
  for (const std::string& text : expected) want += (want.empty() ? "" : " ") + Quote(text);
  for (const quill::CompileError& error : report) got += (got.empty() ? "" : " ") + Quote(FormatCompileError(error));
  throw StepFailure{want.empty() ? "no errors" : want, got.empty() ? "no errors" : got};
}

std::string DescribePrinted(const quill::PrintedEntry& entry) {
  return (entry.library.empty() ? std::string("-") : entry.library) + " " + entry.entry + " " +
         std::to_string(entry.flag);
}

// The most recent print request; it must have come since the previous print check.
void ExpectPrinted(Scenario& scenario, const Step& step) {
  const Word& library = Arg(step, 2, "a library or -");
  const Word& entry = Arg(step, 3, "an entry name");
  std::int64_t flag = NumberArg(step, 4, "a flag");
  NoMoreArgs(step, 5);
  HeadlessFrontEnd& frontEnd = scenario.frontEnd();
  std::string expected = library.text + " " + entry.text + " " + std::to_string(flag);
  // A print request must have come since the previous expect printed, so that a print that should have happened again
  // is not missed.
  if (frontEnd.entriesSincePrintedCheck() == 0)
    throw StepFailure{"printed " + expected, "nothing printed since the last check"};
  frontEnd.markPrintedChecked();
  ExpectEqual("printed " + expected, "printed " + DescribePrinted(frontEnd.printed().back()));
}

void ExpectPrintedText(Scenario& scenario, const Step& step) {
  const Word& text = Arg(step, 2, "the printed text");
  NoMoreArgs(step, 3);
  HeadlessFrontEnd& frontEnd = scenario.frontEnd();
  if (frontEnd.printed().empty()) throw StepFailure{"printed text " + Quote(text.text), "nothing printed"};
  frontEnd.markPrintChecked();
  ExpectEqual(Quote(text.text), Quote(frontEnd.printed().back().text));
}

void ExpectNoPrint(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 2);
  HeadlessFrontEnd& frontEnd = scenario.frontEnd();
  if (frontEnd.printsSinceCheck() > 0)
    throw StepFailure{"nothing printed", frontEnd.entriesSinceCheck() > 0
                                             ? "printed " + DescribePrinted(frontEnd.printed().back())
                                             : "a print request without entries"};
}

// expect nofile FILE: nothing of that name is there (no file, folder or link).
void ExpectNoFile(Scenario&, const Step& step) {
  const Word& file = Arg(step, 2, "a file name");
  NoMoreArgs(step, 3);
  LibraryConditions::requireFilesOnDisk("expect nofile");
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(file.text, ec)))
    throw StepFailure{"no file " + Quote(file.text), "the file " + Quote(file.text)};
}

}  // namespace

void AddLibraryChecks(std::vector<StepWord>* words) {
  words->push_back({"expect source", false, ExpectSource});
  words->push_back({"expect local", false, ExpectLocal});
  words->push_back({"expect comment", false, ExpectComment});
  words->push_back({"expect entry", false, ExpectEntry});
  words->push_back({"expect noentry", false, ExpectNoEntry});
  words->push_back({"expect nofile", false, ExpectNoFile});
  words->push_back({"expect errors", false, ExpectErrors});
  words->push_back({"expect printed", false, ExpectPrinted});
  words->push_back({"expect printed-text", false, ExpectPrintedText});
  words->push_back({"expect noprint", false, ExpectNoPrint});
}

}  // namespace script
