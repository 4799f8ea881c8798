// The editor's own copy of the row text its last row Cut, Clear, Delete Row or
// Paste took or gave, so that undoing and redoing them never depends on what
// the clipboard holds by then.
#pragma once
#include "editor/window/editor_instance.h"

// Makes copy (a pool block of this editor's pool, or null) the editor's undo
// copy; the previous copy is freed.
void KeepUndoText(EditorInstance* instance, char* copy);
// Frees the undo copy and the rows recorded with it (cutRowList): at New, at
// Open and when the editor closes, nothing of the structure put away remains.
void ForgetUndoCopy(EditorInstance* instance);
// Frees the cut-row list (cutRowList) alone.
void ForgetCutRowList(EditorInstance* instance);
// Replaces the cut-row list by a new one for count rows (its first word count,
// the rows to be filled in by the caller); null when memory ran out.
std::uint32_t* NewCutRowList(EditorInstance* instance, std::uint32_t count);
// Takes the cut-row list out of the record; the caller holds the block until it
// frees it or gives it back with RestoreCutRowList.
std::uint32_t* TakeCutRowList(EditorInstance* instance);
// Puts back a list taken with TakeCutRowList; the one there now is freed.
void RestoreCutRowList(EditorInstance* instance, std::uint32_t* list);
