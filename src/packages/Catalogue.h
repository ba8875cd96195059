#pragma once

#include "library/StringList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The package catalogue a maker publishes: one line per package, TAB-separated fields
// name, link and size. Windows-1250 bytes in the file, UTF-8 in memory.
namespace zolvera::packages {

inline constexpr std::string_view kCatalogueServerPath = "/zolvera.txt";

struct CatalogueEntry {
    std::string name;
    std::string link;
    std::string size;
};

// A catalogue line longer than this many bytes is no package's entry: it is skipped, so that it
// can neither hold up the dialog nor be drawn as a tall block.
inline constexpr std::size_t kMaxCatalogueLine = 4096;

// Every line of the catalogue file is an entry, blank lines included (CR LF, LF or CR ends a
// line; a last line may lack its end), except lines over kMaxCatalogueLine bytes. Fields are
// taken with GetField, neither trimmed nor unquoted. Throws "Cannot open file "%s". %s" when
// the file cannot be read.
std::vector<CatalogueEntry> readCatalogue(const std::string& path);

// The rows to list: entries whose name is no group of the library, compared without regard to
// case in the user's locale, in the locale's case-sensitive order (entries that compare equal
// keep their order in the file).
std::vector<CatalogueEntry> catalogueRows(std::vector<CatalogueEntry> entries,
                                          const library::StringList& groups);

// The size as the progress maximum: a whole number from 0 to 2^31-1 in decimal digits.
// Throws a Failure for anything else (a missing size included).
std::int32_t packageSize(const std::string& size);

// The file name a link is downloaded to: the part after its last "/" or ":" (the whole link
// when it holds neither), nothing decoded or removed. Nothing when that is not one plain file
// name: empty, "." or "..", or holding a backslash or a control character.
std::optional<std::string> downloadName(const std::string& link);

// The catalogue file's bytes for entries: name TAB link TAB size CR LF per entry, in
// Windows-1250. Throws a Failure naming a text the code page cannot hold, or one holding a
// TAB or a line break.
std::string catalogueBytes(const std::vector<CatalogueEntry>& entries);

// The entries for the packages (*.dta) of a folder, in the order of their file names: each
// package's group name, baseUrl + "/" + its percent-encoded file name, and its size in bytes.
// The name's own bytes are encoded, as a web server maps a decoded path back to a file name.
// Throws a Failure naming the folder, or the package whose size or group name cannot be read.
std::vector<CatalogueEntry> catalogueOfFolder(const std::string& folder,
                                              const std::string& baseUrl);

} // namespace zolvera::packages
