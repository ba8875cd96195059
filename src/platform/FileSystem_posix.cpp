#include "platform/FileSystem.h"

#include "platform/DirHandle.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/Locale.h"
#include "platform/NameOrder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>

namespace zolvera::platform {

namespace {

bool entryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::optional<struct stat> statOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info;
}

// The entry of the folder whose name equals the given one without regard to case; the first
// in byte order when there are several.
std::optional<std::string> findEntryIgnoringCase(const std::string& folder,
                                                 const std::string& name) {
    DirHandle dir(::opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir)
        return std::nullopt;
    const std::string key = foldCase(name);
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string candidate = entry->d_name;
        if ((!found || candidate < *found) && foldCase(candidate) == key)
            found = candidate;
    }
    return found;
}

// The resolved folder part followed by the last component as written: the name under which
// a new entry is made, or to which an entry is renamed.
std::string resolveFolderOnly(const std::string& path) {
    const std::size_t slash = path.rfind(kSeparator);
    if (slash == std::string::npos)
        return path;
    return resolve(path.substr(0, slash + 1)) + path.substr(slash + 1);
}

} // namespace

std::string resolve(const std::string& path) {
    if (path.empty() || entryExists(path))
        return path;
    // Mostly only the last name is missing or spelled in another case (a file about to be
    // made): when the folder stands as written, that name is the only one to look up.
    const std::size_t slash = path.rfind(kSeparator);
    if (slash != std::string::npos && slash + 1 < path.size()) {
        const std::string folder = path.substr(0, slash + 1);
        if (entryExists(folder)) {
            const auto found = findEntryIgnoringCase(folder, path.substr(slash + 1));
            return found ? folder + *found : path;
        }
    }
    std::string result;
    std::size_t pos = 0;
    if (path.front() == kSeparator) {
        result = std::string(1, kSeparator);
        pos = 1;
    }
    while (pos < path.size()) {
        std::size_t end = path.find(kSeparator, pos);
        if (end == std::string::npos)
            end = path.size();
        const std::string component = path.substr(pos, end - pos);
        if (!component.empty() && component != "." && component != ".." &&
            !entryExists(result + component)) {
            const auto found = findEntryIgnoringCase(result, component);
            if (!found)
                return result + path.substr(pos);
            result += *found;
        } else {
            result += component;
        }
        if (end < path.size())
            result += kSeparator;
        pos = end + 1;
    }
    return result;
}

bool folderExists(const std::string& path) {
    const auto info = statOf(resolve(path));
    return info && S_ISDIR(info->st_mode);
}

bool fileExists(const std::string& path) {
    const auto info = statOf(resolve(path));
    return info && !S_ISDIR(info->st_mode);
}

EntryKind entryKind(const std::string& path) {
    return entryKindAsWritten(resolve(path));
}

EntryKind entryKindAsWritten(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return EntryKind::Missing;
    if (S_ISREG(info.st_mode))
        return EntryKind::File;
    if (S_ISDIR(info.st_mode))
        return EntryKind::Folder;
    return S_ISLNK(info.st_mode) ? EntryKind::Link : EntryKind::Other;
}

bool createFolder(const std::string& path) {
    // resolve() yields an existing entry of any case, and mkdir refuses it.
    return ::mkdir(resolve(path).c_str(), 0777) == 0;
}

bool removeFolder(const std::string& path) {
    return ::rmdir(resolve(path).c_str()) == 0;
}

bool deleteFile(const std::string& path) {
    const std::string resolved = resolve(path);
    struct stat info {};
    if (::lstat(resolved.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    return ::unlink(resolved.c_str()) == 0;
}

bool copyFile(const std::string& source, const std::string& target) {
    try {
        File in = File::openRead(source);
        return in.copyTo(target);
    } catch (const IoFailure&) {
        return false;
    }
}

bool renameFile(const std::string& from, const std::string& to) {
    const std::string source = resolve(from);
    if (!entryExists(source))
        return false;
    const std::string existing = resolve(to);
    // Only a change of letter case of the entry itself may rename onto an existing name.
    if (entryExists(existing) && existing != source)
        return false;
    const std::string target = resolveFolderOnly(to);
    if (existing == source)
        return ::rename(source.c_str(), target.c_str()) == 0;
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // File systems without RENAME_NOREPLACE: the check above has to do.
    return (errno == EINVAL || errno == ENOSYS) && ::rename(source.c_str(), target.c_str()) == 0;
}

std::vector<std::string> listByMask(const std::string& maskPath) {
    const std::size_t slash = maskPath.rfind(kSeparator);
    const std::string folder =
        slash == std::string::npos ? std::string(".") : resolve(maskPath.substr(0, slash + 1));
    const std::string_view mask =
        std::string_view(maskPath).substr(slash == std::string::npos ? 0 : slash + 1);
    std::vector<std::string> names;
    DirHandle dir(::opendir(folder.c_str()));
    if (!dir || mask.empty())
        return names;
    // "." and ".." come first, as Windows enumerates them.
    for (const char* special : {".", ".."})
        if (matchesMask(special, mask))
            names.emplace_back(special);
    const std::size_t specials = names.size();
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && matchesMask(name, mask))
            names.emplace_back(name);
    }
    sortInNameOrder(names.begin() + std::ptrdiff_t(specials), names.end());
    return names;
}

} // namespace zolvera::platform
