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

QString qt(const std::string& text) {
    return QString::fromStdString(text);
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
    for (auto it = groups.begin(); it != groups.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        positions.set(it.key().toStdString(), {entry.value(kPicture).toString().toStdString(),
                                               entry.value(kIndex).toInt()});
    }
    return positions;
}

void Positions::save(const std::string& folder) const {
    QJsonObject groups;
    for (const auto& [group, position] : byGroup_)
        groups.insert(qt(group),
                      QJsonObject{{kPicture, qt(position.picture)}, {kIndex, position.index}});
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
