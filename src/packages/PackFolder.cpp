#include "packages/PackFolder.h"

#include "library/Cover.h"
#include "library/NameRules.h"
#include "library/Seged.h"
#include "library/StringList.h"
#include "packages/PackageFormat.h"
#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/FileSystem.h"

#include <vector>

namespace zolvera::packages {

namespace {

struct Entry {
    std::string ansiName; // as stored in the package
    std::string path;     // the file on disk
};

// The name as the package stores it; refuses what the installer could not write back.
std::string packageName(const std::string& name, const std::string& pathForMessage) {
    const std::optional<std::string> ansi = platform::utf8ToAnsi(name);
    if (!ansi || ansi->empty() || ansi->size() > kMaxNameLength || !library::isPlainName(name))
        throw Failure("A(z) \"" + pathForMessage +
                      "\" neve nem tehető csomagba: 1–100 karakteres, a közép-európai "
                      "(Windows-1250) kódlapon ábrázolható név kell, \\ és : jel, valamint "
                      "vezérlőkarakter nélkül.");
    return *ansi;
}

Failure tooLarge(const std::string& path) {
    return Failure("A(z) \"" + path + "\" kép nagyobb " + std::to_string(kMaxContentLength) +
                   " bájtnál, ezért nem tehető csomagba.");
}

void checkFits(const std::string& path) {
    if (platform::File::openRead(path).size() > kMaxContentLength)
        throw tooLarge(path);
}

// The folder's pictures in listing order, then the cover; every one checked before anything
// is written. Sub-folders whose names end in .jpg are not pictures and are left out.
std::vector<Entry> collectEntries(const std::string& folder) {
    library::StringList names;
    library::ListPictureFiles(folder + "/*.jpg", names);
    std::vector<Entry> entries;
    for (const std::string& name : names.items()) {
        const std::string path = folder + "/" + name;
        if (platform::fileExists(path))
            entries.push_back({packageName(name, path), path});
    }
    entries.push_back(
        {std::string(kCoverEntryName), folder + "/" + std::string(library::kCoverFileName)});
    for (const Entry& entry : entries)
        checkFits(entry.path);
    return entries;
}

void writeLength(platform::StagedFile& package, std::size_t size) {
    package.write(encodeLength(static_cast<std::uint32_t>(size)).data(), kLengthFieldSize);
}

// A length field and the bytes it counts.
void writeField(platform::StagedFile& package, const std::string& bytes) {
    writeLength(package, bytes.size());
    package.write(bytes.data(), bytes.size());
}

// A picture's length and content, copied from its file without passing through this program.
// Its size is taken once; a picture that changes meanwhile would leave a package whose length
// does not match its content, so it ends the packing.
void writePicture(platform::StagedFile& package, const std::string& path) {
    platform::File picture = platform::File::openRead(path);
    const std::uint64_t size = picture.size();
    if (size > kMaxContentLength)
        throw tooLarge(path);
    writeLength(package, static_cast<std::size_t>(size));
    if (package.copyFrom(picture, static_cast<std::size_t>(size)) != size)
        throw Failure("A(z) \"" + path +
                      "\" kép csomagolás közben megváltozott, ezért a csomag nem készült el.");
    picture.close();
}

} // namespace

void PackFolder(const std::string& folderPath, const std::string& packagePath) {
    std::string folder = folderPath;
    if (!folder.empty() && folder.back() == platform::kSeparator)
        folder.pop_back();
    if (!library::hasCover(folder))
        throw Failure(std::string(kNoCoverText));
    const std::string groupName = packageName(platform::fileNamePart(folder), folderPath);
    const std::vector<Entry> entries = collectEntries(folder);

    // Written beside its name and put in place only when complete, so a failure leaves an
    // earlier package of that name as it was.
    platform::StagedFile package(packagePath);
    writeField(package, groupName);
    for (const Entry& entry : entries) {
        writeField(package, entry.ansiName);
        writePicture(package, entry.path);
    }
    package.commit();
}

} // namespace zolvera::packages
