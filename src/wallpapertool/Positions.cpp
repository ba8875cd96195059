#include "wallpapertool/Positions.h"

#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/UserFolders.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>

namespace zolvera::wallpaper {

namespace {

constexpr char kFileName[] = "/positions.json";
constexpr char kPicture[] = "picture";
constexpr char kIndex[] = "index";
// A file name that is not UTF-8 (a Latin-1 name from an old archive) cannot be a JSON text, so
// its exact bytes are kept beside the readable approximation.
constexpr char kPictureBytes[] = "pictureBytes";

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

bool isUtf8(const std::string& bytes) {
    return qt(bytes).toStdString() == bytes;
}

QJsonObject entry(const Position& position) {
    QJsonObject object{{kPicture, qt(position.picture)}, {kIndex, position.index}};
    if (!isUtf8(position.picture))
        object.insert(kPictureBytes,
                      QString::fromLatin1(QByteArray::fromStdString(position.picture).toBase64()));
    return object;
}

Position position(const QJsonObject& entry) {
    const QJsonValue bytes = entry.value(kPictureBytes);
    return {bytes.isString() ? QByteArray::fromBase64(bytes.toString().toLatin1()).toStdString()
                             : entry.value(kPicture).toString().toStdString(),
            entry.value(kIndex).toInt()};
}

// Where the last picture stands in the list now, by its name.
std::optional<int> currentIndex(const library::StringList& pictures,
                                const std::optional<Position>& last) {
    if (!last)
        return std::nullopt;
    for (int i = 0; i < pictures.count(); ++i)
        if (pictures.at(i) == last->picture)
            return i;
    return std::nullopt;
}

} // namespace

std::string stateFolder() {
    return platform::userBaseFolder("XDG_STATE_HOME", "/.local/state") + "/zolvera";
}

Positions Positions::load(const std::string& folder) {
    Positions positions;
    const std::string path = folder + kFileName;
    if (!platform::fileExists(path))
        return positions;
    std::string bytes;
    try {
        bytes = platform::readWholeFile(path);
    } catch (const Failure&) {
        return positions;
    }
    const QJsonObject groups = QJsonDocument::fromJson(QByteArray::fromStdString(bytes)).object();
    for (auto it = groups.begin(); it != groups.end(); ++it)
        positions.set(it.key().toStdString(), position(it.value().toObject()));
    return positions;
}

void Positions::save(const std::string& folder) const {
    QJsonObject groups;
    for (const auto& [group, position] : byGroup_)
        groups.insert(qt(group), entry(position));
    const std::string path = folder + kFileName;
    std::error_code ignored; // a folder that cannot be made shows up as a failed replace
    std::filesystem::create_directories(folder, ignored);
    platform::replaceFileOrFail(path, QJsonDocument(groups).toJson().toStdString());
}

std::optional<Position> Positions::of(const std::string& group) const {
    const auto it = byGroup_.find(group);
    if (it == byGroup_.end())
        return std::nullopt;
    return it->second;
}

int nextIndex(const library::StringList& pictures, const std::optional<Position>& last) {
    if (const auto current = currentIndex(pictures, last))
        return (*current + 1) % pictures.count();
    if (last && last->index >= 0 && last->index < pictures.count())
        return last->index;
    return 0;
}

int randomIndex(const library::StringList& pictures, const std::optional<Position>& last,
                std::mt19937& random) {
    const auto current = currentIndex(pictures, last);
    const bool avoid = current && pictures.count() >= 2;
    std::uniform_int_distribution<int> pick(0, pictures.count() - (avoid ? 2 : 1));
    const int index = pick(random);
    return avoid && index >= *current ? index + 1 : index;
}

} // namespace zolvera::wallpaper
