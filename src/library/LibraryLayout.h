#pragma once

#include <string>
#include <string_view>

// Where the application folder keeps its own files and folders. Their names are spelled here
// and nowhere else; a path is the application folder, "/" and the name, joined by plain
// concatenation.
namespace zolvera::library {

inline constexpr std::string_view kSettingsFileName = "Zolvera.ini";
inline constexpr std::string_view kGroupListFileName = "Zolvera.lst";
inline constexpr std::string_view kGroupsFolderName = "Hatterek";    // one folder per group
inline constexpr std::string_view kTemplatesFolderName = "Template"; // the cover templates
inline constexpr std::string_view kDownloadsFolderName = "Tmp";
inline constexpr std::string_view kCatalogueFileName = "Internet.txt";
inline constexpr std::string_view kCatalogueDownloadName = "Internet.tmp"; // a refresh arriving
inline constexpr std::string_view kHelpDocumentName = "zolvera.pdf";       // in Hungarian
inline constexpr std::string_view kTranslatedHelpPrefix = "zolvera_";      // + language + ".pdf"

// appFolder + "/" + name
inline std::string appPath(const std::string& appFolder, std::string_view name) {
    return appFolder + "/" + std::string(name);
}

inline std::string settingsFile(const std::string& appFolder) {
    return appPath(appFolder, kSettingsFileName);
}
inline std::string groupListFile(const std::string& appFolder) {
    return appPath(appFolder, kGroupListFileName);
}
inline std::string groupsFolder(const std::string& appFolder) {
    return appPath(appFolder, kGroupsFolderName);
}
// The folder of the named group.
inline std::string groupFolderPath(const std::string& appFolder, const std::string& name) {
    return groupsFolder(appFolder) + "/" + name;
}
inline std::string templatesFolder(const std::string& appFolder) {
    return appPath(appFolder, kTemplatesFolderName);
}
inline std::string downloadsFolder(const std::string& appFolder) {
    return appPath(appFolder, kDownloadsFolderName);
}
inline std::string catalogueFile(const std::string& appFolder) {
    return appPath(appFolder, kCatalogueFileName);
}
inline std::string catalogueDownload(const std::string& appFolder) {
    return appPath(appFolder, kCatalogueDownloadName);
}
inline std::string helpDocument(const std::string& appFolder) {
    return appPath(appFolder, kHelpDocumentName);
}
// The help document in the language ("hu", "en" ...): zolvera.pdf in Hungarian, else
// zolvera_<language>.pdf.
inline std::string helpDocument(const std::string& appFolder, std::string_view language) {
    return language == "hu" ? helpDocument(appFolder)
                            : appFolder + "/" + std::string(kTranslatedHelpPrefix) +
                                  std::string(language) + ".pdf";
}

} // namespace zolvera::library
