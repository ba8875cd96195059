#include "ui/Letolt.h"

#include "library/GroupLibrary.h"
#include "library/LibraryLayout.h"
#include "ui/DialogFrame.h"
#include "ui/Guard.h"
#include "ui/PackageInstall.h"
#include "ui/Placement.h"
#include "ui/Runner.h"
#include "ui/Seged.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <exception>
#include <utility>

namespace zolvera::ui {

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

Tfrm_Letolt::Tfrm_Letolt(QWidget* owner, const WindowContext& context,
                         library::GroupLibrary& library, std::string server, net::TimeLimits limits)
    : QDialog(owner, kDialogFrame), ListView1(new QTreeWidget(this)),
      Button1(makeButton(this, tr("Lista frissítés"), 8)),
      Button2(makeButton(this, tr("Letöltés"), 264)), Button3(makeButton(this, tr("Bezár"), 348)),
      ProgressBar1(new QProgressBar(this)), context_(context), library_(library),
      server_(std::move(server)), IdHTTP1(library.appFolder(), limits) {
    setObjectName(QStringLiteral("frm_Letolt"));
    setWindowTitle(tr("Csomag letöltése Internetről"));
    setFixedSize(kClientSize);

    ListView1->setGeometry(0, 0, kClientSize.width(), 297);
    ListView1->setHeaderLabels({tr("név"), tr("link")});
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
    IdHTTP1.onProgress = [this](std::uint64_t count) {
        received_ = count;
        // Named slots, not functors of ours: Qt's event queue passes a functor on in a way
        // ThreadSanitizer cannot see.
        if (!workReportPending_.exchange(true))
            QMetaObject::invokeMethod(this, "showReceived", Qt::QueuedConnection);
    };
    IdHTTP1.onProgressEnd = [this] {
        QMetaObject::invokeMethod(this, "IdHTTP1WorkEnd", Qt::QueuedConnection);
    };

    centreOnScreen(*this);
    ListView1Change();
}

void Tfrm_Letolt::LoadCatalogue() {
    std::vector<packages::CatalogueEntry> rows;
    try {
        // User input waits meanwhile: the rows are not there yet to act on.
        runOffThread(
            [&, file = library::catalogueFile(library_.appFolder()), groups = library_.groups()] {
                rows = packages::catalogueRows(packages::readCatalogue(file), groups);
            });
    } catch (const Failure&) {
        ShowError(context_.dialogs, tr("Hiba az állomány lista megnyitásakor."), this);
        return;
    }
    rows_ = std::move(rows);
    ListView1->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(rows_.size()));
    for (const packages::CatalogueEntry& row : rows_)
        items.append(new QTreeWidgetItem(
            {QString::fromStdString(row.name), QString::fromStdString(row.link)}));
    ListView1->addTopLevelItems(items);
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
    runGuarded(context_.dialogs, this, [&] { (this->*command)(); });
    busy_ = false;
    if (const std::optional<int> result = std::exchange(closeAsked_, std::nullopt))
        QDialog::done(*result);
}

void Tfrm_Letolt::Button1Click() {
    if (!transfer([&] { IdHTTP1.fetchCatalogue(server_); }))
        return;
    IdHTTP1.replaceCatalogue();
    LoadCatalogue();
    ShowInfo(context_.dialogs, tr("Lista frissítése kész."), this);
}

void Tfrm_Letolt::Button2Click() {
    QTreeWidgetItem* item = ListView1->currentItem();
    if (item == nullptr || !item->isSelected())
        return;
    // What the command took at its start stays its own, whatever happens to the list meanwhile.
    const packages::CatalogueEntry row =
        rows_.at(std::size_t(ListView1->indexOfTopLevelItem(item)));
    ProgressBar1->setValue(0);
    const std::int32_t size = packages::packageSize(row.size);
    // A range of 0 to 0 would show a busy bar that never ends; an unknown size shows none.
    progressShown_ = size > 0;
    ProgressBar1->setMaximum(std::max(size, 1));
    std::string local;
    if (!transfer([&] { local = IdHTTP1.fetchPackage(row); }))
        return;
    installPackage(this, library_, local);
    ShowInfo(context_.dialogs, tr("A file letöltése kész."), this);
}

bool Tfrm_Letolt::transfer(const std::function<void()>& fetch) {
    std::optional<std::string> failure;
    bool cancelled = false;
    transferring_ = true;
    try {
        // The dialog takes input meanwhile: closing it cancels the transfer.
        runOffThread(fetch, WhileWorking::TakeInput);
    } catch (const net::Cancelled&) {
        cancelled = true;
    } catch (const std::exception& error) {
        failure = error.what();
    }
    transferring_ = false;
    if (failure)
        showDownloadError(*failure);
    return !failure && !cancelled;
}

void Tfrm_Letolt::IdHTTP1Work(std::uint64_t count) {
    if (!progressShown_)
        return;
    // A position past the maximum shows a full bar.
    ProgressBar1->setValue(
        int(std::min<std::uint64_t>(count, std::uint64_t(ProgressBar1->maximum()))));
}

void Tfrm_Letolt::showReceived() {
    workReportPending_ = false;
    IdHTTP1Work(received_);
}

void Tfrm_Letolt::IdHTTP1WorkEnd() {
    ProgressBar1->setValue(0);
}

void Tfrm_Letolt::showDownloadError(const std::string& failure) {
    ShowError(context_.dialogs,
              tr("Hiba letöltés közben") + QStringLiteral("\r\n") + QString::fromStdString(failure),
              this);
}

void Tfrm_Letolt::done(int result) {
    if (busy_) {
        closeAsked_ = result;
        if (transferring_)
            IdHTTP1.cancel();
        return;
    }
    QDialog::done(result);
}

} // namespace zolvera::ui
