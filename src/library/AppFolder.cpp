#include "library/AppFolder.h"

#include "library/BuildInfo.h"
#include "library/InstalledDefaults.h"
#include "library/LibraryLayout.h"
#include "platform/FileSystem.h"
#include "platform/UserFolders.h"

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace zolvera::library {

namespace fs = std::filesystem;

namespace {

std::string withoutTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// A library that travels with the program (a portable copy, or a folder prepared by hand).
bool holdsLibrary(const std::string& folder) {
    return platform::fileExists(groupListFile(folder)) ||
           platform::folderExists(groupsFolder(folder));
}

// $XDG_DATA_HOME/zolvera, else ~/.local/share/zolvera; a relative XDG_DATA_HOME is ignored,
// as the base directory rules ask. Empty when there is no home folder either.
std::string perUserFolder(const AppFolderSources& sources) {
    if (!sources.dataHome.empty() && sources.dataHome.front() == '/')
        return withoutTrailingSeparator(sources.dataHome) + "/zolvera";
    if (sources.userHome.empty())
        return "";
    return withoutTrailingSeparator(sources.userHome) + "/.local/share/zolvera";
}

// Made beside its place and renamed into it, so that a start that breaks off half-way never
// leaves a half-made library that the next start would take for the user's own. Failures are
// silent, as for the program's other folder operations.
void seedUserFolder(const fs::path& defaults, const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder.parent_path(), error);
    const fs::path partial = folder.string() + ".new-" + std::to_string(::getpid());
    fs::remove_all(partial, error);
    fs::copy(defaults, partial, fs::copy_options::recursive, error);
    // The group folders are made one level at a time, so Hatterek must be there from the start.
    for (const std::string_view folderName : {kDownloadsFolderName, kGroupsFolderName}) {
        if (!error)
            fs::create_directories(partial / folderName, error);
    }
    const fs::path groupList = partial / kGroupListFileName;
    if (!error && !platform::fileExists(groupList.string()))
        std::ofstream(groupList, std::ios::binary);
    // A start running at the same moment may have made the folder first; its copy stays.
    if (!error && fs::exists(groupList))
        fs::rename(partial, folder, error);
    std::error_code ignored;
    fs::remove_all(partial, ignored);
}

} // namespace

AppFolderSources currentAppFolderSources() {
    AppFolderSources sources;
    sources.homeVariable = platform::environment("ZOLVERA_HOME");
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    sources.programFolder = error ? fs::current_path(error).string() : exe.parent_path().string();
    sources.dataHome = platform::environment("XDG_DATA_HOME");
    sources.userHome = platform::userHomeFolder();
    return sources;
}

std::string applicationFolder(const AppFolderSources& sources) {
    if (!sources.homeVariable.empty())
        return withoutTrailingSeparator(sources.homeVariable);
    const std::string program = withoutTrailingSeparator(sources.programFolder);
    if (holdsLibrary(program))
        return program;
    const fs::path defaults =
        (fs::path(program.empty() ? "/" : program) / kDefaultsFromProgram).lexically_normal();
    const std::string perUser = perUserFolder(sources);
    std::error_code error;
    if (perUser.empty() || !fs::is_directory(defaults, error))
        return program;
    const bool fresh = !fs::exists(perUser, error);
    if (fresh)
        seedUserFolder(defaults, perUser);
    if (fs::is_directory(perUser, error))
        updateFromDefaults(defaults.string(), perUser, kVersion, fresh);
    return perUser;
}

std::string findApplicationFolder() {
    return applicationFolder(currentAppFolderSources());
}

} // namespace zolvera::library
