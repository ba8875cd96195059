#include "library/GroupLibrary.h"

#include "library/Cover.h"
#include "library/GroupListFile.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "library/NameRules.h"
#include "library/Seged.h"
#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Translate.h"

#include <algorithm>

namespace zolvera::library {

namespace {

std::string confirmCaption() {
    return platform::translate("Library", "Megerősítés");
}
// Missing folders reported one message each; any more are counted in one last message.
constexpr int kMissingFoldersShown = 3;

} // namespace

GroupLibrary::GroupLibrary(std::string appFolder, LibraryView& view)
    : appFolder_(std::move(appFolder)), view_(view) {}

GroupLibrary::GroupLibrary(const GroupLibrary& other, LibraryView& view)
    : appFolder_(other.appFolder_), view_(view), groups_(other.groups_), pictures_(other.pictures_),
      currentGroup_(other.currentGroup_), currentPicture_(other.currentPicture_) {}

std::string GroupLibrary::groupFolder(const std::string& name) const {
    return groupFolderPath(appFolder_, name);
}

std::string GroupLibrary::coverPath(const std::string& name) const {
    return groupFolder(name) + "/" + std::string(kCoverFileName);
}

std::string GroupLibrary::groupListPath() const {
    return groupListFile(appFolder_);
}

void GroupLibrary::ReloadGroups() {
    currentGroup_ = 0;
    view_.clearGroupColumn();
    groups_.clear(); // stays empty when the file cannot be read
    groups_ = loadGroupList(groupListPath());
    const std::vector<bool> present = listedGroupsPresent(appFolder_, groups_.items());
    // Backwards: each message comes while its entry is the last one left of those gone. A
    // blank line goes silently. A damaged list can name thousands of groups that are gone: the
    // first few get a message each, the rest one.
    int unpruned = groups_.count(); // the entries before it are still all as read
    int missing = 0;
    for (int i = groups_.count() - 1; i >= 0; --i) {
        if (present[std::size_t(i)] || groups_.at(i).empty() || ++missing > kMissingFoldersShown)
            continue;
        groups_.keepFlagged(present, i + 1, unpruned);
        unpruned = i + 1;
        view_.showInfo(
            platform::translate("Library", "Nem létező könyvtár a zolvera.lst file-ban. Törölve."));
    }
    groups_.keepFlagged(present, 0, unpruned);
    if (missing > kMissingFoldersShown)
        view_.showInfo(platform::substitute(
            platform::translate("Library",
                                "További %1 nem létező könyvtár a zolvera.lst file-ban. Törölve."),
            {std::to_string(missing - kMissingFoldersShown)}));
    // The same pruning is written to the list as it is on disk by now: another program may have
    // changed it while the messages were shown.
    try {
        groups_ = updateGroupList(
            groupListPath(),
            [this](StringList& list) {
                list.keepFlagged(listedGroupsPresent(appFolder_, list.items()), 0, list.count());
            },
            lockWait());
    } catch (const LibraryBusy&) {
        // The pruning is only tidying: the groups are shown all the same, and the next reload
        // writes it.
    }
    view_.buildGroupColumn();
}

void GroupLibrary::fillPictureList(int index) {
    const std::string& entry = groups_.at(index);
    ListPictureFiles(groupFolder(entry) + "/*.jpg", pictures_);
}

void GroupLibrary::deleteCurrentGroup() {
    const std::string name = currentGroupName();
    const std::string folder = groupFolder(name);
    // Deleting through a link would delete the files of a folder outside the library.
    if (platform::entryKind(folder) == platform::EntryKind::Link)
        throw Failure(platform::substitute(
            platform::translate("Library", "A(z) \"%1\" csoport nem törölhető, mert a könyvtára "
                                           "szimbolikus link, amely a képtáron kívülre mutathat."),
            {name}));
    if (!view_.showConfirm(
            platform::substitute(platform::translate("Library", "Valóban töröljem a %1 csoportot?"),
                                 {name}),
            confirmCaption()))
        return;

    StringList names;
    ListPictureFiles(folder + "/*.*", names);
    names.add(std::string(kCoverFileName));

    groups_ = updateGroupList(
        groupListPath(),
        [&](StringList& list) {
            const auto& listed = list.items();
            if (const auto found = std::ranges::find(listed, name); found != listed.end())
                list.remove(int(found - listed.begin()));
        },
        lockWait());

    view_.showInfo(platform::translate("Library", "Csoport eltávolítása kész."));
    // Sub-folders, "." and "..", files in use: whatever cannot be deleted stays, silently,
    // and then keeps the folder itself on disk.
    for (const std::string& entry : names.items())
        static_cast<void>(platform::deleteFile(folder + "/" + entry));
    static_cast<void>(platform::removeFolder(folder));

    ReloadGroups();
    view_.displayGroup(0);
}

void GroupLibrary::addPicture() {
    // Taken before the dialog: an install or a reload while it is open must not send the
    // picture to another group.
    const std::string group = currentGroupName();
    const std::optional<std::string> chosen = view_.choosePicture();
    if (!chosen)
        return;
    addPictureFiles(group, {*chosen});
}

void GroupLibrary::addPictures(const std::vector<std::string>& paths) {
    addPictureFiles(currentGroupName(), paths);
}

void GroupLibrary::addPictureFiles(const std::string& group,
                                   const std::vector<std::string>& paths) {
    bool added = false;
    for (const std::string& path : paths) {
        const std::string fileName = platform::fileNamePart(path);
        const std::string target = groupFolder(group) + "/" + fileName;
        if (platform::fileExists(target) &&
            !view_.showConfirm(
                platform::substitute(
                    platform::translate("Library",
                                        "A(z) %1 csoportban már van %2 nevű kép. Felülírjam?"),
                    {group, fileName}),
                confirmCaption()))
            continue;
        static_cast<void>(platform::copyFile(path, target)); // a failed copy is not reported
        added = true;
    }
    if (added)
        showChangedGroup(group);
}

void GroupLibrary::deletePicture() {
    const std::string picture = pictures_.at(currentPicture_);
    const std::string group = currentGroupName();
    if (!view_.showConfirm(
            platform::substitute(platform::translate("Library", "Töröljem a %1 képet?"), {picture}),
            confirmCaption()))
        return;
    // a failed deletion is not reported
    static_cast<void>(platform::deleteFile(groupFolder(group) + "/" + picture));
    showChangedGroup(group);
}

void GroupLibrary::showChangedGroup(const std::string& name) {
    const auto& listed = groups_.items();
    const bool stillCurrent =
        currentGroup_ >= 0 && currentGroup_ < groups_.count() && groups_.at(currentGroup_) == name;
    if (const auto found = std::ranges::find(listed, name); !stillCurrent && found != listed.end())
        currentGroup_ = std::int32_t(found - listed.begin());
    view_.displayGroup(currentGroup_);
}

platform::LockWait GroupLibrary::lockWait() {
    return {.goOn = [this] { return view_.keepWaitingForLibrary(); }};
}

namespace {

bool holds(const StringList& list, const std::string& name) {
    return std::ranges::any_of(list.items(), [&](const std::string& group) {
        return platform::equalsIgnoreCase(group, name);
    });
}

} // namespace

bool GroupLibrary::lists(const std::string& name) const {
    return holds(groups_, name);
}

void GroupLibrary::addGroup(const std::string& name) {
    groups_ = updateGroupList(
        groupListPath(),
        [&](StringList& list) {
            if (!holds(list, name))
                list.add(name);
        },
        lockWait());
    ReloadGroups();
    view_.displayGroup(0);
}

NewGroupOutcome GroupLibrary::createGroup(const std::string& name,
                                          const std::string& coverTemplate) {
    const std::string folder = groupFolder(name);
    if (!isNewGroupName(name) || !platform::createFolder(folder))
        return NewGroupOutcome::NameRefused;
    if (!platform::copyFile(coverTemplate, coverPath(name))) {
        static_cast<void>(platform::removeFolder(folder)); // at worst an empty folder stays
        return NewGroupOutcome::CoverNotCopied;
    }
    try {
        addGroup(name);
    } catch (const LibraryBusy&) {
        // Given up: the group is not made at all rather than left unlisted on disk.
        static_cast<void>(platform::deleteFile(coverPath(name)));
        static_cast<void>(platform::removeFolder(folder));
        throw;
    }
    return NewGroupOutcome::Created;
}

} // namespace zolvera::library
