#include "library/GroupLibrary.h"

#include "library/AppFolder.h"
#include "library/Cover.h"
#include "library/GroupListFile.h"
#include "library/NameRules.h"
#include "library/Seged.h"
#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

#include <algorithm>

namespace zolvera::library {

namespace {

const std::string kConfirmCaption = "Megerősítés";
const std::string kMissingFolder = "Nem létező könyvtár a zolvera.lst file-ban. Törölve.";
// Missing folders reported one message each; any more are counted in one last message.
constexpr int kMissingFoldersShown = 3;

} // namespace

GroupLibrary::GroupLibrary(std::string appFolder, LibraryView& view)
    : appFolder_(std::move(appFolder)), view_(view) {}

std::string GroupLibrary::groupFolder(const std::string& name) const {
    return groupFolderPath(appFolder_, name);
}

std::string GroupLibrary::coverPath(const std::string& name) const {
    return groupFolder(name) + "/" + std::string(kCoverFileName);
}

std::string GroupLibrary::groupListPath() const {
    return appPath(appFolder_, "/Zolvera.lst");
}

void GroupLibrary::ReloadGroups() {
    currentGroup_ = 0;
    view_.clearGroupColumn();
    groups_.clear(); // stays empty when the file cannot be read
    groups_ = loadGroupList(groupListPath());
    // Backwards, so that removing an entry leaves the indices still to visit unchanged.
    int missing = 0;
    for (int i = groups_.count() - 1; i >= 0; --i) {
        const std::string& entry = groups_.at(i);
        if (entry.empty()) {
            groups_.remove(i);
        } else if (!isSingleFolderName(entry) || !platform::folderExists(groupFolder(entry))) {
            // A damaged list can name thousands: the first few get a message each, the rest one.
            if (++missing <= kMissingFoldersShown)
                view_.showInfo(kMissingFolder);
            groups_.remove(i);
        }
    }
    if (missing > kMissingFoldersShown)
        view_.showInfo("További " + std::to_string(missing - kMissingFoldersShown) +
                       " nem létező könyvtár a zolvera.lst file-ban. Törölve.");
    // The same pruning is written to the list as it is on disk by now: another program may have
    // changed it while the messages were shown.
    groups_ = updateGroupList(groupListPath(), [this](StringList& list) {
        for (int i = list.count() - 1; i >= 0; --i)
            if (!isListedGroupPresent(appFolder_, list.at(i)))
                list.remove(i);
    });
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
        throw Failure("A(z) \"" + name +
                      "\" csoport nem törölhető, mert a könyvtára szimbolikus link, amely a "
                      "képtáron kívülre mutathat.");
    if (!view_.showConfirm("Valóban töröljem a " + name + " csoportot?", kConfirmCaption))
        return;

    StringList names;
    ListPictureFiles(folder + "/*.*", names);
    names.add(std::string(kCoverFileName));

    groups_ = updateGroupList(groupListPath(), [&](StringList& list) {
        const auto& listed = list.items();
        if (const auto found = std::ranges::find(listed, name); found != listed.end())
            list.remove(int(found - listed.begin()));
    });

    view_.showInfo("Csoport eltávolítása kész.");
    // Sub-folders, "." and "..", files in use: whatever cannot be deleted stays, silently,
    // and then keeps the folder itself on disk.
    for (const std::string& entry : names.items())
        static_cast<void>(platform::deleteFile(folder + "/" + entry));
    static_cast<void>(platform::removeFolder(folder));

    ReloadGroups();
    view_.displayGroup(0);
}

void GroupLibrary::addPicture() {
    const std::optional<std::string> chosen = view_.choosePicture();
    if (!chosen)
        return;
    const std::string target = currentGroupFolder() + "/" + platform::fileNamePart(*chosen);
    static_cast<void>(platform::copyFile(*chosen, target)); // a failed copy is not reported
    view_.displayGroup(currentGroup_);
}

void GroupLibrary::deletePicture() {
    const std::string picture = pictures_.at(currentPicture_);
    const std::string path = currentGroupFolder() + "/" + picture;
    if (!view_.showConfirm("Töröljem a " + picture + " képet?", kConfirmCaption))
        return;
    static_cast<void>(platform::deleteFile(path)); // a failed deletion is not reported
    view_.displayGroup(currentGroup_);
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
    groups_ = updateGroupList(groupListPath(), [&](StringList& list) {
        if (!holds(list, name))
            list.add(name);
    });
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
    addGroup(name);
    return NewGroupOutcome::Created;
}

} // namespace zolvera::library
