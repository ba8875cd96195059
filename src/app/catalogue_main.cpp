// zolvera-catalogue <folder> <base URL> [catalogue file]: writes the catalogue of the packages
// (*.dta) of a folder, as a web server publishes it for the download dialog. Each line gives a
// package's group name, base URL + "/" + its file name, and its size; Windows-1250, CR LF.
// The catalogue goes to <folder>/zolvera.txt unless another file is named; --help prints the
// usage.

#include "packages/Catalogue.h"
#include "platform/Failure.h"
#include "platform/File.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    const char* usage = "Használat: %s <mappa> <alap URL> [csomaglista file]\n";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf(usage, argv[0]);
        return 0;
    }
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, usage, argv[0]);
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
            throw zolvera::Failure("A(z) \"" + output +
                                   "\" csomaglista nem írható: " + failure.reason());
        }
        std::printf("%zu csomag: %s\n", entries.size(), output.c_str());
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
}
