#include "packages/ImportFolder.h"

#include "library/Cover.h"
#include "library/GroupLibrary.h"
#include "library/LibraryLock.h"
#include "library/NameRules.h"
#include "library/Seged.h"
#include "picture/CoverJpeg.h"
#include "picture/Picture.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/NameOrder.h"

#include <filesystem>
#include <optional>

namespace zolvera::packages {

namespace {

constexpr int kCoverWidth = 142;
constexpr int kCoverHeight = 100;

// A plain file of the folder, or a link to one that stays inside it.
bool isFileOfFolder(const std::string& folder, const std::string& name) {
    const std::string path = folder + "/" + name;
    switch (platform::entryKindAsWritten(path)) {
    case platform::EntryKind::File:
        return true;
    case platform::EntryKind::Link: {
        std::error_code error;
        const auto target = std::filesystem::canonical(path, error);
        return !error && std::filesystem::is_regular_file(target, error) &&
               target.parent_path() == std::filesystem::canonical(folder, error) && !error;
    }
    default:
        return false;
    }
}

} // namespace

FolderImport::FolderImport(std::string folder) : folder_(platform::resolve(std::move(folder))) {
    while (folder_.size() > 1 && folder_.back() == '/')
        folder_.pop_back();
    library::StringList names;
    library::ListPictureFiles(folder_ + "/*.jpg", names);
    for (const std::string& name : names.items()) {
        const platform::EntryKind kind = platform::entryKindAsWritten(folder_ + "/" + name);
        if (kind == platform::EntryKind::Folder)
            continue; // a sub-folder is no picture
        if (isFileOfFolder(folder_, name) && library::isPlainName(name))
            pictures_.push_back(name);
        else
            skipped_.push_back(name);
    }
}

std::string FolderImport::folderName() const {
    return platform::fileNamePart(folder_);
}

bool FolderImport::reserve(const library::GroupLibrary& library, const std::string& name) {
    if (!library::isNewGroupName(name) || library.lists(name) ||
        !platform::createFolder(library.groupFolder(name)))
        return false;
    name_ = name;
    groupFolder_ = platform::resolve(library.groupFolder(name));
    return true;
}

bool FolderImport::copy(const std::function<void(int, int)>& progress) {
    try {
        const int total = pictureCount();
        for (int done = 1; done <= total; ++done) {
            const std::string& name = pictures_[std::size_t(done - 1)];
            if (!copyPicture(name))
                skipped_.push_back(name);
            if (progress)
                progress(done, total);
        }
        platform::sortInNameOrder(skipped_);
        return writeCover();
    } catch (...) {
        removeWritten();
        throw;
    }
}

bool FolderImport::copyPicture(const std::string& name) {
    const std::string source = folder_ + "/" + name;
    std::optional<platform::File> file;
    try {
        static_cast<void>(picture::JpegPicture::load(source)); // a JPEG header
        file = platform::File::openRead(source);
    } catch (const Failure&) {
        return false;
    }
    const std::string target = groupFolder_ + "/" + name;
    try {
        platform::StagedFile copy(target, platform::StagedFile::NewFiles::InPlace,
                                  platform::StagedFile::Naming::AsWritten);
        static_cast<void>(copy.copyFrom(*file, file->size()));
        copy.commit();
    } catch (const IoFailure& failure) {
        throw failures::cannotCreateFile(target, failure.reason());
    }
    written_.push_back(target);
    return true;
}

bool FolderImport::writeCover() {
    // The first copy that decodes: a picture damaged past its header makes no cover.
    for (const std::string& picture : written_) {
        std::string bytes;
        try {
            bytes = picture::coverJpeg(picture, kCoverWidth, kCoverHeight);
        } catch (const Failure&) {
            continue;
        }
        const std::string cover = groupFolder_ + "/" + std::string(library::kCoverFileName);
        written_.push_back(cover);
        platform::replaceFileOrFail(cover, bytes);
        return true;
    }
    removeWritten();
    return false;
}

void FolderImport::addTo(library::GroupLibrary& library) {
    try {
        library.addGroup(name_);
    } catch (const library::LibraryBusy&) {
        removeWritten();
        throw;
    }
}

void FolderImport::removeWritten() {
    for (const std::string& path : written_)
        static_cast<void>(platform::deleteFile(path));
    written_.clear();
    static_cast<void>(platform::removeFolder(groupFolder_));
}

} // namespace zolvera::packages
