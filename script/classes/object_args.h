// Arguments of the built-in script classes that name objects or carry text.
#pragma once

#include <string>

class Obraz;

// Pops a name and returns the visible object it designates, or null when
// the object is of another kind. An unknown name ends the program with
// "no such var:" when `unknownIsFatal`, else it gives null.
Obraz* PopVisibleObject(bool unknownIsFatal);

// Pops a text argument as an owned string ("" for none).
std::string PopText();
