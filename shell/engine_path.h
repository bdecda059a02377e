// The engine's path: a folder name that scripts set with the engine method
// "setpath" and that the animation editor offers in its path field. It is
// empty until a script sets it; it lives for the whole program.
#pragma once

// Never null; "" until set.
const char* GetEnginePath();
// Null counts as "".
void SetEnginePath(const char* path);
