// quill-lib graph: which structure contains which, as Graphviz dot text or,
// through Graphviz's dot program, as an SVG drawing.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "commands.h"
#include "folder.h"
#include "library_access.h"
#include "printable.h"
#include "tool_error.h"

extern char** environ;

namespace quill_lib {
namespace {

using Structures = std::vector<quill::LibraryStructure>;

// The structures within depth steps of the centre, following "contains" both ways.
std::set<std::size_t> Around(const Structures& all, std::size_t centre, int depth) {
  std::vector<std::vector<std::size_t>> neighbours(all.size());
  for (std::size_t i = 0; i < all.size(); ++i)
    for (int t : all[i].memberTargets)
      if (t >= 0) {
        neighbours[i].push_back(static_cast<std::size_t>(t));
        neighbours[static_cast<std::size_t>(t)].push_back(i);
      }
  std::set<std::size_t> shown{centre};
  std::vector<std::size_t> ring{centre};
  for (int step = 0; step < depth && !ring.empty(); ++step) {
    std::vector<std::size_t> next;
    for (std::size_t node : ring)
      for (std::size_t n : neighbours[node])
        if (shown.insert(n).second) next.push_back(n);
    ring = std::move(next);
  }
  return shown;
}

// The whole library: structures that contain or are contained by another.
// The others would only make a tall column of unconnected boxes.
std::set<std::size_t> Connected(const Structures& all) {
  std::set<std::size_t> shown;
  for (std::size_t i = 0; i < all.size(); ++i)
    for (int t : all[i].memberTargets)
      if (t >= 0) shown.insert({i, static_cast<std::size_t>(t)});
  return shown;
}

// A dot string; control characters are shown escaped, as on a terminal.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : Printable(text)) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string DotText(const Structures& all, const std::set<std::size_t>& shown, std::optional<std::size_t> centre,
                    std::size_t leftOut) {
  // Left to right with compact boxes keeps a few hundred structures legible;
  // the limits on dot's crossing and rank searches keep such a drawing to
  // seconds where it would otherwise take minutes, at the cost of a few more
  // crossings.
  std::string dot =
      "digraph structures {\n"
      "  graph [rankdir=LR, ranksep=0.6, nodesep=0.12, splines=polyline, mclimit=0.3, nslimit=2, nslimit1=2,"
      " searchsize=30, fontname=\"Helvetica\", fontsize=11];\n"
      "  node [shape=box, style=rounded, height=0.25, fontname=\"Helvetica\", fontsize=10];\n"
      "  edge [arrowsize=0.6, color=\"#555555\"];\n";
  if (leftOut)
    dot += "  label=" +
           Quoted(std::to_string(leftOut) +
                  " structures that neither contain nor are contained by another are not shown.") +
           ";\n";
  std::map<std::string, std::vector<std::size_t>> owners;  // local structures drawn inside their object
  for (std::size_t i : shown) owners[all[i].stored.owner].push_back(i);
  int cluster = 0;
  for (const auto& [owner, members] : owners) {
    std::string indent = owner.empty() ? "  " : "    ";
    if (!owner.empty())
      dot += "  subgraph cluster_" + std::to_string(cluster++) + " {\n    label=" + Quoted(owner) + "; style=dashed;\n";
    for (std::size_t i : members) {
      dot += indent + "n" + std::to_string(i) + " [label=" + Quoted(all[i].stored.name);
      if (centre == i) dot += ", style=\"rounded,bold,filled\", fillcolor=\"#fff2b3\"";
      if (!all[i].errors.empty()) dot += ", color=red";
      dot += "];\n";
    }
    if (!owner.empty()) dot += "  }\n";
  }
  for (std::size_t i : shown) {
    std::set<int> targets(all[i].memberTargets.begin(), all[i].memberTargets.end());
    for (int t : targets)
      if (t >= 0 && shown.count(static_cast<std::size_t>(t)))
        dot += "  n" + std::to_string(i) + " -> n" + std::to_string(t) + ";\n";
  }
  return dot + "}\n";
}

// Runs dot -Tsvg with the text on its standard input and its output into a
// temporary file made exclusively beside the file (never through a link
// planted there); the drawing replaces the file only when dot succeeded.
void WriteSvg(const std::string& dot, const std::string& file) {
  const std::filesystem::path path(file);
  const std::string name = path.filename().string();
  if (name.empty()) throw ToolError{kExitFile, "Cannot write " + file + ": it names a folder."};
  const FolderHandle folder = FolderHandle::Open(path.has_parent_path() ? path.parent_path().string() : ".", true);
  std::string temporary;
  int output = folder.createTemporary(name, &temporary);
  if (output < 0) throw ToolError{kExitFile, WriteFailure(file, errno)};
  int input[2];
  if (pipe(input) != 0) {
    close(output);
    unlinkat(folder.fd(), temporary.c_str(), 0);
    throw ToolError{kExitFile, "Cannot start Graphviz's dot program."};
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, input[1]);
  char* argv[] = {const_cast<char*>("dot"), const_cast<char*>("-Tsvg"), nullptr};
  pid_t pid = 0;
  int spawned = posix_spawnp(&pid, "dot", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(input[0]);
  close(output);
  if (spawned != 0) {
    close(input[1]);
    unlinkat(folder.fd(), temporary.c_str(), 0);
    throw ToolError{kExitFile, "Graphviz's dot program was not found; install the package graphviz."};
  }
  for (std::size_t done = 0; done < dot.size();) {
    ssize_t n = write(input[1], dot.data() + done, dot.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  close(input[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    unlinkat(folder.fd(), temporary.c_str(), 0);
    throw ToolError{kExitFile, "Graphviz's dot program could not write " + file + "."};
  }
  if (renameat(folder.fd(), temporary.c_str(), folder.fd(), name.c_str()) != 0) {
    int error = errno;
    unlinkat(folder.fd(), temporary.c_str(), 0);
    throw ToolError{kExitFile, WriteFailure(file, error)};
  }
}

}  // namespace

int RunGraph(const GraphOptions& options) {
  std::unique_ptr<quill::Library> library = OpenExistingLibrary(options.library);
  quill::LibraryStructures structures = ReadStructures(*library, "reading");
  std::optional<std::size_t> centre;
  std::set<std::size_t> shown;
  std::size_t leftOut = 0;
  if (!options.around.empty()) {
    centre = structures.find(options.around);
    if (!centre) throw ToolError{kExitNoSuchName, NotFoundMessage(options.library, options.around)};
    shown = Around(structures.all(), *centre, options.depth);
  } else {
    shown = Connected(structures.all());
    leftOut = structures.all().size() - shown.size();
  }
  std::string dot = DotText(structures.all(), shown, centre, leftOut);
  if (options.svgFile.empty())
    std::fwrite(dot.data(), 1, dot.size(), stdout);
  else
    WriteSvg(dot, options.svgFile);
  return kExitOk;
}

}  // namespace quill_lib
