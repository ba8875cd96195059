#pragma once

#include "packages/Catalogue.h"
#include "packages/Download.h"
#include "ui/WindowContext.h"

#include <QDialog>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace zolvera::library {
class GroupLibrary;
}

namespace zolvera::ui {

// The download dialog: lists the packages of the catalogue kept in Internet.txt that the
// library lacks, refreshes the catalogue from the maker's web server ("Lista frissítés") and
// downloads the selected package into Tmp and installs it ("Letöltés" or a double click).
// The transfers are the downloader's; they, and the reading and sorting of the catalogue, run
// off the dialog's thread, so the window never freezes. Closing the dialog during a transfer
// cancels it (no box, the partial file removed) and the dialog closes at once; a second
// transfer asked for meanwhile is ignored.
class Tfrm_Letolt : public QDialog {
    Q_OBJECT
public:
    // server: "host[:port]" of the maker's web server, where the catalogue is /zolvera.txt.
    Tfrm_Letolt(QWidget* owner, const WindowContext& context, library::GroupLibrary& library,
                std::string server, net::TimeLimits limits = {});

    Dialogs& dialogs() const { return context_.dialogs; }
    // The catalogue rows on show, in list order.
    const std::vector<packages::CatalogueEntry>& rows() const { return rows_; }

    // Fills the list from Internet.txt; an unreadable file gives the error box and an empty list.
    void LoadCatalogue();

    QTreeWidget* ListView1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QProgressBar* ProgressBar1;

public Q_SLOTS:
    void ListView1Change();
    void Button1Click();
    void Button2Click();
    void IdHTTP1Work(std::uint64_t count);
    void IdHTTP1WorkEnd();
    // Shows the latest count the transfer reported.
    void showReceived();
    // Closing cancels a running transfer; the dialog closes when its command has ended.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Runs a command of a button or the list inside the general error report. While it runs,
    // further commands are ignored and a close waits for its end.
    void runCommand(void (Tfrm_Letolt::*command)());
    // Runs a fetch of the downloader off the dialog's thread. A failure shows the download
    // error box and yields false with no file left; so does a cancel, without the box.
    bool transfer(const std::function<void()>& fetch);
    // Shows "Hiba letöltés közben", a line break and the failure's text.
    void showDownloadError(const std::string& failure);

    WindowContext context_;
    library::GroupLibrary& library_;
    std::string server_;
    packages::Downloader IdHTTP1;
    std::vector<packages::CatalogueEntry> rows_;
    bool busy_ = false;
    bool transferring_ = false;
    bool progressShown_ = true; // false while a package of unknown size downloads
    std::optional<int> closeAsked_;
    std::atomic<std::uint64_t> received_{0};
    std::atomic<bool> workReportPending_{false};
};

} // namespace zolvera::ui
