#include "ui/Letolt.h"

#include "library/GroupLibrary.h"
#include "packages/InstallPackage.h"
#include "platform/CodePage.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "ui/Guard.h"
#include "ui/Placement.h"
#include "ui/Seged.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <exception>
#include <thread>
#include <utility>

namespace zolvera::ui {

Tfrm_Letolt* frm_Letolt = nullptr;

namespace {

constexpr QSize kClientSize(431, 355);

QPushButton* makeButton(QWidget* owner, const QString& caption, int left) {
    auto* button = new QPushButton(caption, owner);
    button->setGeometry(left, 308, 75, 25);
    button->setAutoDefault(false);
    // The buttons keep their fixed size; a caption wider than the system font allows gets a
    // smaller font instead of being cut off.
    QFont font = button->font();
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).horizontalAdvance(caption) > button->width() - 8)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    button->setFont(font);
    return button;
}

} // namespace

Tfrm_Letolt::Tfrm_Letolt(QWidget* owner, Dialogs& dialogs, library::GroupLibrary& library,
                         std::string server, net::TimeLimits limits)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ListView1(new QTreeWidget(this)),
      Button1(makeButton(this, QStringLiteral("Lista frissítés"), 8)),
      Button2(makeButton(this, QStringLiteral("Letöltés"), 264)),
      Button3(makeButton(this, QStringLiteral("Bezár"), 348)), ProgressBar1(new QProgressBar(this)),
      dialogs_(dialogs), library_(library), server_(std::move(server)), IdHTTP1(limits) {
    frm_Letolt = this;
    setObjectName(QStringLiteral("frm_Letolt"));
    setWindowTitle(QStringLiteral("Csomag letöltése Internetről"));
    setFixedSize(kClientSize);

    ListView1->setGeometry(0, 0, kClientSize.width(), 297);
    ListView1->setHeaderLabels({QStringLiteral("név"), QStringLiteral("link")});
    ListView1->header()->resizeSection(0, 150);
    ListView1->header()->resizeSection(1, 220);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false); // the rows come in the locale's order

    ProgressBar1->setGeometry(0, kClientSize.height() - 16, kClientSize.width(), 16);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFocusPolicy(Qt::NoFocus);

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, ListView1);
    setTabOrder(ListView1, ProgressBar1);

    connect(ListView1, &QTreeWidget::itemSelectionChanged, this,
            guarded(this, &Tfrm_Letolt::ListView1Change));
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this,
            [this] { runCommand(&Tfrm_Letolt::Button2Click); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { runCommand(&Tfrm_Letolt::Button1Click); });
    connect(Button2, &QPushButton::clicked, this,
            [this] { runCommand(&Tfrm_Letolt::Button2Click); });
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);

    // Reports come from the worker thread; the latest count is shown, one pending report at
    // a time, always on the dialog's own thread.
    IdHTTP1.onWork = [this](std::uint64_t count) {
        received_ = count;
        if (!workReportPending_.exchange(true))
            QMetaObject::invokeMethod(
                this,
                [this] {
                    workReportPending_ = false;
                    IdHTTP1Work(received_);
                },
                Qt::QueuedConnection);
    };
    IdHTTP1.onWorkEnd = [this] {
        QMetaObject::invokeMethod(
            this, [this] { IdHTTP1WorkEnd(); }, Qt::QueuedConnection);
    };

    centreOnScreen(*this);
    ListView1Change();
}

Tfrm_Letolt::~Tfrm_Letolt() {
    if (frm_Letolt == this)
        frm_Letolt = nullptr;
}

std::string Tfrm_Letolt::path(const std::string& relative) const {
    return library_.appFolder() + platform::kSeparator + relative;
}

void Tfrm_Letolt::LoadCatalogue() {
    std::vector<packages::CatalogueEntry> entries;
    try {
        entries = packages::readCatalogue(path("internet.txt"));
    } catch (const Failure&) {
        ShowError(dialogs_, QStringLiteral("Hiba az állomány lista megnyitásakor."), this);
        return;
    }
    rows_ = packages::catalogueRows(std::move(entries), library_.groups());
    ListView1->clear();
    for (const packages::CatalogueEntry& row : rows_)
        new QTreeWidgetItem(ListView1,
                            {QString::fromStdString(row.name), QString::fromStdString(row.link)});
    if (!rows_.empty())
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
    ListView1Change();
}

