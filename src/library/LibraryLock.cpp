#include "library/LibraryLock.h"

#include "platform/FileSystem.h"
#include "platform/Translate.h"

namespace zolvera::library {

LibraryBusy::LibraryBusy()
    : Failure(platform::translate("Library", "A képtárat most egy másik ablak vagy program "
                                             "használja, ezért a módosítás elmaradt.")) {}

platform::FolderLock lockFolderOf(const std::string& path, const platform::LockWait& wait,
                                  const std::function<Failure(const std::string&)>& cannotLock) {
    std::optional<platform::FolderLock> lock = [&] {
        try {
            return platform::FolderLock::acquire(platform::folderPart(path), wait);
        } catch (const IoFailure& failure) {
            throw cannotLock(failure.reason());
        }
    }();
    if (!lock)
        throw LibraryBusy();
    return std::move(*lock);
}

} // namespace zolvera::library
