#include "packages/InstallPackage.h"

#include "library/Cover.h"
#include "library/GroupLibrary.h"
#include "library/NameRules.h"
#include "packages/PackageReader.h"
#include "platform/FileSystem.h"
#include "platform/FolderNames.h"

#include <optional>
#include <vector>

namespace zolvera::packages {

namespace {

using library::isCoverName;
using library::kCoverFileName;

constexpr int kInvalidFilename = 3; // the I/O code of a name the file system refuses

std::string coverPath(const std::string& groupFolder) {
    return groupFolder + "/" + std::string(kCoverFileName);
}

// The file an entry goes to, resolved among the group folder's names; nothing for a name that is
// not one plain file name, or when something other than a plain file stands at that name (a
// link is never written through). The cover always goes to "init.jpg".
std::optional<std::string> entryPath(const platform::FolderNames& names, const std::string& name) {
    if (!library::isPlainName(name))
        return std::nullopt;
    const std::string path = names.pathOf(isCoverName(name) ? std::string(kCoverFileName) : name);
    const platform::EntryKind kind = platform::entryKindAsWritten(path);
    if (kind != platform::EntryKind::Missing && kind != platform::EntryKind::File)
        return std::nullopt;
    return path;
}

// The new cover replaced the old one under whatever case it had; now it gets exactly the name
// "init.jpg" and covers spelled in another case go, so the group keeps a single cover. One
// that cannot be deleted stays: the group then shows one of its covers.
void settleCover(const std::string& groupFolder) {
    const std::string exact(kCoverFileName);
    for (const std::string& name : platform::listByMask(coverPath(groupFolder)))
        if (name != exact &&
            !platform::renameFile(groupFolder + "/" + name, coverPath(groupFolder)))
            static_cast<void>(platform::deleteFile(groupFolder + "/" + name));
}

// Installs one entry, its content copied from the package file to its own without passing
// through this program. One that replaces a file is put in place only when written whole, so a
// failure leaves the file of that name as it was; a new one is written at its name and removed
// again on failure. An entry refused for its name is added to refused.
void installEntry(PackageReader& reader, const std::string& groupFolder,
                  platform::FolderNames& names, const std::string& packagePath,
                  std::vector<std::string>& refused) {
    const PackageReader::EntryHeader entry = reader.readEntryHeader();
    const std::optional<std::string> path = entryPath(names, entry.name);
    if (!path) {
        reader.skipContent();
        refused.push_back(entry.name);
        return;
    }
    try {
        platform::StagedFile file(*path, platform::StagedFile::NewFiles::InPlace,
                                  platform::StagedFile::Naming::AsWritten);
        reader.copyContent(file);
        file.commit();
    } catch (const IoFailure& failure) {
        if (failure.code() != kInvalidFilename)
            throw installFailed(packagePath, failure.what());
        reader.skipContent();
        refused.push_back(entry.name);
        return;
    }
    if (isCoverName(entry.name)) {
        settleCover(groupFolder);
        names = platform::FolderNames(groupFolder); // the cover's other spellings went
    } else {
        names.add(platform::fileNamePart(*path));
    }
}

// The group folder, made when missing; never one that is a link to elsewhere.
std::string prepareGroupFolder(library::GroupLibrary& library, const std::string& groupName,
                               const std::string& packagePath) {
    const std::string folder = library.groupFolder(groupName);
    // It fails when the folder exists already; what is there is checked next.
    static_cast<void>(platform::createFolder(folder));
    switch (platform::entryKind(folder)) {
    case platform::EntryKind::Folder:
        return folder;
    case platform::EntryKind::Link:
        throw groupFolderIsLink(packagePath, groupName);
    default:
        throw groupFolderUnavailable(packagePath, groupName);
    }
}

} // namespace

void InstallPackage(library::GroupLibrary& library, const std::string& packagePath) {
    std::string groupName;
    std::string groupFolder;
    std::optional<std::string> failure;
    std::vector<std::string> refused;
    {
        PackageReader reader(packagePath);
        groupName = reader.readGroupName();
        if (!library::isPlainName(groupName))
            throw unusableGroupName(packagePath);
        groupFolder = prepareGroupFolder(library, groupName, packagePath);
        platform::FolderNames names(groupFolder);
        try {
            while (!reader.atEnd())
                installEntry(reader, groupFolder, names, packagePath, refused);
        } catch (const Failure& cut) {
            failure = cut.what();
        }
    }
    // A package installed only in part lists a new group only when its cover arrived, since
    // a group without one cannot be shown; the pictures that arrived stay in its folder.
    if (!failure || library.lists(groupName) ||
        platform::entryKind(coverPath(groupFolder)) == platform::EntryKind::File)
        library.addGroup(groupName);
    if (!refused.empty())
        failure = (failure ? *failure + " " : std::string()) +
                  refusedEntries(packagePath, refused).what();
    if (failure)
        throw Failure(*failure);
}

} // namespace zolvera::packages
