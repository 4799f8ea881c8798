// The idle-time check of the rows: debounce, the rows read in parts, the library
// listed and the rows compiled on a worker thread, row marks and error panel.
#include "live_check.h"

#include <QThread>

#include <chrono>
#include <utility>

#include "frame_window.h"
#include "grid_view.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"
#include "quill/library.h"

namespace desktop {
namespace {

// How long one part of the read may hold the event loop, well under a frame.
constexpr auto kReadStep = std::chrono::milliseconds(4);
// A member line's usual length: a tab, a type, two tabs, a name of up to 15
// letters and the line end.
constexpr std::size_t kLineBytesReserved = 32;
// Rows read between looks at the clock.
constexpr std::uint32_t kRowsBetweenClockLooks = 256;

// The structures of a library; a library that cannot be read offers none (the
// check then says which types are unknown).
std::vector<std::string> LibraryStructures(const std::string& library) {
  std::vector<std::string> names;
  if (library.empty()) return names;
  std::string error;
  auto file = quill::Library::open(library, false, &error);
  if (!file) return names;
  for (quill::LibraryEntryInfo& entry : file->entries(&error)) names.push_back(std::move(entry.name));
  return names;
}

}  // namespace

LiveCheck::LiveCheck(quill::Host& host, FrameWindow& frame, Report report)
    : host_(host), frame_(frame), report_(std::move(report)) {
  idle_.setSingleShot(true);
  idle_.setInterval(kIdleMilliseconds);
  connect(&idle_, &QTimer::timeout, this, &LiveCheck::start);
  reader_.setInterval(0);
  connect(&reader_, &QTimer::timeout, this, &LiveCheck::readSome);
}

LiveCheck::~LiveCheck() {
  if (worker_) {
    worker_->wait();
    delete worker_;
  }
}

std::string LiveCheck::currentKey() const {
  quill::GridSheet* sheet = frame_.gridView()->sheet();
  quill::EditorSession* session = frame_.session();
  if (!sheet || !session) return {};
  // A save counts too: its own compile may have listed errors the check replaces.
  return std::to_string(sheet->contentGeneration()) + '\n' + std::to_string(session->savesSeen) + '\n' +
         host_.editorStructure(*session);
}

void LiveCheck::rowsMayHaveChanged() {
  std::string key = currentKey();
  if (key.empty() || key == scheduledKey_) return;
  scheduledKey_ = std::move(key);
  idle_.start();  // every change restarts the wait
}

void LiveCheck::start() {
  if (worker_ || reading_) {
    again_ = true;
    return;
  }
  quill::GridSheet* sheet = frame_.gridView()->sheet();
  if (!sheet || !frame_.session()) return;
  // The rows are read on the thread that owns the grid, a part per turn of the event loop.
  reading_ = std::make_shared<quill::RowCheckRequest>();
  // Room for lines of a usual length from the start: growing would copy them on
  // this thread, a stall at a million rows, and room never written costs nothing.
  reading_->lines.reserve(std::size_t{sheet->rowCount()} * kLineBytesReserved);
  reading_->rowOfLine.reserve(sheet->rowCount());
  readingKey_ = currentKey();
  nextRow_ = 1;
  reader_.start();
}

void LiveCheck::readSome() {
  quill::GridSheet* sheet = frame_.gridView()->sheet();
  quill::EditorSession* session = frame_.session();
  if (!sheet || !session || currentKey() != readingKey_) {
    // What was read is out of date: the check starts again for the rows as they are.
    reader_.stop();
    reading_.reset();
    if (std::exchange(again_, false))
      start();
    else
      rowsMayHaveChanged();
    return;
  }
  const std::uint32_t count = sheet->rowCount();
  const auto until = std::chrono::steady_clock::now() + kReadStep;
  while (nextRow_ <= count && std::chrono::steady_clock::now() < until) {
    const std::uint32_t last = std::min(count, nextRow_ + (kRowsBetweenClockLooks - 1));
    quill::ReadCheckedRows(*sheet, nextRow_, last, reading_.get());
    nextRow_ = last + 1;
  }
  if (nextRow_ <= count) return;
  reader_.stop();
  quill::CompleteCheckedRows(host_, *session, *sheet, reading_.get());
  // An owning object's local structures are the runtime's, read here; the library's on the worker.
  runWorker(quill::LocalStructuresFor(host_, *session), quill::TypeLibraryFor(host_, *session));
}

void LiveCheck::runWorker(std::vector<std::string> localStructures, std::string library) {
  auto result = std::make_shared<std::vector<quill::RowError>>();
  // The worker also frees the rows it was given: at a million rows that alone would hold the loop.
  worker_ = QThread::create([request = std::move(reading_), locals = std::move(localStructures),
                             library = std::move(library), result]() mutable {
    // The structures the types may name, as the type list offers them.
    request->knownStructures =
        quill::StructureNames(quill::TypeChoicesAmong(locals, LibraryStructures(library), request->structure));
    *result = quill::CheckRows(std::move(*request));
    request.reset();
  });
  connect(worker_, &QThread::finished, this, [this, result, key = readingKey_] {
    worker_->deleteLater();
    worker_ = nullptr;
    // A result for rows that have changed since is dropped; their own check follows.
    if (key == currentKey()) report_(std::move(*result));
    if (again_) {
      again_ = false;
      start();
    }
    emit checked();
  });
  worker_->start(QThread::LowPriority);
}

}  // namespace desktop
