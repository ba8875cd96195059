#include "packages/InstallPackage.h"

#include "library/Cover.h"
#include "library/GroupLibrary.h"
#include "packages/PackageReader.h"
#include "platform/FileSystem.h"

#include <exception>
#include <memory>
#include <optional>

namespace zolvera::packages {

namespace {

using library::isCoverName;
using library::kCoverFileName;

// Removes covers spelled in another case, so the new one is exactly "init.jpg" and the group
// keeps a single cover on a file system that tells case apart.
void removeOtherCovers(const std::string& groupFolder) {
    for (const std::string& name :
         platform::listByMask(groupFolder + "/" + std::string(kCoverFileName)))
        if (name != kCoverFileName)
            platform::deleteFile(groupFolder + "/" + name);
}

// The file an entry goes to; nothing for a name that is not one plain file name. The cover
// always goes to "init.jpg".
std::optional<std::string> entryPath(const std::string& groupFolder, const std::string& name) {
    if (!isPlainName(name))
        return std::nullopt;
    return groupFolder + "/" + (isCoverName(name) ? std::string(kCoverFileName) : name);
}

void installEntry(PackageReader& reader, const std::string& groupFolder,
                  const std::string& packagePath, char* buffer) {
    const PackageReader::EntryHeader entry = reader.readEntryHeader();
    const std::optional<std::string> path = entryPath(groupFolder, entry.name);
    std::optional<platform::File> target;
    if (path) {
        if (isCoverName(entry.name))
            removeOtherCovers(groupFolder);
        try {
            target = platform::File::createIo(*path);
        } catch (const Failure&) {
            // skipped, as the content is still read past below
        }
    }
    reader.readContent(buffer, entry.contentLength);
    if (!target)
        return;
    try {
        target->write(buffer, entry.contentLength);
        target->close();
    } catch (const IoFailure& failure) {
        // A cut picture must not pass for an installed one.
        target.reset();
        platform::deleteFile(*path);
        throw installFailed(packagePath, failure.what());
    }
}

} // namespace

void InstallPackage(library::GroupLibrary& library, const std::string& packagePath) {
    std::string groupName;
    std::string groupFolder;
    std::exception_ptr damage;
    {
        const auto buffer = std::make_unique_for_overwrite<char[]>(kMaxContentLength);
        PackageReader reader(packagePath);
        groupName = reader.readGroupName();
        if (!isPlainName(groupName))
            throw unusableGroupName(packagePath);
        groupFolder = library.groupFolder(groupName);
        platform::createFolder(groupFolder);
        try {
            while (!reader.atEnd())
                installEntry(reader, groupFolder, packagePath, buffer.get());
        } catch (const Failure&) {
            damage = std::current_exception();
        }
    }
    // A sound package adds its group even when its folder could not be made (the reload then
    // drops it with its message); a damaged one only when there is a folder to show.
    if (!damage || platform::folderExists(groupFolder))
        library.addGroup(groupName);
    if (damage)
        std::rethrow_exception(damage);
}

} // namespace zolvera::packages
