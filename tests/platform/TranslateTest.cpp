#include "platform/Translate.h"
#include "platform/UiLanguage.h"

#include <gtest/gtest.h>

namespace zolvera::platform {
namespace {

TEST(UiLanguage, HungarianAndTheCLocaleKeepTheOwnTextsAnyOtherLanguageGetsATranslation) {
    EXPECT_EQ(chooseUiLanguage({"hu-HU", "hu-Latn-HU", "hu"}), "hu");
    EXPECT_EQ(chooseUiLanguage({"C"}), "hu");
    EXPECT_EQ(chooseUiLanguage({"en-US", "en-Latn-US", "en"}), "en");
    // A language without a translation gives way to the next one the user reads, else English.
    EXPECT_EQ(chooseUiLanguage({"de-DE", "de", "hu"}), "hu");
    EXPECT_EQ(chooseUiLanguage({"de-DE", "de"}), "en");
}

TEST(Translate, ArgumentsArePlacedInOnePassAndOtherPercentSignsStay) {
    EXPECT_EQ(substitute("A(z) %1 csoportban már van %2 nevű kép.", {"%2", "x%1"}),
              "A(z) %2 csoportban már van x%1 nevű kép.");
    EXPECT_EQ(substitute("100% %3 %", {"a"}), "100% %3 %");
}

} // namespace
} // namespace zolvera::platform
