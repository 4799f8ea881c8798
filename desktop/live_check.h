// Errors as the user works: once the rows have stood still for a moment, the
// host's compiler checks them on a worker thread, nothing saved.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
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
  using Report = std::function<void(const std::vector<quill::RowError>&)>;
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

  quill::Host& host_;
  FrameWindow& frame_;
  Report report_;
  QTimer idle_;
  QThread* worker_ = nullptr;
  std::string scheduledKey_;  // what the idle timer will check
  bool again_ = false;        // the rows changed while a check ran
};

}  // namespace desktop
