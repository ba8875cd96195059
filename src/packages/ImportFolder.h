#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zolvera::library {
class GroupLibrary;
} // namespace zolvera::library

namespace zolvera::packages {

// A folder of the user's pictures made into a new group, in steps, so that the window can ask
// about the name between them and run the copying off its thread: reserve the group's folder,
// copy the pictures into it, then list the group. The group is listed only when complete;
// nothing is written outside its folder, apart from the group list file.
class FolderImport {
public:
    // Finds the folder's pictures: its *.jpg files in name order, as a group lists them, without
    // sub-folders and "init.jpg". A link counts only when it leads to a file of the folder itself.
    explicit FolderImport(std::string folder);

    // The name the group is offered under: the folder's own.
    std::string folderName() const;
    int pictureCount() const { return int(pictures_.size()); }

    // Creates the new group's folder (one level). False, with nothing made, when the name is
    // not a new group's name or the library holds a group or folder of that name in any case.
    bool reserve(const library::GroupLibrary& library, const std::string& name);
    // Copies the pictures into the reserved folder, then writes the cover: the first picture in
    // name order that decodes, stretched to the cover's size. A picture that cannot be read as a
    // JPEG file is left out (skipped). progress(done, total) follows each picture. False when no
    // picture could be read: the folder is removed again. A failure to write (a full disk) removes
    // what was written and the folder, and is thrown. Touches no library: may run on a worker.
    bool copy(const std::function<void(int done, int total)>& progress = {});
    // Lists the group (GroupLibrary::addGroup). When the list cannot be changed because the
    // library is busy elsewhere (LibraryBusy, thrown), the group's files are removed first.
    void addTo(library::GroupLibrary& library);

    // The names of the pictures left out, in name order.
    const std::vector<std::string>& skipped() const { return skipped_; }

private:
    // False when the picture cannot be read as a JPEG file; throws when the copy cannot be
    // written.
    bool copyPicture(const std::string& name);
    bool writeCover();
    void removeWritten();

    std::string folder_;
    std::vector<std::string> pictures_;
    std::vector<std::string> skipped_;
    std::string name_;
    std::string groupFolder_;
    std::vector<std::string> written_;
};

} // namespace zolvera::packages
