#include "library/GroupListFile.h"

#include "platform/CodePage.h"
#include "platform/Failure.h"
#include "platform/File.h"

namespace zolvera::library {

StringList loadGroupList(const std::string& path) {
    std::string bytes = platform::readWholeFile(path);
    if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos)
        bytes.resize(nul);
    // CR and LF are the same bytes in both encodings, so the text is split after converting.
    const std::string text = platform::ansiToUtf8(bytes);
    StringList list;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            list.add(text.substr(start));
            break;
        }
        list.add(text.substr(start, end - start));
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return list;
}

void saveGroupList(const std::string& path, const StringList& list) {
    std::string bytes;
    for (const std::string& name : list.items()) {
        // A line break or NUL inside a name would split it or cut off the groups after it.
        if (name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            throw failures::cannotCreateFile(path, "The group name \"" + name +
                                                       "\" holds a line break or a NUL character");
        const auto ansi = platform::utf8ToAnsi(name);
        if (!ansi)
            throw failures::cannotCreateFile(path, "The group name \"" + name +
                                                       "\" holds a character that the "
                                                       "Windows-1250 code page cannot store");
        bytes += *ansi;
        bytes += "\r\n";
    }
    try {
        platform::replaceFileAtomically(path, bytes);
    } catch (const IoFailure& failure) {
        throw failures::cannotCreateFile(path, failure.reason());
    }
}

} // namespace zolvera::library
