#pragma once

#include "library/FakeLibraryView.h"
#include "library/GroupLibrary.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zolvera::test {

// The package that a folder Tel holding init.jpg (11 22) and a.jpg (33 44 55) packs into.
inline const std::string kTelPackage("\x03\x00\x00\x00"
                                     "Tel"
                                     "\x05\x00\x00\x00"
                                     "a.jpg"
                                     "\x03\x00\x00\x00"
                                     "\x33\x44\x55"
                                     "\x08\x00\x00\x00"
                                     "Init.jpg"
                                     "\x02\x00\x00\x00"
                                     "\x11\x22",
                                     41);

// A length field written independently of the code under test: 4 bytes, least significant first.
std::string le32(std::int64_t value);

// A package of the given group name and entries (name, content), names as raw bytes.
std::string packageBytes(const std::string& group,
                         const std::vector<std::pair<std::string, std::string>>& entries);

// Every path below root, relative to it, sorted; folders end in "/".
std::vector<std::string> treeOf(const std::string& root);

// A temporary root holding an application folder "app" (with Hatterek and an empty group
// list) and a place for packages, "in"; a library on the application folder with a fake view.
struct LibraryFixture {
    LibraryFixture();

    // Creates the groups' folders, writes them as the group list and loads it as start-up does.
    void startWith(const std::vector<std::string>& groups);
    // Writes a package file under "in" and returns its path.
    std::string writePackage(const std::string& name, const std::string& bytes) const;
    std::string groupFile(const std::string& group, const std::string& name) const;

    TempDir root;
    std::string app;
    FakeLibraryView view;
    library::GroupLibrary library;
};

} // namespace zolvera::test
