// The idle-time check of the rows: debounce, worker thread, row marks and error panel.
#include "live_check.h"

#include <QThread>

#include <memory>

#include "frame_window.h"
#include "grid_view.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"

namespace desktop {

LiveCheck::LiveCheck(quill::Host& host, FrameWindow& frame, Report report)
    : host_(host), frame_(frame), report_(std::move(report)) {
  idle_.setSingleShot(true);
  idle_.setInterval(kIdleMilliseconds);
  connect(&idle_, &QTimer::timeout, this, &LiveCheck::start);
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
  if (worker_) {
    again_ = true;
    return;
  }
  quill::GridSheet* sheet = frame_.gridView()->sheet();
  quill::EditorSession* session = frame_.session();
  if (!sheet || !session) return;
  // The rows are read here, on the thread that owns the grid; the compile runs beside it.
  auto request = std::make_shared<quill::RowCheckRequest>(quill::RowCheckRequestFor(host_, *session, *sheet));
  auto result = std::make_shared<std::vector<quill::RowError>>();
  const std::string key = currentKey();
  worker_ = QThread::create([request, result] { *result = quill::CheckRows(*request); });
  connect(worker_, &QThread::finished, this, [this, result, key] {
    worker_->deleteLater();
    worker_ = nullptr;
    // A result for rows that have changed since is dropped; their own check follows.
    if (key == currentKey()) report_(*result);
    if (again_) {
      again_ = false;
      start();
    }
    emit checked();
  });
  worker_->start(QThread::LowPriority);
}

}  // namespace desktop
