#include "platform/Failure.h"
#include "platform/IoErrorCode.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace zolvera;

TEST(ErrorReport, AddsFullStopOnlyAfterCharactersSortingAfterDot) {
    EXPECT_EQ(errorReportText("List index out of bounds (0)"), "List index out of bounds (0)");
    EXPECT_EQ(errorReportText("JPEG error #42"), "JPEG error #42.");
    EXPECT_EQ(errorReportText("Disk full"), "Disk full.");
    EXPECT_EQ(errorReportText("Done."), "Done.");
    EXPECT_EQ(errorReportText("Stop!"), "Stop!");
    EXPECT_EQ(errorReportText("Nincs kép: Ő"), "Nincs kép: Ő.");
    EXPECT_EQ(errorReportText(""), "");
}

TEST(ErrorTexts, IoCodesMapFromErrno) {
    EXPECT_STREQ(IoFailure::fromErrno(ENOENT).what(), "File not found");
    EXPECT_EQ(IoFailure::fromErrno(ENOENT).reason(), "No such file or directory");
    EXPECT_STREQ(IoFailure::fromErrno(EACCES).what(), "File access denied");
    EXPECT_STREQ(IoFailure::fromErrno(ENOSPC).what(), "Disk full");
    EXPECT_STREQ(IoFailure::fromErrno(EMFILE).what(), "Too many open files");
    EXPECT_EQ(IoFailure::fromErrno(EXDEV).what(), "I/O error " + std::to_string(EXDEV));
    EXPECT_STREQ(IoFailure::fromErrno(EIO).what(), "I/O error 1117");
    EXPECT_EQ(IoFailure(kDiskFull).code(), 101);
    EXPECT_STREQ(failures::cannotOpenFile("/a b", "No such file or directory").what(),
                 "Cannot open file \"/a b\". No such file or directory");
}
