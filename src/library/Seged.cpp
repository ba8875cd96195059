#include "library/Seged.h"

#include "library/Cover.h"
#include "platform/FileSystem.h"

#include <vector>

namespace zolvera::library {

void ListPictureFiles(const std::string& maskPath, StringList& list) {
    list = StringList(); // the old list's memory goes before the folder is read
    std::vector<std::string> names = platform::listByMask(maskPath);
    std::erase_if(names, [](const std::string& name) { return isCoverName(name); });
    list = StringList(std::move(names));
}

std::string GetField(const std::string& text, char separator, int fieldNumber) {
    if (fieldNumber < 1)
        return {};
    std::size_t start = 0;
    for (int field = 1; field < fieldNumber; ++field) {
        const std::size_t next = text.find(separator, start);
        if (next == std::string::npos)
            return {};
        start = next + 1;
    }
    const std::size_t end = text.find(separator, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace zolvera::library
