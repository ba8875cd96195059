#pragma once

#include "library/StringList.h"
#include "platform/FolderLock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zolvera::library {

// What the group library asks of the window that shows it. The main window implements it;
// tests implement it with scripted answers and a record of the calls.
class LibraryView {
public:
    virtual ~LibraryView() = default;
    // ShowInfo owned by the main window.
    virtual void showInfo(const std::string& text) = 0;
    // ShowConfirm owned by the main window: true only for Yes.
    virtual bool showConfirm(const std::string& text, const std::string& caption) = 0;
    // The picture open dialog; nothing when the user cancels.
    virtual std::optional<std::string> choosePicture() = 0;
    // Removes and destroys every tile of the group column.
    virtual void clearGroupColumn() = 0;
    // One tile per entry of the group list, in list order. May throw (a cover that cannot be
    // loaded); the tiles made before it stay.
    virtual void buildGroupColumn() = 0;
    // Shows the group at the index: its cover, its picture list and its picture grid.
    virtual void displayGroup(int index) = 0;
    // Asked while another window or program holds the library's lock, after a short wait and
    // again after each further one: true to wait on, false to give the change up.
    virtual bool keepWaitingForLibrary() = 0;
};

// What came of creating a group.
enum class NewGroupOutcome {
    Created,
    // Nothing was made: the name is not a new group's name, or a folder of that name exists in
    // any letter case.
    NameRefused,
    // The cover template could not be copied; the new folder was removed again.
    CoverNotCopied,
};

// The group list, the picture list and the current indices, and the commands that change the
// library on disk, in the order of steps the user sees.
class GroupLibrary {
public:
    GroupLibrary(std::string appFolder, LibraryView& view);
    // The same library, its lists and indices as they are now, told to another view: for work
    // done off the window thread.
    GroupLibrary(const GroupLibrary& other, LibraryView& view);

    const std::string& appFolder() const { return appFolder_; }
    LibraryView& view() const { return view_; }
    // application folder + "/Hatterek/" + name
    std::string groupFolder(const std::string& name) const;
    // application folder + "/Zolvera.lst"
    std::string groupListPath() const;

    // application folder + "/Hatterek/" + name + "/init.jpg"
    std::string coverPath(const std::string& name) const;

    const StringList& groups() const { return groups_; }
    const StringList& pictures() const { return pictures_; }
    // The current indices. They may point past their list (an index is checked when it is
    // used, with the list's "List index out of bounds (%d)").
    std::int32_t currentGroup() const { return currentGroup_; }
    std::int32_t currentPicture() const { return currentPicture_; }
    void setCurrentGroup(std::int32_t index) { currentGroup_ = index; }
    void setCurrentPicture(std::int32_t index) { currentPicture_ = index; }
    // The name and folder of the current group; throw the index error when there is none.
    const std::string& currentGroupName() const { return groups_.at(currentGroup_); }
    std::string currentGroupFolder() const { return groupFolder(currentGroupName()); }

    // Reloads the group list from its file, prunes it, saves it and rebuilds the group column.
    // Entries naming no folder are removed, the first few with a message each and the rest
    // counted in one more.
    // Every change of the list file (reload, addGroup, deleteCurrentGroup) is made to the file
    // as it stands on disk under the application folder's lock (updateGroupList), so changes
    // made meanwhile by another program are kept. While another program holds that lock the
    // view is asked whether to wait on; a change given up throws LibraryBusy before anything
    // of it is done, except the reload's pruning, which is then left unsaved.
    void ReloadGroups();
    // Fills the picture list with the *.jpg files of the group at index, as showing it needs.
    void fillPictureList(int index);
    // Empties the picture list (an empty library shows no pictures).
    void clearPictureList() { pictures_.clear(); }

    // Asks, then unlists the current group and deletes its pictures, cover and folder. Links
    // inside the folder are deleted as links; a group whose folder is itself a link is refused
    // with a Failure before anything happens.
    void deleteCurrentGroup();
    // Copies a picture the user chooses into the current group, after asking when the group
    // holds a picture of that name, and shows the group again. The group is the one current
    // when the command began, whatever the list does while the dialog is open.
    void addPicture();
    // Adds the files to the current group as addPicture adds a chosen one, each in turn: files
    // dropped on the window.
    void addPictures(const std::vector<std::string>& paths);
    // Asks, then deletes the current picture and shows its group again.
    void deletePicture();
    // True when the group list holds the name in any letter case.
    bool lists(const std::string& name) const;
    // The one way a group is added: appends the name and saves the list unless the file holds
    // it already in any letter case, then reloads and shows the first group, so a group that
    // was listed shows its new pictures and cover.
    void addGroup(const std::string& name);
    // Makes a new group: its folder (one level only) with a copy of the template as its cover,
    // then adds it. A group is never listed without its cover.
    NewGroupOutcome createGroup(const std::string& name, const std::string& coverTemplate);

private:
    // How a change of the list waits for the lock: with the view's answers.
    platform::LockWait lockWait();
    void addPictureFiles(const std::string& group, const std::vector<std::string>& paths);
    // Shows the group again after a change of its pictures, as current.
    void showChangedGroup(const std::string& name);

    std::string appFolder_;
    LibraryView& view_;
    StringList groups_;
    StringList pictures_;
    std::int32_t currentGroup_ = 0;
    std::int32_t currentPicture_ = 0;
};

} // namespace zolvera::library
