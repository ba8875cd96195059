#include "packages/PackFolder.h"

#include "library/Cover.h"
#include "library/NameRules.h"
#include "library/Seged.h"
#include "library/StringList.h"
#include "packages/PackageFormat.h"
#include "picture/FitJpeg.h"
#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cstdint>
#include <future>
#include <map>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace zolvera::packages {

namespace {

struct Entry {
    std::string ansiName; // as stored in the package
    std::string path;     // the file on disk
    std::uint64_t size;   // as it was when the folder was read
};

// The name as the package stores it; refuses what the installer could not write back.
std::string packageName(const std::string& name, const std::string& pathForMessage) {
    const std::optional<std::string> ansi = platform::utf8ToAnsi(name);
    if (!ansi || ansi->empty() || ansi->size() > kMaxNameLength || !library::isPlainName(name))
        throw Failure(platform::substitute(
            platform::translate("Packages",
                                "A(z) \"%1\" neve nem tehető csomagba: 1–100 karakteres, a "
                                "közép-európai (Windows-1250) kódlapon ábrázolható név kell, \\ "
                                "és : jel, valamint vezérlőkarakter nélkül."),
            {pathForMessage}));
    return *ansi;
}

Failure tooLarge(const std::string& path) {
    return Failure(platform::substitute(
        platform::translate("Packages",
                            "A(z) \"%1\" kép nagyobb %2 bájtnál, ezért nem tehető csomagba."),
        {path, std::to_string(kMaxContentLength)}));
}

// The folder's pictures in listing order, then the cover, each with its size. Sub-folders
// whose names end in .jpg are not pictures and are left out.
std::vector<Entry> collectEntries(const std::string& folder) {
    library::StringList names;
    library::ListPictureFiles(folder + "/*.jpg", names);
    std::vector<Entry> entries;
    for (const std::string& name : names.items()) {
        const std::string path = folder + "/" + name;
        if (platform::fileExists(path))
            entries.push_back({packageName(name, path), path, 0});
    }
    entries.push_back(
        {std::string(kCoverEntryName), folder + "/" + std::string(library::kCoverFileName), 0});
    for (Entry& entry : entries)
        entry.size = platform::File::openRead(entry.path).size();
    return entries;
}

struct Contents {
    std::string groupName; // as stored in the package
    std::vector<Entry> entries;
};

// What the folder packs into, checked before anything is written.
Contents contentsOf(const std::string& folderPath) {
    std::string folder = folderPath;
    if (!folder.empty() && folder.back() == platform::kSeparator)
        folder.pop_back();
    if (!library::hasCover(folder))
        throw Failure(noCoverText());
    std::string groupName = packageName(platform::fileNamePart(folder), folderPath);
    return {std::move(groupName), collectEntries(folder)};
}

void writeLength(platform::StagedFile& package, std::size_t size) {
    package.write(encodeLength(static_cast<std::uint32_t>(size)).data(), kLengthFieldSize);
}

// A length field and the bytes it counts.
void writeField(platform::StagedFile& package, const std::string& bytes) {
    writeLength(package, bytes.size());
    package.write(bytes.data(), bytes.size());
}

// A copy of the picture encoded anew to fit an entry; the file is only read. A failure names
// the picture.
picture::FittedJpeg fitPicture(const std::string& path) {
    const std::string original = platform::readWholeFile(path);
    try {
        return picture::fitJpeg(original, kMaxContentLength);
    } catch (const Failure& failure) {
        throw Failure(platform::substitute(
            platform::translate("Packages", "A(z) \"%1\" kép nem méretezhető át, ezért a csomag "
                                            "nem készült el: %2"),
            {path, failure.what()}));
    }
}

// Fitting is the slow part of packing (half a second or more for a 4K photograph), so the
// oversized pictures are fitted on as many threads as the machine has cores, at most four (each
// holds a decoded photograph), ahead of the writing, which keeps the package's order.
class FittingAhead {
public:
    FittingAhead(const std::vector<Entry>& entries, Oversized oversized) {
        if (oversized == Oversized::Fit)
            for (std::size_t index = 0; index < entries.size(); ++index)
                if (entries[index].size > kMaxContentLength)
                    toFit_.push_back({index, entries[index].path});
        startMore();
    }

    // The fitted copy of the entry at index when it was fitted ahead, waiting for it.
    std::optional<picture::FittedJpeg> take(std::size_t index) {
        const auto found = running_.find(index);
        if (found == running_.end())
            return std::nullopt;
        std::future<picture::FittedJpeg> fitting = std::move(found->second);
        running_.erase(found);
        startMore();
        return fitting.get();
    }

private:
    void startMore() {
        const std::size_t threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
        for (; next_ < toFit_.size() && running_.size() < threads; ++next_)
            running_.emplace(toFit_[next_].first,
                             std::async(std::launch::async, fitPicture, toFit_[next_].second));
    }

