#include "packages/InstallPackage.h"

#include "library/Cover.h"
#include "library/GroupLibrary.h"
#include "library/NameRules.h"
#include "packages/PackageReader.h"
#include "platform/FileSystem.h"
#include "platform/FolderNames.h"
#include "platform/Translate.h"

#include <cstdint>
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
// that cannot be deleted stays: the group then shows one of its covers. The folder's names are
// looked up in names, not listed again, so that many cover entries cost no more than others.
void settleCover(const std::string& groupFolder, platform::FolderNames& names) {
    const std::string exact(kCoverFileName);
    for (const std::string& name : names.spellingsOf(exact)) {
        if (name == exact)
            continue;
        if (platform::renameFile(groupFolder + "/" + name, coverPath(groupFolder))) {
            names.remove(name);
            names.add(exact);
        } else if (platform::deleteFile(groupFolder + "/" + name)) {
            names.remove(name);
        }
    }
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
    names.add(platform::fileNamePart(*path));
    if (isCoverName(entry.name))
        settleCover(groupFolder, names);
}

// True when the package holds more entries than the installer takes. Only lengths are read, so
// the count costs little beside the installation; a damaged package counts as far as it is
// sound, and its damage is reported where the installation reaches it.
bool holdsTooManyEntries(const std::string& packagePath) {
    try {
        PackageReader reader(packagePath);
        static_cast<void>(reader.readGroupName());
        for (std::size_t count = 0; !reader.atEnd(); ++count) {
            if (count == kMaxEntries)
                return true;
            reader.skipEntry();
        }
    } catch (const Failure&) {
    }
    return false;
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

// Hands the caller the reading position about every 1/kSteps of the package, so that a package of
// a million tiny entries does not call it a million times.
class ProgressReport {
public:
    ProgressReport(const WorkControl& control, std::uint64_t total)
        : control_(control), total_(total), step_(total / kSteps) {
        report(0);
    }
    void reached(std::uint64_t done) {
        if (done - reported_ >= step_)
            report(done);
    }
    void report(std::uint64_t done) {
        reported_ = done;
        if (control_.progress)
            control_.progress(static_cast<std::size_t>(done), static_cast<std::size_t>(total_));
    }

private:
    static constexpr std::uint64_t kSteps = 500;
    const WorkControl& control_;
    std::uint64_t total_;
    std::uint64_t step_;
    std::uint64_t reported_ = 0;
};

Stopped installStopped(const std::string& packagePath) {
    return Stopped(platform::substitute(
        platform::translate("Packages", "A(z) \"%1\" csomag telepítése leállt, mert kérték."),
        {packagePath}));
}

} // namespace

void InstallPackage(library::GroupLibrary& library, const std::string& packagePath,
                    const WorkControl& control) {
    std::string groupName;
    std::string groupFolder;
    std::optional<std::string> failure;
    bool stopped = false;
    std::vector<std::string> refused;
    {
        PackageReader reader(packagePath);
        ProgressReport progress(control, reader.size());
        groupName = reader.readGroupName();
        if (!library::isPlainName(groupName))
            throw unusableGroupName(packagePath);
        if (holdsTooManyEntries(packagePath))
            throw tooManyEntries(packagePath);
        groupFolder = prepareGroupFolder(library, groupName, packagePath);
        platform::FolderNames names(groupFolder);
        try {
            while (!reader.atEnd() && !stopped) {
                stopped = control.stopRequested && control.stopRequested();
                if (!stopped)
                    installEntry(reader, groupFolder, names, packagePath, refused);
                progress.reached(reader.position());
            }
        } catch (const Failure& cut) {
            failure = cut.what();
        }
        progress.report(reader.position());
    }
    // A package installed only in part lists a new group only when its cover arrived, since
    // a group without one cannot be shown; the pictures that arrived stay in its folder. One
    // stopped on request lists no new group at all.
    if (library.lists(groupName) ||
        (!stopped &&
         (!failure || platform::entryKind(coverPath(groupFolder)) == platform::EntryKind::File)))
        library.addGroup(groupName);
    if (stopped)
        throw installStopped(packagePath);
    if (!refused.empty())
        failure = (failure ? *failure + " " : std::string()) +
                  refusedEntries(packagePath, refused).what();
    if (failure)
        throw Failure(*failure);
}

} // namespace zolvera::packages
