#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using namespace zolvera::platform;

namespace {

// Sets LC_ALL for one test and restores it afterwards.
class LocaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* value = std::getenv("LC_ALL"))
            saved_ = value;
    }
    void TearDown() override {
        if (saved_)
            setenv("LC_ALL", saved_->c_str(), 1);
        else
            unsetenv("LC_ALL");
    }
    static void use(const char* locale) { setenv("LC_ALL", locale, 1); }

private:
    std::optional<std::string> saved_;
};

} // namespace

TEST_F(LocaleTest, CollatesByTheUsersLocale) {
    use("hu_HU.UTF-8");
    EXPECT_LT(compareLocale("Őszi erdő", "Tenger"), 0);
    EXPECT_LT(compareLocale("cukor", "csak"), 0); // "cs" is a letter of its own after "c"
    EXPECT_NE(compareLocale("alma", "Alma"), 0);
    use("C");
    EXPECT_GT(compareLocale("cukor", "csak"), 0);
}

TEST_F(LocaleTest, FoldsAndLowersNationalLetters) {
    use("hu_HU.UTF-8");
    EXPECT_TRUE(equalsIgnoreCase("ÁRVÍZTŰRŐ Tükör", "árvíztűrő tÜKÖR"));
    EXPECT_FALSE(equalsIgnoreCase("ő", "ö"));
    EXPECT_EQ(foldCase("ŐSZ.JPG"), "ősz.jpg");
    // Bytes that are not UTF-8 are kept, so different ones never fold together.
    EXPECT_EQ(foldCase("A\xFF"), "a\xFF");
    EXPECT_FALSE(equalsIgnoreCase("\xFE", "\xFF"));
    EXPECT_EQ(toLowerLocale("INIT.JPG"), "init.jpg");
    EXPECT_EQ(toLowerLocale("ŐSZI ÁLOM"), "őszi álom");
    use("tr_TR.UTF-8");
    EXPECT_EQ(toLowerLocale("KIŞ"), "kış");
}
