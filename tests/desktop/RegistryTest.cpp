#include "desktop/FileRegistry.h"
#include "desktop/RegFile.h"
#include "platform/Failure.h"

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
    FileRegistry registry{store};
};

TEST_F(RegistryTest, StringsFollowTheKeyAndNameRules) {
    EXPECT_EQ(ReadRegString(registry, kCurrentUser, kDesktop, "Wallpaper"), ""); // no store yet
    ASSERT_TRUE(
        WriteRegString(registry, kCurrentUser, kDesktop, "Wallpaper", "/home/ő/Zolvera.bmp"));
    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, "\\Software\\Ünnep", "", "default"));

    // Leading backslash optional, trailing one ignored, names without regard to case.
    EXPECT_EQ(ReadRegString(registry, kCurrentUser, "control panel\\DESKTOP", "WALLPAPER"),
              "/home/ő/Zolvera.bmp");
    EXPECT_EQ(ReadRegString(registry, kCurrentUser, "\\SOFTWARE\\ünnep\\", ""), "default");
    EXPECT_EQ(ReadRegString(registry, kCurrentUser, kDesktop, "Missing"), "");
    EXPECT_EQ(ReadRegString(registry, kCurrentUser, "\\Control Panel\\Missing", "Wallpaper"), "");
    EXPECT_EQ(ReadRegString(registry, kClassesRoot, kDesktop, "Wallpaper"), ""); // another root

    // The key keeps the case it was made with; a later write in other case replaces the value.
    ASSERT_TRUE(
        WriteRegString(registry, kCurrentUser, "\\CONTROL PANEL\\desktop", "wallpaper", "x"));
    const auto text = readFile(store);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"Wallpaper\"=\"x\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Ünnep]\n@=\"default\"\n"), std::string::npos)
        << text;

    // Paths that cannot name a key are neither opened nor created.
    EXPECT_FALSE(WriteRegString(registry, kCurrentUser, "\\a\\\\b", "v", "x"));
    EXPECT_FALSE(WriteRegString(registry, 0x80000010, kDesktop, "v", "x"));
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
    EXPECT_EQ(ReadRegString(registry, kCurrentUser, kDesktop, "Quoted"), "a \"b\" c:\\d\\");
    EXPECT_EQ(ReadRegString(registry, kCurrentUser, kDesktop, "Expand"),
              "%HOME%/x"); // not expanded
    EXPECT_EQ(ReadRegString(registry, kCurrentUser, kDesktop, "Embedded"), "ab");
    for (const char* name : {"Style", "Blob"}) {
        try {
            ReadRegString(registry, kCurrentUser, kDesktop, name);
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
    const std::vector<std::pair<std::string, RegistryValue>> values{
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
        const auto key = registry.createKey(kCurrentUser, "Software\\Zolvera\\Types");
        ASSERT_TRUE(key);
        for (const auto& [name, value] : values)
            ASSERT_TRUE(key->set(name, value)) << name;
    }
    ASSERT_TRUE(registry.createKey(kClassesRoot, "Empty\\Leaf"));

    const auto text = readFile(store);
    EXPECT_NE(text.find("\"Dword\"=dword:8000002a\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Expand\"=hex(2):25,54,45,4d,50,25,00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\Empty\\Leaf]"), std::string::npos) << text;

    const auto key = registry.openKey(kCurrentUser, "software\\zolvera\\types\\");
    ASSERT_TRUE(key);
    for (const auto& [name, value] : values)
        EXPECT_EQ(key->query(name), value) << name;
    EXPECT_TRUE(registry.openKey(kClassesRoot, "empty\\leaf"));

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
             "REGEDIT4\n[HKEY_CURRENT_USER\\Control "
             "Panel\\Desktop]\n\"Wallpaper\"=\"/old.bmp\"\n;" +
                 std::string(RegFile::kMaxTextSize, 'x') + "\n", // too large to be ours
         }) {
        writeFile(store, corrupt);
        EXPECT_EQ(ReadRegString(registry, kCurrentUser, kDesktop, "Wallpaper"), "");
        try {
            static_cast<void>(
                WriteRegString(registry, kCurrentUser, kDesktop, "Wallpaper", "/new.bmp"));
            ADD_FAILURE() << "write accepted over: " << corrupt.substr(0, 100);
        } catch (const Failure& failure) {
            EXPECT_STREQ(failure.what(), "Failed to set data for 'Wallpaper'");
        }
        EXPECT_TRUE(readFile(store) == corrupt);
    }
}

// A hand-made key nested ever so deep is read, written back and freed without recursion.
TEST_F(RegistryTest, DeeplyNestedKeyIsReadAndWritten) {
    std::string path = "Control Panel";
    for (int i = 0; i < 400000; ++i)
        path += "\\k";
    writeFile(store, "REGEDIT4\n[HKEY_CURRENT_USER\\" + path + "]\n\"Wallpaper\"=\"/deep.bmp\"\n");
    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, path, "Style", "2"));
    EXPECT_NE(readFile(store).find("\\k]\n\"Wallpaper\"=\"/deep.bmp\"\n\"Style\"=\"2\"\n"),
              std::string::npos);
}

} // namespace
} // namespace zolvera::desktop
