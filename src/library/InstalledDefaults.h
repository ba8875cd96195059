#pragma once

#include <string>
#include <string_view>

namespace zolvera::library {

// The record, in a per-user library, of what it took from the installed defaults.
inline constexpr char kDefaultsRecordName[] = ".zolvera-defaults";

// Brings a per-user library made from the installed defaults up to date at a start:
// - each help document (zolvera.pdf, and zolvera_<language>.pdf in the other languages) is
//   replaced by the installed one when that is of a newer version and the library's copy is
//   still the one it was given (same size and modification time); a document the user replaced
//   is never touched, a missing one is put back;
// - templates the defaults gained since the library last saw them are added; the ones it has
//   seen, the user's own and the ones the user deleted stay as they are.
// A library without a record (just made, or made by an older program) takes the defaults as
// seen. Its help documents count as the user's unless the library was just made (fresh) or a
// Zolvera build wrote them as they are (isBuiltHelpDocument): those an older program gave are
// replaced by the installed ones.
// Nothing is ever deleted; failures leave the library as it was.
void updateFromDefaults(const std::string& defaults, const std::string& folder,
                        std::string_view version, bool fresh);

// True when the dotted version a is newer than b ("0.10" is newer than "0.9").
bool isNewerVersion(std::string_view a, std::string_view b);

} // namespace zolvera::library
