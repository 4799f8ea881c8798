// Ctrl+F: finds a variable by name or type, next or previous, wrapping at the ends.
#pragma once

#include <QToolBar>

#include <cstdint>
#include <optional>
#include <string>

class QLineEdit;

namespace quill {
class GridSheet;
}

namespace desktop {

struct FoundCell {
  std::uint32_t row = 0;
  int column = 0;  // ColName when the name matched, ColType the type
  bool wrapped = false;
};

// The next row after `from` (or before it, backwards) whose name or type holds
// text, ignoring case; the search goes round the ends once. Empty text finds nothing.
std::optional<FoundCell> FindVariable(const quill::GridSheet& sheet, const std::string& text, std::uint32_t from,
                                      bool forward);

class FindBar : public QToolBar {
  Q_OBJECT
 public:
  explicit FindBar(QWidget* parent);
  // Shows the bar with its text selected, ready for typing.
  void start();
  QLineEdit* field() const { return field_; }

 signals:
  void findRequested(const QString& text, bool forward);
  void closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLineEdit* field_ = nullptr;
};

}  // namespace desktop
