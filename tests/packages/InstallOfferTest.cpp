#include "packages/InstallOffer.h"

#include <gtest/gtest.h>

using zolvera::packages::installOfferQuestion;

TEST(InstallOffer, OnlyAnArgumentOtherThanExactlySlashRegIsOfferedAndShownLowerCased) {
    EXPECT_EQ(installOfferQuestion(""), std::nullopt);
    EXPECT_EQ(installOfferQuestion("/reg"), std::nullopt);
    EXPECT_EQ(installOfferQuestion("/REG"), "Telepítsem a /reg csomagot?");
    EXPECT_EQ(installOfferQuestion("C:\\Letoltes\\Kepek.dta"),
              "Telepítsem a c:\\letoltes\\kepek.dta csomagot?");
    EXPECT_EQ(installOfferQuestion("/home/Éva/ŐSZI ERDŐ.DTA"),
              "Telepítsem a /home/éva/őszi erdő.dta csomagot?");
}
