#include "library/InstalledDefaults.h"

#include "library/BuiltHelp.h"
#include "library/LibraryLayout.h"
#include "platform/FileSystem.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <vector>

namespace zolvera::library {

namespace fs = std::filesystem;

namespace {

// What the library was last given: the version, each help document as it was left there
// ("size mtime", none when the document is the user's) and the template names. The Hungarian
// document's line is "help <size mtime>", as older programs wrote it; another's
// "help:<name> <size mtime>".
struct DefaultsRecord {
    std::string version;
    std::map<std::string, std::string> help; // by file name
    std::set<std::string> templates;
};

constexpr std::string_view kHelpKey = "help";

DefaultsRecord readRecord(const fs::path& file) {
    DefaultsRecord record;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const auto space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        if (key == "version")
            record.version = value;
        else if (key == kHelpKey)
            record.help[std::string(kHelpDocumentName)] = value;
        else if (key.starts_with(std::string(kHelpKey) + ':'))
            record.help[key.substr(kHelpKey.size() + 1)] = value;
        else if (key == "template")
            record.templates.insert(value);
    }
    return record;
}

// Written beside and renamed into place, so that a broken-off start leaves the old record.
void writeRecord(const fs::path& file, const DefaultsRecord& record) {
    std::ostringstream text;
    text << "version " << record.version << '\n';
    for (const auto& [name, given] : record.help) {
        if (given.empty())
            continue;
        text << kHelpKey;
        if (name != kHelpDocumentName)
            text << ':' << name;
        text << ' ' << given << '\n';
    }
    for (const std::string& name : record.templates)
        text << "template " << name << '\n';
    std::ifstream old(file, std::ios::binary);
    if (std::string(std::istreambuf_iterator<char>(old), {}) == text.str())
        return;
    const fs::path partial = file.string() + ".new";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << text.str();
        if (!out.flush())
            return;
    }
    std::error_code error;
    fs::rename(partial, file, error);
}

// "size mtime" of a file, empty when it is missing.
std::string fingerprint(const fs::path& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error)
        return "";
    const auto time = fs::last_write_time(file, error);
    if (error)
        return "";
    return std::to_string(size) + ' ' + std::to_string(time.time_since_epoch().count());
}

// The help documents of the defaults: zolvera.pdf in Hungarian and zolvera_<language>.pdf.
std::vector<std::string> helpDocuments(const fs::path& defaults) {
    std::vector<std::string> names{std::string(kHelpDocumentName)};
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(defaults, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(kTranslatedHelpPrefix) && name.ends_with(".pdf") &&
            name.find_first_of(" \n") == std::string::npos && entry.is_regular_file(error))
            names.push_back(name);
    }
    return names;
}

void updateHelp(const fs::path& defaults, const fs::path& folder, const std::string& name,
                std::string_view version, DefaultsRecord& record) {
    const fs::path installed = defaults / name;
    const fs::path copy = folder / name;
    const std::string current = fingerprint(copy);
    std::string& given = record.help[name];
    const bool ours = !current.empty() && current == given;
    if (current.empty() || (ours && isNewerVersion(version, record.version))) {
        if (platform::copyFile(installed.string(), copy.string()))
            given = fingerprint(copy);
    } else if (!ours) {
        given.clear();
    }
}

void addNewTemplates(const fs::path& defaults, const fs::path& folder, DefaultsRecord& record) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(defaults / kTemplatesFolderName, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(error) || name.find('\n') != std::string::npos ||
            record.templates.count(name) != 0)
            continue;
        const fs::path target = folder / kTemplatesFolderName / name;
        fs::create_directories(target.parent_path(), error);
        if (platform::fileExists(target.string()) ||
            platform::copyFile(entry.path().string(), target.string()))
            record.templates.insert(name);
    }
}

} // namespace

bool isNewerVersion(std::string_view a, std::string_view b) {
    // Each dotted part as a number; a missing part counts as 0.
    auto nextPart = [](std::string_view& text) {
        unsigned part = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), part);
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        if (!text.empty() && text.front() == '.')
            text.remove_prefix(1);
        return error == std::errc() ? part : 0U;
    };
    while (!a.empty() || !b.empty()) {
        const unsigned left = nextPart(a);
        const unsigned right = nextPart(b);
        if (left != right)
            return left > right;
    }
    return false;
}

void updateFromDefaults(const std::string& defaults, const std::string& folder,
                        std::string_view version, bool fresh) {
    const fs::path recordFile = fs::path(folder) / kDefaultsRecordName;
    std::error_code error;
    const bool recorded = fs::exists(recordFile, error);
    DefaultsRecord record = readRecord(recordFile);
    if (!recorded) {
        // Whatever the library has now counts as given; only later additions are added. A
        // library an older program made has the help documents it was given only where a
        // Zolvera build wrote them and nothing saved them since; they are older than any
        // version, so the installed ones replace them.
        for (const std::string& name : helpDocuments(defaults)) {
            const fs::path copy = fs::path(folder) / name;
            record.help[name] =
                fresh || isBuiltHelpDocument(copy.string()) ? fingerprint(copy) : "";
        }
        for (const auto& entry :
             fs::directory_iterator(fs::path(defaults) / kTemplatesFolderName, error))
            record.templates.insert(entry.path().filename().string());
        record.version = fresh ? version : "";
    }
    for (const std::string& name : helpDocuments(defaults))
        updateHelp(defaults, folder, name, version, record);
    addNewTemplates(defaults, folder, record);
    if (isNewerVersion(version, record.version))
        record.version = version;
    writeRecord(recordFile, record);
}

} // namespace zolvera::library
