// The wait cursor and status text that frame opening and saving.
#pragma once

#include "editor/window/editor_instance.h"

// Shows the wait cursor and status text statusId; returns the cursor to put back.
HCURSOR BeginLongOperation(EditorInstance* instance, UINT statusId);
// Puts back the cursor kept by BeginLongOperation and resets the status line.
void EndLongOperation(EditorInstance* instance, HCURSOR kept);