    std::vector<std::pair<std::size_t, std::string>> toFit_; // entry index and file
    std::size_t next_ = 0;
    // Destroyed first when the packing ends early: each waits for its thread.
    std::map<std::size_t, std::future<picture::FittedJpeg>> running_;
};

// A fitted copy as the entry's content, noted in the report. The copy exists only in the
// package: a failure writing it names its picture.
void writeFitted(platform::StagedFile& package, const std::string& path,
                 const picture::FittedJpeg& fitted, PackReport& report) {
    try {
        writeField(package, fitted.bytes);
    } catch (const IoFailure& failure) {
        throw Failure(platform::substitute(
            platform::translate("Packages", "A(z) \"%1\" kép átméretezett másolata nem írható a "
                                            "csomagba, ezért a csomag nem készült el: %2"),
            {path, failure.what()}));
    }
    const auto pixels = [](int width, int height) { return std::int64_t{width} * height; };
    if (report.fitted == 0 ||
        pixels(fitted.width, fitted.height) < pixels(report.smallestWidth, report.smallestHeight)) {
        report.smallestWidth = fitted.width;
        report.smallestHeight = fitted.height;
    }
    ++report.fitted;
}

// A picture's length and content, copied from its file without passing through this program.
// Its size is taken once; a picture that changes meanwhile would leave a package whose length
// does not match its content, so it ends the packing. One that has grown past an entry's limit
// is fitted or refused as oversized says.
void writePicture(platform::StagedFile& package, const std::string& path, Oversized oversized,
                  PackReport& report) {
    platform::File picture = platform::File::openRead(path);
    const std::uint64_t size = picture.size();
    if (size > kMaxContentLength) {
        if (oversized == Oversized::Refuse)
            throw tooLarge(path);
        picture.close();
        writeFitted(package, path, fitPicture(path), report);
        return;
    }
    writeLength(package, static_cast<std::size_t>(size));
    if (package.copyFrom(picture, static_cast<std::size_t>(size)) != size)
        throw Failure(platform::substitute(
            platform::translate("Packages", "A(z) \"%1\" kép csomagolás közben megváltozott, "
                                            "ezért a csomag nem készült el."),
            {path}));
    picture.close();
}

} // namespace

std::string noCoverText() {
    return platform::translate(
        "Packages", "Nem található az \"init.jpg\" állomány, anélkül csomag nem hozható létre.");
}

std::string fitCaption() {
    return platform::translate("Packages", "Megerősítés");
}

std::string fitQuestion(std::size_t count) {
    return platform::substitute(
        platform::translate("Packages",
                            "A csomagba szánt képek közül %1 nagyobb %2 bájtnál. Átméretezzem "
                            "őket, hogy beférjenek a csomagba? Az eredeti képek nem változnak."),
        {std::to_string(count), std::to_string(kMaxContentLength)});
}

std::string fittedSummary(const PackReport& report) {
    if (report.fitted == 0)
        return {};
    return platform::substitute(
        platform::translate("Packages", "%1 kép átméretezve (legkisebb: %2 × %3)"),
        {std::to_string(report.fitted), std::to_string(report.smallestWidth),
         std::to_string(report.smallestHeight)});
}

std::vector<std::string> OversizedPictures(const std::string& folderPath) {
    std::vector<std::string> paths;
    for (const Entry& entry : contentsOf(folderPath).entries)
        if (entry.size > kMaxContentLength)
            paths.push_back(entry.path);
    return paths;
}

PackReport PackFolder(const std::string& folderPath, const std::string& packagePath,
                      Oversized oversized, const WorkControl& control) {
    const Contents contents = contentsOf(folderPath);
    if (oversized == Oversized::Refuse)
        for (const Entry& entry : contents.entries)
            if (entry.size > kMaxContentLength)
                throw tooLarge(entry.path);

    // Written beside its name and put in place only when complete, so a failure leaves an
    // earlier package of that name as it was.
    platform::StagedFile package(packagePath);
    FittingAhead ahead(contents.entries, oversized);
    writeField(package, contents.groupName);
    PackReport report;
    const auto reached = [&](std::size_t done) {
        if (control.progress)
            control.progress(done, contents.entries.size());
    };
    reached(0);
    for (std::size_t done = 0; done < contents.entries.size(); ++done) {
        if (control.stopRequested && control.stopRequested())
            throw Stopped(platform::substitute(
                platform::translate("Packages",
                                    "A(z) \"%1\" csomag készítése leállt, mert kérték."),
                {packagePath}));
        const Entry& entry = contents.entries[done];
        writeField(package, entry.ansiName);
        if (const std::optional<picture::FittedJpeg> fitted = ahead.take(done))
            writeFitted(package, entry.path, *fitted, report);
        else
            writePicture(package, entry.path, oversized, report);
        reached(done + 1);
    }
    package.commit();
    return report;
}

} // namespace zolvera::packages
