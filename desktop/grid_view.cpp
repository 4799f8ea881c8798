// Painting the grid's visible rows and handing keys and mouse to the grid engine.
#include "grid_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "frame_window.h"
#include "grid_accessibility.h"
#include "qst/grid_engine.h"
#include "qt_front_end.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"
#include "type_completion.h"
#include "window_placement.h"

namespace desktop {
namespace {

constexpr int kMinColumnWidth = 16;
constexpr int kBorderGrip = 4;  // pixels either side of a header border that start a resize
const QString kWidthsKey = QStringLiteral("grid/columnWidths");

QString EditText(quill::GridSheet& sheet) {
  char text[512] = {};
  GetWindowTextA(sheet.editControl(), text, sizeof text);
  return QString::fromLatin1(text);
}

QString CellDisplay(quill::GridSheet& sheet, std::uint32_t row, int column) {
  if (IsNumberColumn(column)) {
    auto number = sheet.cellNumber(row, column);
    return number ? QString::number(*number, 'g', 15) : QString();
  }
  return QString::fromLatin1(sheet.cellText(row, column));
}

// WCAG's relative luminance and contrast ratio of two colours.
double Luminance(const QColor& colour) {
  const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The error mark's red, darkened on a light background and lightened on a dark
// one until it stands out as text would: whatever the theme, never a fixed colour.
QColor MarkColour(const QColor& background) {
  const QColor red(200, 30, 30);
  const QColor towards = Luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
  QColor colour = red;
  for (int step = 1; step <= 20 && Contrast(colour, background) < 4.5; ++step) {
    const double t = step / 20.0;
    colour = QColor::fromRgbF(red.redF() + (towards.redF() - red.redF()) * t,
                              red.greenF() + (towards.greenF() - red.greenF()) * t,
                              red.blueF() + (towards.blueF() - red.blueF()) * t);
  }
  return colour;
}

// The errors of one row, in errors sorted by row.
auto ErrorsOfRow(const std::vector<quill::RowError>& errors, std::uint32_t row) {
  struct ByRow {
    bool operator()(const quill::RowError& e, std::uint32_t r) const { return e.row < r; }
    bool operator()(std::uint32_t r, const quill::RowError& e) const { return r < e.row; }
  };
  return std::equal_range(errors.begin(), errors.end(), row, ByRow{});
}

}  // namespace

GridView::GridView(QtFrontEnd& frontEnd, FrameWindow& frame, HWND grid)
    : frontEnd_(frontEnd), frame_(frame), grid_(grid) {
  InstallGridAccessibility();
  setAccessibleName(QStringLiteral("Variables"));
  setAccessibleDescription(QStringLiteral("Name, type and decimal positions of each variable"));
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
  setContextMenuPolicy(Qt::PreventContextMenu);  // the right button opens the Edit menu on press
  viewport()->setMouseTracking(true);            // the resize cursor over header borders
  loadColumnWidths();
  completion_ = new TypeCompletion(viewport());
  connect(completion_, &TypeCompletion::picked, this, [this](const QString& name) {
    typeChosen(name);
    afterInput();
    setFocus();
  });
}

// The setting holds the edited columns' widths, left to right, separated by commas.
void GridView::loadColumnWidths() {
  const QStringList widths = LayoutSettings().value(kWidthsKey).toString().split(QLatin1Char(','));
  qsizetype next = 0;
  for (const GridColumnInfo& c : kGridColumns) {
    if (!c.editable) continue;
    if (next == widths.size()) break;
    userWidths_[c.id] = std::max(0, widths[next++].toInt());
  }
}

void GridView::saveColumnWidths() const {
  QStringList widths;
  for (const GridColumnInfo& c : kGridColumns)
    if (c.editable) widths << QString::number(userWidths_[c.id]);
  QSettings settings = LayoutSettings();
  settings.setValue(kWidthsKey, widths.join(QLatin1Char(',')));
}

quill::GridSheet* GridView::sheet() const { return quill::GridSheet::fromWindow(grid_); }

QString GridView::columnTitle(int column) {
  return IsShownColumn(column) ? QString::fromLatin1(GridColumnAt(column).title) : QString();
}

QString GridView::cellDisplay(std::uint32_t row, int column) const {
  auto* s = sheet();
  if (!s || row == 0 || row > s->rowCount()) return {};
  return s->currentRow() == row && s->currentColumn() == column ? EditText(*s) : CellDisplay(*s, row, column);
}

bool GridView::isEntryRow(std::uint32_t row) const {
  auto* s = sheet();
  return s && row != 0 && row <= s->rowCount() && s->cellText(row, ColMarker) == kEntryRowMarker;
}

bool GridView::rowInView(std::uint32_t row) const {
  const std::uint32_t first = firstVisibleRow();
  return row >= first && row < first + static_cast<std::uint32_t>(visibleRows());
}

int GridView::rowHeight() const { return quill::kGridDetailHeight; }
int GridView::headerHeight() const { return quill::kGridHeaderHeight; }

int GridView::editorWidth(int column) const {
  std::string value = sheet()->property(std::string(GridColumnAt(column).object) + ".width");
  return value.empty() ? 0 : std::max(0, std::atoi(value.c_str()));
}

int GridView::preferredWidth(int column) const {
  return userWidths_[column] > 0 ? userWidths_[column] : std::max(kMinColumnWidth, editorWidth(column));
}

std::array<int, kGridColumnCount> GridView::columnWidths() const {
  std::array<int, kGridColumnCount> widths{};
  auto* s = sheet();
  if (!s) return widths;
  // The row header holds the error mark, the current-row mark and the largest row number.
  const int indicator =
      std::max(editorWidth(ColRowIndicator), fontMetrics().horizontalAdvance(QString::number(s->rowCount())) + 30);
  widths[ColRowIndicator] = indicator;
  // An edited column the editor gives no share of its spare width (Dec) keeps its
  // width in view; those with a share (Name, Type) share the rest in the ratio of
  // the widths they were given. Only a window too narrow for all of them scrolls.
  int sharing = 0;
  long long givenTotal = 0;
  for (const GridColumnInfo& c : kGridColumns) {
    if (!c.editable || c.extraShare == 0) continue;
    ++sharing;
    givenTotal += preferredWidth(c.id);
  }
  int room = viewport()->width() - indicator;
  for (const GridColumnInfo& c : kGridColumns) {
    if (!c.editable || c.extraShare > 0) continue;
    widths[c.id] =
        std::clamp(preferredWidth(c.id), kMinColumnWidth, std::max(kMinColumnWidth, room - sharing * kMinColumnWidth));
    room -= widths[c.id];
  }
  int rest = std::max(sharing * kMinColumnWidth, room);
  for (const GridColumnInfo& c : kGridColumns) {
    if (!c.editable || c.extraShare == 0) continue;
    const int given = preferredWidth(c.id);
    // The last sharing column takes what is left.
    widths[c.id] = --sharing == 0 ? rest
                                  : std::clamp(static_cast<int>(rest * static_cast<long long>(given) / givenTotal),
                                               kMinColumnWidth, rest - sharing * kMinColumnWidth);
    rest -= widths[c.id];
    givenTotal -= given;
  }
  return widths;
}

int GridView::visibleRows() const { return std::max(1, (viewport()->height() - headerHeight()) / rowHeight()); }

int GridView::columnBorderAt(int x) const {
  int right = -horizontalScrollBar()->value();
  const auto widths = columnWidths();
  for (const GridColumnInfo& c : kGridColumns) {
    if (!IsShownColumn(c.id)) continue;
    right += widths[c.id];
    if (c.editable && std::abs(x - right) <= kBorderGrip) return c.id;
  }
  return ColRowIndicator;
}

int GridView::firstVisibleRow() const { return verticalScrollBar()->value() + 1; }

QRect GridView::cellRect(std::uint32_t row, int column) const {
  const auto widths = columnWidths();
  int x = -horizontalScrollBar()->value();
  for (int c = 0; c < column && c < kGridColumnCount; ++c) x += IsShownColumn(c) ? widths[c] : 0;
  const int y = headerHeight() + (static_cast<int>(row) - firstVisibleRow()) * rowHeight();
  return QRect(x, y, IsShownColumn(column) ? widths[column] : 0, rowHeight());
}

std::pair<std::string, std::uint32_t> GridView::objectAt(QPoint point) const {
  auto* s = sheet();
  if (!s || point.y() < headerHeight()) return {"", 0};
  const std::uint32_t row = firstVisibleRow() + (point.y() - headerHeight()) / rowHeight();
  if (row == 0 || row > s->rowCount()) return {"", 0};
  int x = point.x() + horizontalScrollBar()->value();
  const auto widths = columnWidths();
  for (const GridColumnInfo& c : kGridColumns) {
    if (!IsShownColumn(c.id)) continue;
    if (x < widths[c.id]) return {c.object, row};
    x -= widths[c.id];
  }
  return {"", 0};
}

void GridView::updateScrollRange() {
  auto* s = sheet();
  const int rows = s ? static_cast<int>(s->rowCount()) : 0;
  const int visible = std::max(1, (viewport()->height() - headerHeight()) / rowHeight());
  verticalScrollBar()->setRange(0, std::max(0, rows - visible));
  verticalScrollBar()->setPageStep(visible);
  int total = 0;
  for (int width : columnWidths()) total += width;
  horizontalScrollBar()->setRange(0, std::max(0, total - viewport()->width()));
}

void GridView::gridChanged() {
  updateScrollRange();
  if (auto* s = sheet();
      completion_->isVisible() && (!s || s->currentRow() != completionRow_ || s->currentColumn() != ColType))
    completion_->hide();
  if (auto* s = sheet(); s && s->currentRow() != 0) {
    const int current = static_cast<int>(s->currentRow());
    const int visible = std::max(1, (viewport()->height() - headerHeight()) / rowHeight());
    const int first = firstVisibleRow();
    if (current < first)
      verticalScrollBar()->setValue(current - 1);
    else if (current >= first + visible)
      verticalScrollBar()->setValue(current - visible);
  }
  viewport()->update();
  announcer_.update();
}

void GridView::setRowErrors(std::vector<quill::RowError> errors) {
  const auto byRow = [](const quill::RowError& a, const quill::RowError& b) { return a.row < b.row; };
  if (!std::is_sorted(errors.begin(), errors.end(), byRow)) std::stable_sort(errors.begin(), errors.end(), byRow);
  rowErrors_ = std::move(errors);
  viewport()->update();
  announcer_.errorsChanged();
}

bool GridView::hasError(std::uint32_t row) const {
  const auto [first, last] = ErrorsOfRow(rowErrors_, row);
  return row != 0 && first != last;
}

QString GridView::errorText(std::uint32_t row) const {
  QString text;
  if (row == 0) return text;
  const auto [first, last] = ErrorsOfRow(rowErrors_, row);
  for (auto error = first; error != last; ++error) {
    if (!text.isEmpty()) text += QLatin1Char('\n');
    text += QString::fromStdString(error->message);
  }
  return text;
}

bool GridView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const auto row = objectAt(help->pos()).second;
  if (hasError(row))
    QToolTip::showText(help->globalPos(), errorText(row), viewport());
  else
    QToolTip::hideText();
  return true;
}

void GridView::goTo(std::uint32_t row, int column) {
  auto* s = sheet();
  if (!s || row == 0 || row > s->rowCount()) return;
  s->userSetCurrentCell(row, column);
  afterInput();
}

void GridView::showVariable(const QString& name) {
  auto* s = sheet();
  if (!s) return;
  for (std::uint32_t row = 1; row <= s->rowCount(); ++row) {
    if (QString::fromLatin1(s->cellText(row, ColName)) == name) {
      s->userSetCurrentCell(row, ColName);
      afterInput();
      setFocus();
      return;
    }
  }
}

void GridView::paintCell(QPainter& painter, std::uint32_t row, int column, const QRect& rect) {
  auto& s = *sheet();
  const bool selected = s.isSelected(row);
  painter.fillRect(rect, selected ? palette().highlight() : palette().base());
  painter.setPen(palette().mid().color());
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  const bool current = s.currentRow() == row && s.currentColumn() == column;
  if (current) {
    // The cell being edited shows the edit control's text, selection and caret.
    DWORD start = 0, end = 0;
    SendMessageA(s.editControl(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const QString value = EditText(s);
    painter.fillRect(rect.adjusted(1, 1, -1, -1), palette().base());
    const QFontMetrics fm = painter.fontMetrics();
    const int x0 = rect.left() + 4;
    const int selX1 = x0 + fm.horizontalAdvance(value.left(static_cast<int>(start)));
    const int selX2 = x0 + fm.horizontalAdvance(value.left(static_cast<int>(end)));
    if (end > start)
      painter.fillRect(QRect(selX1, rect.top() + 2, selX2 - selX1, rect.height() - 4), palette().highlight());
    painter.setPen(palette().text().color());
    painter.drawText(rect.adjusted(4, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, value);
    if (end > start) {
      // The selected characters in the selection's own text colour, readable on any theme.
      painter.save();
      painter.setClipRect(QRect(selX1, rect.top(), selX2 - selX1, rect.height()));
      painter.setPen(palette().highlightedText().color());
      painter.drawText(rect.adjusted(4, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, value);
      painter.restore();
    }
    if (hasFocus()) painter.drawLine(selX2, rect.top() + 3, selX2, rect.bottom() - 3);
    painter.setPen(QPen(palette().highlight().color(), 2));
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
    return;
  }
  painter.setPen(selected ? palette().highlightedText().color() : palette().text().color());
  painter.drawText(rect.adjusted(4, 0, -2, 0),
                   Qt::AlignVCenter | (IsNumberColumn(column) ? Qt::AlignRight : Qt::AlignLeft),
                   CellDisplay(s, row, column));
}

void GridView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().window());
  auto* s = sheet();
  if (!s) return;
  // Header band.
  for (const GridColumnInfo& c : kGridColumns) {
    if (!IsShownColumn(c.id)) continue;
    QRect rect = cellRect(1, c.id);
    rect.moveTop(0);
    rect.setHeight(headerHeight());
    painter.fillRect(rect, palette().button());
    painter.setPen(palette().mid().color());
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setPen(palette().buttonText().color());
    painter.drawText(rect.adjusted(4, 0, 0, 0), Qt::AlignVCenter, QString::fromLatin1(c.title));
  }
  const std::uint32_t first = firstVisibleRow();
  const std::uint32_t count = s->rowCount();
  for (std::uint32_t row = first; row <= count; ++row) {
    QRect indicator = cellRect(row, ColRowIndicator);
    if (indicator.top() > viewport()->height()) break;
    const QBrush headerBackground = s->isSelected(row) ? palette().highlight() : palette().button();
    painter.fillRect(indicator, headerBackground);
    painter.setPen(palette().mid().color());
    painter.drawRect(indicator.adjusted(0, 0, -1, -1));
    painter.setPen(s->isSelected(row) ? palette().highlightedText().color() : palette().buttonText().color());
    const bool error = hasError(row);
    if (s->currentRow() == row)
      painter.drawText(indicator.adjusted(error ? 15 : 3, 0, 0, 0), Qt::AlignVCenter, QStringLiteral("\u25B8"));
    if (error) {
      // The error mark: a red disc at the header's left edge, the row's tooltip saying why.
      painter.save();
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(Qt::NoPen);
      painter.setBrush(MarkColour(headerBackground.color()));
      const int d = rowHeight() / 2;
      painter.drawEllipse(QRect(indicator.left() + 3, indicator.center().y() - d / 2, d, d));
      painter.restore();
    }
    painter.drawText(indicator.adjusted(0, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight, QString::number(row));
    for (const GridColumnInfo& c : kGridColumns)
      if (c.editable) paintCell(painter, row, c.id, cellRect(row, c.id));
  }
  // The drop line, placed by the editor from row 1; shown relative to the rows in view.
  if (s->property("dragline.visible") == "TRUE") {
    const int y = std::atoi(s->property("dragline.y1").c_str()) - (firstVisibleRow() - 1) * rowHeight();
    painter.setPen(QPen(palette().highlight().color(), 2));
    painter.drawLine(0, y, viewport()->width(), y);
  }
}

void GridView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  // The platform frame takes the size of the grid area: the editor lays out its columns on WM_SIZE.
  SetWindowPos(frame_.frame(), HWND_TOP, 0, 0, viewport()->width(), viewport()->height(), SWP_NOMOVE | SWP_NOZORDER);
  // No pump here: a resize can come while Qt is showing the window's children, and a
  // posted command may open a dialog; the front end pumps once the event is done.
  gridChanged();
}

bool GridView::focusNextPrevChild(bool) { return false; }  // Tab moves between cells

void GridView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  announcer_.focusIn();
}

void GridView::afterInput() {
  frontEnd_.pump();
  frontEnd_.setEventModifiers(-1);
  // The input may have closed the editor, and this view with it.
  if (!FrameWindow::ofFrame(frame_.frame())) return;
  gridChanged();
  frame_.syncCommandStates();
}

void GridView::showEditMenu(QPoint at) { frame_.showEditMenu(viewport()->mapToGlobal(at)); }

void GridView::mousePressEvent(QMouseEvent* event) {
  auto* s = sheet();
  if (!s) return;
  const QPoint point = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    setFocus();
    completion_->hide();
    // The menu's commands act where the button was pressed: on an unselected row a
    // left click's press selects its header or makes its cell current; within the
    // selection the cell becomes current and the selection stays for the commands.
    auto [object, row] = objectAt(point);
    if (row != 0) {
      const int column = GridColumnOfObject(object);
      frontEnd_.setEventModifiers(Qt::NoModifier);
      if (!s->isSelected(row)) {
        s->userMousePress(object, row);
        s->userMouseRelease(object, row);
      } else if (IsEditableColumn(column)) {
        s->userSetCurrentCell(row, column);
      }
      afterInput();
    }
    showEditMenu(point);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  setFocus();
  completion_->hide();
  if (point.y() < headerHeight()) {
    if ((resizing_ = columnBorderAt(point.x())) != ColRowIndicator) {
      resizeFromX_ = point.x();
      resizeFrom_ = columnWidths();
    }
    return;
  }
  frontEnd_.setEventModifiers(static_cast<int>(event->modifiers()));
  auto [object, row] = objectAt(event->position().toPoint());
  dragging_ = true;
  s->userMousePress(object, row);
  afterInput();
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  auto* s = sheet();
  const QPoint point = event->position().toPoint();
  if (resizing_ != ColRowIndicator) {
    resizeColumn(point.x() - resizeFromX_);
    return;
  }
  const bool overBorder = point.y() < headerHeight() && columnBorderAt(point.x()) != ColRowIndicator;
  viewport()->setCursor(overBorder ? Qt::SplitHCursor : Qt::ArrowCursor);
  if (!s || !dragging_) return;
  auto [object, row] = objectAt(event->position().toPoint());
  s->userMouseMove(object, row);
  afterInput();
}

// A border follows the pointer and the column right of it gives or takes the
// difference, so Dec stays in view; Dec's own border takes from Name and Type.
void GridView::resizeColumn(int delta) {
  std::array<int, kGridColumnCount> widths = resizeFrom_;
  if (resizing_ == kLastDataColumn) {
    widths[kLastDataColumn] = std::max(kMinColumnWidth, widths[kLastDataColumn] + delta);
  } else {
    delta = std::clamp(delta, kMinColumnWidth - widths[resizing_], widths[resizing_ + 1] - kMinColumnWidth);
    widths[resizing_] += delta;
    widths[resizing_ + 1] -= delta;
  }
  for (const GridColumnInfo& c : kGridColumns)
    if (c.editable) userWidths_[c.id] = widths[c.id];
  updateScrollRange();
  viewport()->update();
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  auto* s = sheet();
  if (!s || event->button() != Qt::LeftButton) return;
  if (resizing_ != ColRowIndicator) {
    resizing_ = ColRowIndicator;
    saveColumnWidths();
    return;
  }
  dragging_ = false;
  auto [object, row] = objectAt(event->position().toPoint());
  s->userMouseRelease(object, row);
  afterInput();
}

}  // namespace desktop
