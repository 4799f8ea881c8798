// The instance's pool strings (structure and library names) and bounded text composition.
#pragma once

#include <cstddef>

#include "editor/window/editor_instance.h"

// Frees *field into the instance's pool (when set) and clears it.
void FreePoolString(EditorInstance* instance, char** field);
// Replaces *field by a pool copy of text (null text or a failed copy leave it null).
void ReplacePoolString(EditorInstance* instance, char** field, const char* text);
// Copies text into buffer of bufferSize bytes, cutting it to fit; always terminates.
void CopyBounded(char* buffer, std::size_t bufferSize, const char* text);
// wsprintfA into buffer of bufferSize bytes, cut to fit and terminated whatever the
// arguments hold. Returns the length written.
int FormatBounded(char* buffer, std::size_t bufferSize, const char* format, ...);
