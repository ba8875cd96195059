#include "ui/NameOrder.h"

#include "platform/Locale.h"

#include <algorithm>
#include <string>
#include <vector>

namespace zolvera::ui {

void sortNames(QStringList& names) {
    struct Keyed {
        std::string folded;
        std::string name;
        QString text;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& text : names) {
        const std::string name = text.toStdString();
        keyed.push_back({platform::foldCase(name), name, text});
    }
    // The same collation as every other comparison of the program (ICU, the user's locale).
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int byLetters = platform::compareLocale(a.folded, b.folded);
        return byLetters != 0 ? byLetters < 0 : platform::compareLocale(a.name, b.name) < 0;
    });
    names.clear();
    for (Keyed& entry : keyed)
        names.append(std::move(entry.text));
}

} // namespace zolvera::ui
