#include "library/AppFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zolvera::library;

TEST(AppFolder, HomeVariableWinsAndLosesItsTrailingSeparator) {
    setenv("ZOLVERA_HOME", "/srv/Zolvera Demo/", 1);
    EXPECT_EQ(findApplicationFolder(), "/srv/Zolvera Demo");
    EXPECT_EQ(appPath(findApplicationFolder(), "/Zolvera.lst"), "/srv/Zolvera Demo/Zolvera.lst");
    setenv("ZOLVERA_HOME", "/", 1);
    EXPECT_EQ(appPath(findApplicationFolder(), "/Zolvera.ini"), "/Zolvera.ini");
    unsetenv("ZOLVERA_HOME");
    EXPECT_FALSE(findApplicationFolder().empty());
    EXPECT_NE(findApplicationFolder().back(), '/');
}
