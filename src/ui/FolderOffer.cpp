#include "ui/FolderOffer.h"

#include "library/GroupLibrary.h"
#include "packages/ImportFolder.h"
#include "ui/LatestReport.h"
#include "ui/Runner.h"
#include "ui/Seged.h"
#include "ui/UjCsoport.h"

#include <QCoreApplication>
#include <QWidget>

namespace zolvera::ui {

namespace {

// The names, one a line; past the first twenty only their number.
QString nameLines(const std::vector<std::string>& names) {
    constexpr std::size_t kShown = 20;
    QString lines;
    for (std::size_t i = 0; i < names.size() && i < kShown; ++i)
        lines += QStringLiteral("\n") + QString::fromStdString(names[i]);
    if (names.size() > kShown)
        lines +=
            QStringLiteral("\n") + QCoreApplication::translate("FolderOffer", "... és még %1 kép")
                                       .arg(qsizetype(names.size() - kShown));
    return lines;
}

} // namespace

void offerFolderAsGroup(QWidget* owner, const WindowContext& context,
                        library::GroupLibrary& library, const std::string& folder,
                        const std::function<void(const QString&)>& showProgress) {
    packages::FolderImport import(folder);
    const QString folderName = QString::fromStdString(import.folderName());
    if (import.pictureCount() == 0) {
        ShowInfo(context.dialogs,
                 QCoreApplication::translate(
                     "FolderOffer",
                     "A(z) %1 mappában nincs JPEG kép (*.jpg), ezért csoport nem hozható létre.")
                     .arg(folderName),
                 owner);
        return;
    }
    if (!ShowConfirm(context.dialogs,
                     QCoreApplication::translate(
                         "FolderOffer", "Létrehozzam a(z) %1 csoportot a mappa %2 képéből?")
                         .arg(folderName)
                         .arg(import.pictureCount()),
                     QCoreApplication::translate("FolderOffer", "Megerősítés"), owner))
        return;
    std::string name = import.folderName();
    while (!import.reserve(library, name)) {
        const std::optional<std::string> asked = AskNewGroupName(owner, context, library, name);
        if (!asked)
            return;
        name = *asked;
    }
    bool copied = false;
    try {
        LatestReport progress(showProgress);
        runOffThread([&] {
            copied = import.copy([&](int done, int total) {
                progress.post(QCoreApplication::translate("FolderOffer", "Képek másolása: %1 / %2")
                                  .arg(done)
                                  .arg(total));
            });
        });
    } catch (...) {
        showProgress(QString());
        throw;
    }
    // The progress went with its report still queued, so this stays the last word.
    showProgress(QString());
    if (!copied) {
        ShowInfo(context.dialogs,
                 QCoreApplication::translate(
                     "FolderOffer",
                     "A(z) %1 mappa képei közül egy sem olvasható, ezért a csoport nem jött "
                     "létre.%2")
                     .arg(folderName, nameLines(import.skipped())),
                 owner);
        return;
    }
    import.addTo(library);
    if (!import.skipped().empty())
        ShowInfo(context.dialogs,
                 QCoreApplication::translate(
                     "FolderOffer",
                     "A(z) %1 csoport elkészült. Ezek a képek nem olvashatók, kimaradtak:%2")
                     .arg(QString::fromStdString(name), nameLines(import.skipped())),
                 owner);
}

} // namespace zolvera::ui
