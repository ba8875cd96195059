#pragma once

#include "library/StringList.h"

#include <string>

// The helpers of the program that need no window.
namespace zolvera::library {

// Clears the list, then adds the name of every entry matching the mask ("folder/*.jpg"),
// in name order (platform::listByMask), except names that are "init.jpg" in any letter
// case. Folders, hidden entries and, for "*.*", "." and ".." count like files.
void ListPictureFiles(const std::string& maskPath, StringList& list);

// Field n (from 1) of a text split at the separator: the text between the (n-1)-th and the
// n-th separator. Below 1 or beyond the last field gives "". Nothing is trimmed.
std::string GetField(const std::string& text, char separator, int fieldNumber);

} // namespace zolvera::library
