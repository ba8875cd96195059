#include "platform/CodePage.h"

#include "platform/Failure.h"

#include <gtest/gtest.h>

using namespace zolvera::platform;

TEST(CodePage, EveryByteRoundTrips) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string utf8 = ansiToUtf8(all);
    EXPECT_EQ(utf8ToAnsi(utf8), all);

    EXPECT_EQ(ansiToUtf8("\xF5"), "ő");
    EXPECT_EQ(ansiToUtf8("\xDB\x80"), "Ű€");
    EXPECT_EQ(ansiToUtf8("\x81\x98"), "\u0081\u0098");
    EXPECT_EQ(utf8ToAnsi("Árvíztűrő tükörfúrógép"),
              "\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p");
}

TEST(CodePage, RefusesWhatTheCodePageLacks) {
    EXPECT_EQ(utf8ToAnsi("ab日"), std::nullopt);
    EXPECT_EQ(utf8ToAnsi("õ"), std::nullopt);    // o with tilde is not in the code page
    EXPECT_EQ(utf8ToAnsi("\xC3"), std::nullopt); // cut-off UTF-8
    EXPECT_EQ(utf8ToAnsi("\xF5"), std::nullopt); // not UTF-8 at all
}
