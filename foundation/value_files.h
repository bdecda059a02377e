// Files that hold one value as text: what script values are saved to and
// loaded from. A load with a default creates a missing file holding it.
// Every save replaces the file through a temporary file.
#pragma once

#include "foundation/dd_string.h"

// Writes the text as the whole file; false when it could not be written.
bool SaveTextFile(const char* text, const char* path);
// out := the whole file; a missing file gives the default and is created.
void LoadTextFile(ddString& out, const char* path, const char* def);

bool SaveFloatFile(float value, const char* path);  // "%f"
bool SaveIntFile(int value, const char* path);      // "%d"

// One number read from the file; a missing file gives the default and is
// created holding it. A file that holds no number also gives the default
// (the file is left as it is).
void LoadFloatFile(float& out, const char* path, float def);
void LoadIntFile(int& out, const char* path, int def);

// The same reads without a default: 0 when the file cannot be read or holds
// no number; nothing is written.
void ReadFloatFile(float& out, const char* path);
void ReadIntFile(int& out, const char* path);

// Keeps the largest value given: saves `value` when the stored int (0 for a
// missing file) is below it.
void RaiseIntFile(int value, const char* path);
