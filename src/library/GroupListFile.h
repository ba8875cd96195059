#pragma once

#include "library/StringList.h"
#include "platform/FolderLock.h"

#include <functional>
#include <string>

// The group list file: one group name per line, Windows-1250 bytes on disk, UTF-8 in memory.
namespace zolvera::library {

// Reads the whole file. Lines end at CR, LF or CR LF; a last line without an end counts; a NUL
// byte ends the text. Lines are kept exactly, blanks, empty lines and duplicates included.
// Throws "Cannot open file "%s". %s" when the file is missing or cannot be read.
StringList loadGroupList(const std::string& path);

// Writes every name followed by CR LF (an empty list gives an empty file), replacing the file
// atomically. Throws "Cannot create file "%s". %s" when it cannot be written, or when a name
// could not be read back as the same single line (a character Windows-1250 lacks, a line
// break or a NUL byte); the file is then unchanged.
void saveGroupList(const std::string& path, const StringList& list);

// Changes the file as it stands on disk, never writing back an older copy: under the lock of
// its folder, reads it (a missing file is an empty list), lets change edit the list and writes
// the result, as saveGroupList does, when its bytes differ from the file's. Returns the list as
// written. Throws as saveGroupList does, LibraryBusy when the waiting for a lock held elsewhere
// was given up (see `wait`), or "Cannot create file "%s". %s" when the folder cannot be
// locked; the file is then unchanged.
StringList updateGroupList(const std::string& path, const std::function<void(StringList&)>& change,
                           const platform::LockWait& wait = {});

} // namespace zolvera::library
