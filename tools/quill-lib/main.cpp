// quill-lib: list, show, check, export, import, compare and draw the structures
// of a library file from the command line.
#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <functional>
#include <new>
#include <string>

#include "commands.h"
#include "every_allocation.h"
#include "printable.h"
#include "tool_error.h"

namespace {

using quill_lib::ToolError;

constexpr const char* kFooter =
    "Exit status: 0 success, 1 a structure does not compile or the libraries differ,\n"
    "2 bad arguments, 3 no such structure, 4 a library or file cannot be read or written.";

struct Arguments {
  quill_lib::ListOptions list;
  quill_lib::GraphOptions graph;
  quill_lib::MergeOptions merge;
  bool print = false;
  std::string library, other, name, directory;
};

// The subcommands git calls as its diff and merge drivers, and their setup.
void AddGitCommands(CLI::App& app, Arguments& a, std::function<int()>* run) {
  CLI::App* textconv = app.add_subcommand("textconv", "Print the whole library as text, for git diff and git log.");
  textconv->add_option("LIBRARY", a.library, "library file")->required();
  textconv->callback([&a, run] { *run = [&a] { return quill_lib::RunTextconv(a.library); }; });

  CLI::App* merge = app.add_subcommand(
      "merge", "Merge THEIRS into OURS by structure and variable (git's merge driver); exit 1 on conflicts.");
  merge->add_option("BASE", a.merge.base, "the common ancestor")->required();
  merge->add_option("OURS", a.merge.ours, "this branch's library, replaced by the merge")->required();
  merge->add_option("THEIRS", a.merge.theirs, "the other branch's library")->required();
  merge->add_option("--export", a.merge.exportDirectory, "on conflicts write DIR/base, DIR/ours, DIR/theirs")
      ->type_name("DIR");
  merge->callback([&a, run] { *run = [&a] { return quill_lib::RunMerge(a.merge); }; });

  CLI::App* setup = app.add_subcommand("git-setup", "Set up a git repository to diff and merge library files.");
  a.directory = ".";
  setup->add_option("REPOSITORY", a.directory, "the repository's folder (default: the current one)");
  setup->add_flag("--print", a.print, "print the settings instead of writing them");
  setup->callback([&a, run] { *run = [&a] { return quill_lib::RunGitSetup(a.directory, a.print); }; });
}

// Adds the subcommands; each sets *run to its action when it was chosen.
void AddCommands(CLI::App& app, Arguments& a, std::function<int()>* run) {
  CLI::App* list = app.add_subcommand("list", "List the structures and owning objects of a library.");
  list->add_option("LIBRARY", a.list.library, "library file")->required();
  list->add_option("--kind", a.list.kind, "global, object or all")->check(CLI::IsMember({"global", "object", "all"}));
  list->add_flag("--json", a.list.json, "JSON for scripts instead of a table");
  list->callback([&a, run] { *run = [&a] { return quill_lib::RunList(a.list); }; });

  CLI::App* show =
      app.add_subcommand("show", "Print the stored source of a structure, or of an object's local structures.");
  show->add_option("LIBRARY", a.library, "library file")->required();
  show->add_option("NAME", a.name, "structure, object, or OBJECT/NAME for one local structure")->required();
  show->callback([&a, run] { *run = [&a] { return quill_lib::RunShow(a.library, a.name); }; });

  CLI::App* check = app.add_subcommand("check", "Compile every structure as a save would; print each error.");
  check->add_option("LIBRARY", a.library, "library file")->required();
  check->callback([&a, run] { *run = [&a] { return quill_lib::RunCheck(a.library); }; });

  CLI::App* exportCmd = app.add_subcommand("export", "Write one NAME.srs file a structure and a manifest into DIR.");
  exportCmd->add_option("LIBRARY", a.library, "library file")->required();
  exportCmd->add_option("DIR", a.directory, "folder (created when missing)")->required();
  exportCmd->callback([&a, run] { *run = [&a] { return quill_lib::RunExport(a.library, a.directory); }; });

  CLI::App* importCmd =
      app.add_subcommand("import", "Compile the structures of DIR and write them into LIBRARY, all or nothing.");
  importCmd->add_option("DIR", a.directory, "folder written by export")->required();
  importCmd->add_option("LIBRARY", a.library, "library file (created when missing)")->required();
  importCmd->callback([&a, run] { *run = [&a] { return quill_lib::RunImport(a.directory, a.library); }; });

  CLI::App* diff = app.add_subcommand("diff", "Which structures and variables differ between two libraries.");
  diff->add_option("LIBRARY_A", a.library, "library file")->required();
  diff->add_option("LIBRARY_B", a.other, "library file")->required();
  diff->add_option("NAME", a.name, "only this structure");
  diff->callback([&a, run] { *run = [&a] { return quill_lib::RunDiff(a.library, a.other, a.name); }; });

  CLI::App* uses = app.add_subcommand("uses", "List every structure and object that uses the structure NAME.");
  uses->add_option("LIBRARY", a.library, "library file")->required();
  uses->add_option("NAME", a.name, "structure, or OBJECT/NAME")->required();
  uses->callback([&a, run] { *run = [&a] { return quill_lib::RunUses(a.library, a.name); }; });

  CLI::App* graph = app.add_subcommand("graph", "Draw which structure contains which (Graphviz dot text, or SVG).");
  graph->add_option("LIBRARY", a.graph.library, "library file")->required();
  graph->add_option("--svg", a.graph.svgFile, "write an SVG drawing to FILE instead of dot text");
  CLI::Option* around = graph->add_option("--around", a.graph.around, "only the structures near NAME");
  graph->add_option("--depth", a.graph.depth, "how many steps from NAME (with --around)")
      ->check(CLI::Range(0, 1000))
      ->needs(around);
  graph->callback([&a, run] { *run = [&a] { return quill_lib::RunGraph(a.graph); }; });

  AddGitCommands(app, a, run);
  for (CLI::App* sub : app.get_subcommands({})) sub->footer(kFooter);
}

}  // namespace