void Tfrm_Letolt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ListView1->setFocus(); // FormShow
}

void Tfrm_Letolt::ListView1Change() {
    Button2->setEnabled(!ListView1->selectedItems().isEmpty());
}

void Tfrm_Letolt::runCommand(void (Tfrm_Letolt::*command)()) {
    if (busy_)
        return; // one transfer at a time: a command asked for meanwhile is ignored
    busy_ = true;
    runGuarded(dialogs_, this, [&] { (this->*command)(); });
    busy_ = false;
    if (const std::optional<int> result = std::exchange(closeAsked_, std::nullopt))
        QDialog::done(*result);
}

void Tfrm_Letolt::Button1Click() {
    const std::string temporary = path("Internet.tmp");
    if (!download("http://" + server_ + std::string(packages::kCatalogueServerPath), temporary))
        return;
    const std::string catalogue = path("Internet.txt");
    platform::deleteFile(catalogue);
    if (!platform::renameFile(temporary, catalogue))
        throw Failure("Az Internet.tmp nem nevezhető át Internet.txt névre");
    LoadCatalogue();
    ShowInfo(dialogs_, QStringLiteral("Lista frissítése kész."), this);
}

void Tfrm_Letolt::Button2Click() {
    QTreeWidgetItem* item = ListView1->currentItem();
    if (item == nullptr || !item->isSelected())
        return;
    // What the command took at its start stays its own, whatever happens to the list meanwhile.
    const packages::CatalogueEntry row =
        rows_.at(std::size_t(ListView1->indexOfTopLevelItem(item)));
    ProgressBar1->setValue(0);
    ProgressBar1->setMaximum(packages::packageSize(row.size));

    const std::optional<std::string> name = packages::downloadName(row.link);
    const std::string local = path("Tmp") + platform::kSeparator + name.value_or("");
    if (!name) {
        showDownloadError(failures::cannotCreateFile(local, IoFailure(3).what()).what());
        return;
    }
    // The link is requested as the catalogue wrote it, in its own bytes.
    if (!download(platform::utf8ToAnsi(row.link).value_or(row.link), local))
        return;
    packages::InstallPackage(library_, local);
    ShowInfo(dialogs_, QStringLiteral("A file letöltése kész."), this);
}

bool Tfrm_Letolt::download(const std::string& url, const std::string& localPath) {
    std::optional<std::string> failure;
    try {
        platform::File file = platform::File::create(localPath);
        failure = transfer(url, file);
        file.close();
    } catch (const Failure& creating) {
        failure = creating.what();
    }
    if (failure)
        showDownloadError(*failure);
    return !failure;
}

std::optional<std::string> Tfrm_Letolt::transfer(const std::string& url, platform::File& file) {
    std::optional<std::string> failure;
    QEventLoop waiting;
    std::thread worker([&] {
        try {
            IdHTTP1.get(url, file);
        } catch (const std::exception& error) {
            failure = error.what();
        }
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec();
    worker.join();
    return failure;
}

void Tfrm_Letolt::IdHTTP1Work(std::uint64_t count) {
    // A position past the maximum shows a full bar.
    ProgressBar1->setValue(
        int(std::min<std::uint64_t>(count, std::uint64_t(ProgressBar1->maximum()))));
}

void Tfrm_Letolt::IdHTTP1WorkEnd() {
    ProgressBar1->setValue(0);
}

void Tfrm_Letolt::showDownloadError(const std::string& failure) {
    ShowError(dialogs_,
              QStringLiteral("Hiba letöltés közben\r\n") + QString::fromStdString(failure), this);
}

void Tfrm_Letolt::done(int result) {
    if (busy_) {
        closeAsked_ = result;
        return;
    }
    QDialog::done(result);
}

void ShowDownloadDialog(QWidget* owner, Dialogs& dialogs, library::GroupLibrary& library,
                        const std::string& server) {
    Tfrm_Letolt window(owner, dialogs, library, server);
    window.LoadCatalogue();
    window.exec();
}

} // namespace zolvera::ui
