// Feeds arbitrary bytes to the installer as a package, over a library that already lists one
// group, and aborts when anything was written outside a group folder: below the sandbox there
// may only be the package, the application folder with its group list and Hatterek, and in
// Hatterek folders that hold plain files.
#include "library/FakeLibraryView.h"
#include "library/GroupLibrary.h"
#include "packages/InstallPackage.h"
#include "platform/Failure.h"
#include "support/TempDir.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace zolvera;

namespace {

struct Sandbox {
    test::TempDir root;
    // Nested, so that a name climbing out of the group folder still lands inside the sandbox.
    std::string app = root / "a/b/app";
    std::string package = root / "p.dta";
};

bool allowed(const fs::directory_entry& entry, const fs::path& relative) {
    const std::string text = relative.generic_string();
    if (text == "p.dta" || text == "a/b/app/Zolvera.lst")
        return entry.is_regular_file();
    if (text == "a" || text == "a/b" || text == "a/b/app" || text == "a/b/app/Hatterek")
        return entry.is_directory();
    const fs::path inGroups = relative.lexically_relative("a/b/app/Hatterek");
    const auto depth = std::distance(inGroups.begin(), inGroups.end());
    if (inGroups.empty() || *inGroups.begin() == "..")
        return false;
    return depth == 1 ? entry.is_directory() : depth == 2 && entry.is_regular_file();
}

void checkTree(const Sandbox& sandbox) {
    for (const auto& entry : fs::recursive_directory_iterator(sandbox.root.path()))
        if (!allowed(entry, entry.path().lexically_relative(sandbox.root.path())))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Sandbox sandbox;
    fs::remove_all(sandbox.app);
    fs::create_directories(sandbox.app + "/Hatterek/Tel");
    test::writeFile(sandbox.app + "/Zolvera.lst", "Tel\r\n");
    test::writeFile(sandbox.package, std::string(reinterpret_cast<const char*>(data), size));

    test::FakeLibraryView view;
    library::GroupLibrary library(sandbox.app, view);
    library.ReloadGroups();
    try {
        packages::InstallPackage(library, sandbox.package);
    } catch (const Failure&) {
        // a damaged package is reported to the user: an expected outcome
    }
    checkTree(sandbox);
    return 0;
}