// For tests of allocation failure: the n-th allocation of the command (SQLite's
// and C++'s alike) fails. Not shown in the help.
void AddAllocationFailure(CLI::App& app, long* n) {
  app.add_option("--fail-allocation", *n)->check(CLI::PositiveNumber)->group("");
}

// Ends a command whose allocation failed: whatever it wrote was one
// transaction, rolled back when its connection closed.
int OutOfMemory() {
  std::fputs("quill-lib: out of memory.\n", stderr);
  return quill_lib::kExitFile;
}

int main(int argc, char** argv) {
  // A write beyond the file size this process may write then fails with a
  // reason (a full disk to the user) instead of killing the program part-way.
  std::signal(SIGXFSZ, SIG_IGN);
  allocation_failure::CountSqliteAllocations();
  CLI::App app{"quill-lib: the structures of a library file from the command line."};
  app.footer(kFooter);
  app.set_version_flag("--version", std::string("quill-lib ") + QUILL_VERSION);
  app.require_subcommand(1);
  Arguments arguments;
  std::function<int()> run;
  long failing = 0;
  AddCommands(app, arguments, &run);
  AddAllocationFailure(app, &failing);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? quill_lib::kExitOk : quill_lib::kExitUsage;
  }
  int code = quill_lib::kExitOk;
  try {
    allocation_failure::FailAllocation(failing);
    code = run();
  } catch (const ToolError& e) {
    if (!e.message.empty()) std::fprintf(stderr, "quill-lib: %s\n", quill_lib::Printable(e.message).c_str());
    code = e.exitCode;
  } catch (const std::bad_alloc&) {
    allocation_failure::FailAllocation(0);
    return OutOfMemory();
  }
  const bool reached = allocation_failure::Reached();
  allocation_failure::FailAllocation(0);
  if (failing && !reached) std::fputs("quill-lib: the failing allocation was not reached.\n", stderr);
  return code;
}
