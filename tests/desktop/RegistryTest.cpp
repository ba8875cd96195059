#include "desktop/Registry.h"
#include "desktop/RegFile.h"
#include "platform/Failure.h"

#include "ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zolvera::desktop {
namespace {

using test::readFile;
using test::writeFile;

constexpr char kDesktop[] = "\\Control Panel\\Desktop\\";

RegistryValue typed(ValueType type, std::string data) {
    return {static_cast<std::uint32_t>(type), std::move(data)};
}

class RegistryTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string store = dir / "config/registry.reg";
    test::ScopedEnv env{"ZOLVERA_REGISTRY", store};
};

TEST_F(RegistryTest, StringsFollowTheKeyAndNameRules) {
    EXPECT_EQ(ReadRegString(kCurrentUser, kDesktop, "Wallpaper"), ""); // no store yet
    ASSERT_TRUE(WriteRegString(kCurrentUser, kDesktop, "Wallpaper", "/home/ő/Zolvera.bmp"));
    ASSERT_TRUE(WriteRegString(kCurrentUser, "\\Software\\Ünnep", "", "default"));

    // Leading backslash optional, trailing one ignored, names without regard to case.
    EXPECT_EQ(ReadRegString(kCurrentUser, "control panel\\DESKTOP", "WALLPAPER"),
              "/home/ő/Zolvera.bmp");
    EXPECT_EQ(ReadRegString(kCurrentUser, "\\SOFTWARE\\ünnep\\", ""), "default");
    EXPECT_EQ(ReadRegString(kCurrentUser, kDesktop, "Missing"), "");
    EXPECT_EQ(ReadRegString(kCurrentUser, "\\Control Panel\\Missing", "Wallpaper"), "");
    EXPECT_EQ(ReadRegString(kClassesRoot, kDesktop, "Wallpaper"), ""); // another root

    // The key keeps the case it was made with; a later write in other case replaces the value.
    ASSERT_TRUE(WriteRegString(kCurrentUser, "\\CONTROL PANEL\\desktop", "wallpaper", "x"));
    const auto text = readFile(store);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"Wallpaper\"=\"x\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Ünnep]\n@=\"default\"\n"), std::string::npos)
        << text;

    // Paths that cannot name a key are neither opened nor created.
    EXPECT_FALSE(WriteRegString(kCurrentUser, "\\a\\\\b", "v", "x"));
    EXPECT_FALSE(WriteRegString(0x80000010, kDesktop, "v", "x"));
    EXPECT_EQ(readFile(store), text);
}

TEST_F(RegistryTest, OnlyStringTypesReadAsText) {
    writeFile(store, "\xEF\xBB\xBFREGEDIT4\r\n"
                     "; hand-written\r\n"
                     "\r\n"
                     "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
                     "\"Quoted\"=\"a \\\"b\\\" c:\\\\d\\\\\"\r\n"
                     "\"Expand\"=hex(2):25,48,4f,4d,45,25,\\\r\n"
                     "  2f,78,00\r\n"
                     "\"Embedded\"=hex(1):61,62,00,63,64,00\r\n"
                     "\"Style\"=dword:00000002\r\n"
                     "\"Blob\"=hex:01,02\r\n");
    EXPECT_EQ(ReadRegString(kCurrentUser, kDesktop, "Quoted"), "a \"b\" c:\\d\\");
    EXPECT_EQ(ReadRegString(kCurrentUser, kDesktop, "Expand"), "%HOME%/x"); // not expanded
    EXPECT_EQ(ReadRegString(kCurrentUser, kDesktop, "Embedded"), "ab");
    for (const char* name : {"Style", "Blob"}) {
        try {
            ReadRegString(kCurrentUser, kDesktop, name);
            ADD_FAILURE() << name << " read as a string";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.what(), "Invalid data type for '" + std::string(name) + "'");
        }
    }
}

TEST_F(RegistryTest, StoreKeepsEveryTypeExactly) {
    std::string longBinary;
    for (int i = 0; i < 60; ++i)
        longBinary.push_back(static_cast<char>(i * 7));
    const std::vector<RegFile::Value> values{
        {"", typed(ValueType::String, std::string("default\0", 8))},
        {"Path \"q\" \\", typed(ValueType::String, std::string("C:\\dir\\\0", 8))},
        {"Lines", typed(ValueType::String, std::string("two\nlines\0", 10))},
        {"Unterminated", typed(ValueType::String, "no zero")},
        {"Expand", typed(ValueType::ExpandString, std::string("%TEMP%\0", 7))},
        {"Binary", typed(ValueType::Binary, longBinary)},
        {"Empty", typed(ValueType::Binary, "")},
        {"Dword", typed(ValueType::Dword, std::string("\x2a\x00\x00\x80", 4))},
        {"ShortDword", typed(ValueType::Dword, "\x01")},
        {"Qword", RegistryValue{11, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)}},
        {"None", typed(ValueType::None, "")},
    };
    {
        const auto key = systemRegistry().createKey(kCurrentUser, "Software\\Zolvera\\Types");
        ASSERT_TRUE(key);
        for (const auto& [name, value] : values)
            ASSERT_TRUE(key->set(name, value)) << name;
    }
    ASSERT_TRUE(systemRegistry().createKey(kClassesRoot, "Empty\\Leaf"));

    const auto text = readFile(store);
    EXPECT_NE(text.find("\"Dword\"=dword:8000002a\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Expand\"=hex(2):25,54,45,4d,50,25,00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\Empty\\Leaf]"), std::string::npos) << text;

    const auto key = systemRegistry().openKey(kCurrentUser, "software\\zolvera\\types\\");
    ASSERT_TRUE(key);
    for (const auto& [name, value] : values)
        EXPECT_EQ(key->query(name), value) << name;
    EXPECT_TRUE(systemRegistry().openKey(kClassesRoot, "empty\\leaf"));

    // Reading the text back and writing it again changes nothing.
    const auto reread = RegFile::parse(text);
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->text(), text);
}

TEST_F(RegistryTest, UnparsableStoreIsNeverOverwritten) {
    for (const std::string& corrupt : {
             std::string("not a registry file\n"),
             std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
                         "\"Wallpaper\"=\"/old.bmp\"\n\"Broken\"=dword:xyz\n"),
             std::string("REGEDIT4\n\n[-HKEY_CURRENT_USER\\Control Panel]\n"),
             std::string("REGEDIT4\n\"Orphan\"=\"value before any key\"\n"),
             std::string("REGEDIT4\n[HKEY_NOWHERE\\Key]\n"),
         }) {
        writeFile(store, corrupt);
        EXPECT_EQ(ReadRegString(kCurrentUser, kDesktop, "Wallpaper"), "");
        try {
            WriteRegString(kCurrentUser, kDesktop, "Wallpaper", "/new.bmp");
            ADD_FAILURE() << "write accepted over: " << corrupt;
        } catch (const Failure& failure) {
            EXPECT_STREQ(failure.what(), "Failed to set data for 'Wallpaper'");
        }
        EXPECT_EQ(readFile(store), corrupt);
    }
}

} // namespace
} // namespace zolvera::desktop
