// The GNOME applier against GLib's real settings, with the keyfile backend. gsettings is
// installed by scripts/install-deps, so a missing one fails the test.
#include "desktop/CommandRunner.h"
#include "desktop/DesktopApplier.h"
#include "desktop/FileRegistry.h"
#include "desktop/Wallpaper.h"

#include "ScopedEnv.h"
#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>

namespace zolvera::desktop {
namespace {

using test::readFile;

constexpr int kLimitMs = 10000;
constexpr char kGnome[] = "org.gnome.desktop.background";

// A program that runs beside a test, its output watched; killed when the object goes away.
class Watched {
public:
    Watched(const QString& program, const QStringList& arguments) {
        process_.setStandardInputFile(QProcess::nullDevice());
        process_.start(program, arguments);
        started_ = process_.waitForStarted(kLimitMs);
    }
    ~Watched() {
        process_.kill();
        process_.waitForFinished(kLimitMs);
    }
    Watched(const Watched&) = delete;
    Watched& operator=(const Watched&) = delete;

    bool started() const { return started_; }
    const std::string& output() const { return output_; }

    // Waits until the output holds the text at least count times; false when the time limit
    // passes first.
    bool waitFor(const std::string& text, int count, int limitMs = kLimitMs) {
        const QDeadlineTimer deadline(limitMs);
        while (occurrences(text) < count) {
            if (!process_.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
                return false;
            output_ += process_.readAllStandardOutput().toStdString();
        }
        return true;
    }

    int occurrences(const std::string& text) const {
        int count = 0;
        for (auto at = output_.find(text); at != std::string::npos; at = output_.find(text, at + 1))
            ++count;
        return count;
    }

private:
    QProcess process_;
    bool started_ = false;
    std::string output_;
};

// Output of a tool that must succeed.
std::string tool(const std::string& program, const std::vector<std::string>& arguments) {
    const auto output = ProcessRunner(kLimitMs).run(program, arguments);
    EXPECT_TRUE(output) << program << " failed";
    return output.value_or("");
}

// A monitor gives no sign that it is listening: change the setting until it reports a change.
// Returns how often the watched text occurs once it listens.
int primeMonitor(Watched& monitor, const std::string& seen, const std::function<void(int)>& set) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        set(attempt);
        if (monitor.waitFor(seen, 1, 500))
            return monitor.occurrences(seen);
    }
    ADD_FAILURE() << "the monitor reported nothing: " << monitor.output();
    return 0;
}

class RealDesktopTest : public ::testing::Test {
protected:
    RealDesktopTest() {
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(WriteRegString(
            registry, kCurrentUser,
            "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
            folder + "Fonts"));
        EXPECT_TRUE(WriteRegString(registry, kCurrentUser, "\\Control Panel\\Desktop\\",
                                   "WallpaperStyle", "2"));
        test::writeJpeg(pictures[0], {.width = 64, .height = 48});
        test::writeJpeg(pictures[1], {.width = 40, .height = 30, .gray = true});
    }

    // Sets one picture after the other; after each, waits for the monitor to report one more
    // change of the watched text. Returns the bitmap as it was after the first.
    std::string setBothPictures(DesktopApplier& applier, Watched& monitor, const std::string& seen,
                                int before) {
        std::string first;
        for (int i = 0; i < 2; ++i) {
            SetWallpaper(pictures[i], registry, applier);
            if (i == 0)
                first = readFile(bitmap);
            EXPECT_TRUE(monitor.waitFor(seen, before + i + 1))
                << "change " << i + 1 << " not reported: " << monitor.output();
        }
        return first;
    }

    // The tools' output is read, so they speak the C locale, not the user's language.
    test::ScopedEnv locale{"LC_ALL", "C"};
    test::TempDir dir;
    test::ScopedEnv config{"XDG_CONFIG_HOME", dir / "config"};
    test::ScopedEnv cache{"XDG_CACHE_HOME", dir / "cache"};
    FileRegistry registry{dir / "registry.reg"};
    std::string folder = dir / "windows/";
    std::string bitmap = folder + "Zolvera.bmp";
    std::string pictures[2] = {dir / "a.jpg", dir / "b.jpg"};
};

TEST_F(RealDesktopTest, GnomeSettingsChangeAtEverySet) {
    const test::ScopedEnv backend("GSETTINGS_BACKEND", "keyfile");
    const auto setUri = [](const std::string& uri) {
        tool("gsettings", {"set", kGnome, "picture-uri", "'" + uri + "'"});
    };
    setUri("file:///before.bmp"); // the settings file exists before it is watched
    Watched monitor("gsettings", {"monitor", kGnome, "picture-uri"});
    ASSERT_TRUE(monitor.started()) << "gsettings is not installed";
    const int before = primeMonitor(monitor, "picture-uri:", [&](int attempt) {
        setUri("file:///prime-" + std::to_string(attempt));
    });

    const auto applier = makeDesktopApplier(DesktopSession::Gnome);
    const std::string first = setBothPictures(*applier, monitor, "picture-uri:", before);

    const auto fileOf = [](const std::string& key) {
        auto value = tool("gsettings", {"get", kGnome, key});
        value = value.substr(1, value.find_last_of('\'') - 1); // a quoted GVariant string
        return QUrl(QString::fromStdString(value)).toLocalFile().toStdString();
    };
    const std::string shown = fileOf("picture-uri");
    EXPECT_TRUE(readFile(shown) == readFile(bitmap)) << shown;
    EXPECT_FALSE(readFile(shown) == first);
    EXPECT_EQ(fileOf("picture-uri-dark"), shown);
    EXPECT_EQ(tool("gsettings", {"get", kGnome, "picture-options"}), "'stretched'\n");

    // The files handed to the desktop do not pile up, and stay out of the wallpaper folder.
    for (int i = 0; i < 4; ++i)
        SetWallpaper(pictures[i % 2], registry, *applier);
    const auto count = [](const std::string& path) {
        return std::distance(std::filesystem::directory_iterator(path),
                             std::filesystem::directory_iterator());
    };
    EXPECT_EQ(count(dir / "cache/zolvera"), 3); // two links and the record of them
    EXPECT_EQ(count(folder), 2);
}

} // namespace
} // namespace zolvera::desktop
