#include "desktop/ShellLauncher.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zolvera::desktop {
namespace {

using Kind = ShellTarget::Kind;

TEST(ShellLauncher, TellsAddressesProgramsAndDocumentsApart) {
    test::TempDir folder;
    test::writeFile(folder / "Ujdonsag.exe", "#!/bin/sh\n");
    test::writeFile(folder / "zolvera.pdf", "%PDF");
    for (const char* name : {"Ujdonsag.exe", "zolvera.pdf"}) // as on a Windows drive
        std::filesystem::permissions(folder / name, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);

    for (const char* address :
         {"https://ervolt.example/zolvera/", "mailto:zolvera@ervolt.example"}) {
        const ShellTarget target = shellTargetOf(address);
        EXPECT_EQ(target.kind, Kind::Address) << address;
        EXPECT_EQ(target.target, address);
    }
    EXPECT_EQ(shellTargetOf(folder / "Ujdonsag.exe").kind, Kind::Program);
    EXPECT_EQ(shellTargetOf(folder / "zolvera.pdf").kind, Kind::Document);
    // A missing file is still a document: the desktop's opener reports it, not the program.
    EXPECT_EQ(shellTargetOf(folder / "nincs.pdf").kind, Kind::Document);

    const auto working = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const ShellTarget relative = shellTargetOf("./sub/../zolvera.pdf");
    std::filesystem::current_path(working);
    EXPECT_EQ(relative.kind, Kind::Document);
    EXPECT_EQ(relative.target, folder / "zolvera.pdf");
}

} // namespace
} // namespace zolvera::desktop
