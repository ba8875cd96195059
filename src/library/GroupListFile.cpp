#include "library/GroupListFile.h"

#include "library/LibraryLock.h"
#include "platform/CodePage.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace zolvera::library {

namespace {

StringList groupListOf(std::string bytes) {
    if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos)
        bytes.resize(nul);
    // CR and LF are the same bytes in both encodings, so the text is split after converting.
    return textLines(platform::ansiToUtf8(bytes));
}

std::string groupListBytes(const std::string& path, const StringList& list) {
    std::string text;
    for (const std::string& name : list.items()) {
        // A line break or NUL inside a name would split it or cut off the groups after it.
        if (name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            throw failures::cannotCreateFile(path, "The group name \"" + name +
                                                       "\" holds a line break or a NUL character");
        text += name;
        text += "\r\n";
    }
    // One conversion for the whole list rather than a converter made for every name, which a
    // list of a hundred thousand names would pay for at every save.
    if (auto ansi = platform::utf8ToAnsi(text))
        return std::move(*ansi);
    const auto& names = list.items();
    const auto refused = std::ranges::find_if(
        names, [](const std::string& name) { return !platform::utf8ToAnsi(name); });
    throw failures::cannotCreateFile(path, "The group name \"" +
                                               (refused == names.end() ? text : *refused) +
                                               "\" holds a character that the Windows-1250 "
                                               "code page cannot store");
}

} // namespace

StringList loadGroupList(const std::string& path) {
    return groupListOf(platform::readWholeFile(path));
}

void saveGroupList(const std::string& path, const StringList& list) {
    platform::replaceFileOrFail(path, groupListBytes(path, list));
}

StringList updateGroupList(const std::string& path, const std::function<void(StringList&)>& change,
                           const platform::LockWait& wait) {
    const platform::FolderLock lock = lockFolderOf(path, wait, [&](const std::string& reason) {
        return failures::cannotCreateFile(path, reason);
    });
    const std::string before = platform::fileExists(path) ? platform::readWholeFile(path) : "";
    StringList list = groupListOf(before);
    change(list);
    const std::string after = groupListBytes(path, list);
    // An unchanged file is left alone, so that those who watch it are not woken for nothing.
    if (after != before || !platform::fileExists(path))
        platform::replaceFileOrFail(path, after);
    return list;
}

} // namespace zolvera::library
