#pragma once

#include <string>
#include <string_view>
#include <vector>

// File system operations with the results a Windows program expects: names are matched
// without regard to letter case (Unicode case folding), masks use * and ?, and the calls
// report success as a boolean instead of throwing.
namespace zolvera::platform {

// The separator used when the program joins paths by plain concatenation.
inline constexpr char kSeparator = '/';

// Resolves each component of an absolute or relative path: the exact name when it exists,
// otherwise the directory entry equal to it without regard to case. When several entries
// match a component only by case, the first one in byte order of the names wins, so the
// choice is stable. Components that match nothing are kept as written, and so is the rest.
std::string resolve(const std::string& path);

// True when the path names a folder (a file of that name does not count).
bool folderExists(const std::string& path);
// True when the path names anything that is not a folder.
bool fileExists(const std::string& path);

// What the path names itself, a symbolic link not followed.
enum class EntryKind { Missing, File, Folder, Link, Other };
EntryKind entryKind(const std::string& path);
// The same for the path exactly as written, for a path already resolved.
EntryKind entryKindAsWritten(const std::string& path);

// Creates one folder level. Fails when the name exists in any letter case or the parent is
// missing.
[[nodiscard]] bool createFolder(const std::string& path);
// Removes an empty folder.
[[nodiscard]] bool removeFolder(const std::string& path);
// Deletes a file (never a folder).
[[nodiscard]] bool deleteFile(const std::string& path);
// Copies a file byte for byte, replacing an existing target of any letter case; the copy
// keeps the source's modification time. Fails when source and target are the same file. The
// copy is put in place only when complete, so a failed copy leaves the target as it was.
[[nodiscard]] bool copyFile(const std::string& source, const std::string& target);
// Renames without replacing: fails when the target exists in any letter case, except when it
// is the source itself, so that only the letter case of a name can be changed.
[[nodiscard]] bool renameFile(const std::string& from, const std::string& to);

// The entries of a folder that match a mask, given as "folder/mask", in the order Windows
// enumerates them (NameOrder.h), whatever order this file system keeps. Hidden entries count; for
// masks that match them ("*.*", "*"), "." and ".." come first, as on Windows. A mask without a
// folder part lists the working folder. A missing folder yields nothing.
[[nodiscard]] std::vector<std::string> listByMask(const std::string& maskPath);

// True when a name matches a mask of * and ? without regard to case (? is one character, not
// one byte). A mask ending in ".*" also matches the name without that ending, so "*.*" matches
// every name, dotted or not. Unlike on Windows, "*.jpg" never matches "x.jpeg" through a short
// 8.3 name.
bool matchesMask(std::string_view name, std::string_view mask);

// The part of a path after its last separator (the whole path when it holds none).
std::string fileNamePart(std::string_view path);
// The part of a path before its last separator: "." when it holds none, "/" for a name in the
// root folder.
std::string folderPart(std::string_view path);

} // namespace zolvera::platform
