// Checks of what was stored and printed: expect source, local, comment, entry, noentry,
// errors, printed, printed-text, noprint. Library checks read the file on disk.
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

void ExpectSource(Scenario& scenario, const Step& step) {
  const Word& name = Arg(step, 2, "an entry name");
  const Word& text = Arg(step, 3, "the source text");
  NoMoreArgs(step, 4);
  std::optional<std::string> source = OpenForReading(scenario)->entrySource(name.text);
  if (!source) throw StepFailure{"entry " + Quote(name.text), "no such entry"};
  ExpectEqual(Quote(text.text), Quote(*source));
}

void ExpectLocal(Scenario& scenario, const Step& step) {
  const Word& owner = Arg(step, 2, "an owning object");
  const Word& name = Arg(step, 3, "a local structure name");
  const Word& text = Arg(step, 4, "the source text");
  NoMoreArgs(step, 5);
  std::unique_ptr<quill::Library> library = OpenForReading(scenario);
  std::optional<quill::StoredObject> object = library->object(owner.text);
  if (!object) throw StepFailure{"object " + Quote(owner.text) + " in the library", "none"};
  for (const quill::StoredLocalType& local : library->localTypes(object->id)) {
    if (local.name == name.text) return ExpectEqual(Quote(text.text), Quote(local.source));
  }
  throw StepFailure{"local structure " + Quote(name.text) + " of " + Quote(owner.text), "none"};
}

void ExpectEntry(Scenario& scenario, const Step& step) {
  const Word& name = Arg(step, 2, "an entry name");
  NoMoreArgs(step, 3);
  if (!OpenForReading(scenario)->entrySource(name.text))
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
  if (OpenForReading(scenario)->entrySource(name.text))
    throw StepFailure{"no entry " + Quote(name.text) + " in the library", "one"};
}

// The latest compile-error report since the previous `expect errors`; none when
// nothing was reported since.
void ExpectErrors(Scenario& scenario, const Step& step) {
  std::string expected;
  for (std::size_t i = 2; i < step.line.words.size(); ++i)
    expected += (expected.empty() ? "" : " ") + Quote(step.line.words[i].text);
  std::string actual;
  if (auto report = scenario.frontEnd().takeErrorReport()) {
    for (const quill::CompileError& error : *report) actual += (actual.empty() ? "" : " ") + Quote(FormatCompileError(error));
  }
  ExpectEqual(expected.empty() ? "no errors" : expected, actual.empty() ? "no errors" : actual);
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
  if (frontEnd.entriesSinceCheck() == 0) throw StepFailure{"printed " + expected, "nothing printed since the last check"};
  frontEnd.markPrintChecked();
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

}  // namespace

void AddLibraryChecks(std::vector<StepWord>* words) {
  words->push_back({"expect source", false, ExpectSource});
  words->push_back({"expect local", false, ExpectLocal});
  words->push_back({"expect comment", false, ExpectComment});
  words->push_back({"expect entry", false, ExpectEntry});
  words->push_back({"expect noentry", false, ExpectNoEntry});
  words->push_back({"expect errors", false, ExpectErrors});
  words->push_back({"expect printed", false, ExpectPrinted});
  words->push_back({"expect printed-text", false, ExpectPrintedText});
  words->push_back({"expect noprint", false, ExpectNoPrint});
}

}  // namespace script
