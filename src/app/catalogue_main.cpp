// zolvera-catalogue <folder> <base URL> [catalogue file]: writes the catalogue of the packages
// (*.dta) of a folder, as a web server publishes it for the download dialog. Each line gives a
// package's group name, base URL + "/" + its file name, and its size; Windows-1250, CR LF.
// The catalogue goes to <folder>/zolvera.txt unless another file is named; --help prints the
// usage.

#include "packages/Catalogue.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/Translate.h"
#include "platform/UiLanguage.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    // The application object holds the translators of the user's language.
    QCoreApplication application(argc, argv);
    zolvera::platform::installUiLanguage(application);
    const std::string usage = zolvera::platform::substitute(
        zolvera::platform::translate("Catalogue",
                                     "Használat: %1 <mappa> <alap URL> [csomaglista file]\n"),
        {argv[0]});
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage.c_str(), stdout);
        return 0;
    }
    if (argc < 3 || argc > 4) {
        std::fputs(usage.c_str(), stderr);
        return 2;
    }
    const std::string folder = argv[1];
    std::string baseUrl = argv[2];
    while (!baseUrl.empty() && baseUrl.back() == '/')
        baseUrl.pop_back();
    const std::string output = argc == 4 ? argv[3] : folder + "/zolvera.txt";
    try {
        const auto entries = zolvera::packages::catalogueOfFolder(folder, baseUrl);
        try {
            zolvera::platform::replaceFileAtomically(output,
                                                     zolvera::packages::catalogueBytes(entries));
        } catch (const zolvera::IoFailure& failure) {
            throw zolvera::Failure(zolvera::platform::substitute(
                zolvera::platform::translate("Catalogue", "A(z) \"%1\" csomaglista nem írható: %2"),
                {output, failure.reason()}));
        }
        std::fputs(zolvera::platform::substitute(
                       zolvera::platform::translate("Catalogue", "%1 csomag: %2\n"),
                       {std::to_string(entries.size()), output})
                       .c_str(),
                   stdout);
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
}
