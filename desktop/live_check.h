// Errors as the user works: once the rows have stood still for a moment, the
// host's compiler checks them on a worker thread, nothing saved.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quill/row_check.h"

class QThread;

namespace quill {
class Host;
}

namespace desktop {

class FrameWindow;

class LiveCheck : public QObject {
  Q_OBJECT
 public:
  using Report = std::function<void(std::vector<quill::RowError>)>;
  LiveCheck(quill::Host& host, FrameWindow& frame, Report report);
  ~LiveCheck() override;  // waits for a check under way

  // The rows or the structure's name may have changed: check them once the user
  // pauses. Cheap when nothing changed, so it may be called after every event.
  void rowsMayHaveChanged();
  // How long the rows must stand still before they are checked.
  static constexpr int kIdleMilliseconds = 400;

 signals:
  // A check ended and its result, when still current, was reported.
  void checked();

 private:
  // The rows and name as they stand now, to tell a stale result from a current one.
  std::string currentKey() const;
  void start();
  // Reads the next rows for the check; after the last, hands the check to a worker.
  void readSome();
  // Compiles the rows read on a worker thread, which also lists the library's
  // structures the types may name: that listing reads the whole library file.
  void runWorker(std::vector<std::string> localStructures, std::string library);

  quill::Host& host_;
  FrameWindow& frame_;
  Report report_;
  QTimer idle_;
  // A long grid is read a part at a time, each short enough not to delay a
  // keystroke; the rows changing on the way ends the read.
  QTimer reader_;
  std::shared_ptr<quill::RowCheckRequest> reading_;
  std::string readingKey_;
  std::uint32_t nextRow_ = 0;
  QThread* worker_ = nullptr;
  std::string scheduledKey_;  // what the idle timer will check
  bool again_ = false;        // the rows changed while a check ran
};

}  // namespace desktop
