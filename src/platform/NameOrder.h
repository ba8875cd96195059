#pragma once

#include <string>
#include <vector>

// The order in which the Windows file system enumerates a folder: names compared as UTF-16
// code units after each unit is upper-cased on its own (an ordinal comparison, not a locale's
// collation), so "kep10.jpg" comes before "kep2.jpg" and "Zebra" before "ábra". Linux file
// systems enumerate in an order of their own (ext4 by the names' hashes), so every listing of
// a folder is put into this order.
namespace zolvera::platform {

// Sorts the names into that order. Names equal but for letter case, which Windows cannot hold
// side by side, follow each other in the order of their bytes; a byte that is not UTF-8 counts
// as a code unit of its own after every character.
void sortInNameOrder(std::vector<std::string>& names);
// The same for a part of a list.
void sortInNameOrder(std::vector<std::string>::iterator first,
                     std::vector<std::string>::iterator last);

} // namespace zolvera::platform
