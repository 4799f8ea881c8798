// What the GUI tests do to an editor's grid: make a structure, read its cells,
// click one, read the completion list.
#pragma once

#include <QApplication>
#include <QTest>

#include "application.h"
#include "frame_window.h"
#include "grid_view.h"
#include "gui_events.h"
#include "quill/grid_sheet.h"
#include "type_completion.h"

namespace gui {

// A new untitled structure in a frame of a known size, the open dialog answered New.
inline desktop::FrameWindow* NewStructure(desktop::Application& app) {
  WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("New")); });
  desktop::FrameWindow* frame = app.newGlobalEditor();
  if (frame) {
    frame->resize(700, 420);
    QApplication::processEvents();
  }
  return frame;
}

inline quill::GridSheet& Sheet(desktop::FrameWindow* frame) { return *frame->gridView()->sheet(); }

inline void ClickCell(desktop::FrameWindow* frame, std::uint32_t row, int column, Qt::KeyboardModifiers mods = {}) {
  desktop::GridView* view = frame->gridView();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, mods, view->cellRect(row, column).center());
}

// The entries of the completion list while it shows.
inline QStringList Offered(desktop::FrameWindow* frame) {
  QStringList labels;
  desktop::TypeCompletion* list = frame->gridView()->typeCompletion();
  if (list->isVisible())
    for (int i = 0; i < list->count(); ++i) labels << list->item(i)->text();
  return labels;
}

}  // namespace gui
