#include "ui/Main.h"

#include "desktop/ShellLauncher.h"
#include "library/BuildInfo.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "library/Settings.h"
#include "packages/InstallOffer.h"
#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/UiLanguage.h"
#include "ui/CsomagKeszit.h"
#include "ui/Dia.h"
#include "ui/FolderOffer.h"
#include "ui/Guard.h"
#include "ui/Letolt.h"
#include "ui/Mutat.h"
#include "ui/PackageInstall.h"
#include "ui/Placement.h"
#include "ui/Rendszer.h"
#include "ui/Seged.h"
#include "ui/UjCsoport.h"
#include "ui/about.h"
#include "ui/logo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <exception>

namespace zolvera::ui {

Tfrm_Main::Tfrm_Main(std::string appFolder, const WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), ui_(this), library_(std::move(appFolder), *this),
      commandLine_(QCoreApplication::arguments()),
      groupListWatcher_(library_.groupListPath(), [this] { return undisturbed(); }) {
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(QStringLiteral("Zolvera"));
    setAcceptDrops(true);
    centreOnScreen(*this);

    context_.settings.LoadSettings(settingsPath());

    // The hints of every control reach the status bar through the application.
    qApp->installEventFilter(this);
    QPalette hintPalette = QToolTip::palette();
    hintPalette.setColor(QPalette::ToolTipBase, QColor(255, 218, 181));
    hintPalette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(hintPalette);

    od.owner = this;
    od.title = tr("Kép megnyitása");
    od.filter = tr("JPEG képek (*.jpg;*.jpeg)|*.jpg;*.jpeg");
    od.defaultSuffix = QStringLiteral("jpg");
    od.directory = QString::fromStdString(library_.appFolder());
    od.picturePreview = true;

    oddta.owner = this;
    oddta.title = tr("Kép-csomag megnyitása");
    oddta.filter = tr("Zolvera csomag file-ok (*.dta)|*.dta");
    oddta.defaultSuffix = QStringLiteral("dta");

    const std::pair<QAction*, void (Tfrm_Main::*)()> handlers[] = {
        {ui_.aUjCsoport, &Tfrm_Main::aUjCsoportExecute},
        {ui_.aCsopTorol, &Tfrm_Main::aCsopTorolExecute},
        {ui_.aCsomagKeszit, &Tfrm_Main::aCsomagKeszitExecute},
        {ui_.aCsomagTelepit, &Tfrm_Main::aCsomagTelepitExecute},
        {ui_.aCsomagLetolt, &Tfrm_Main::aCsomagLetoltExecute},
        {ui_.aBezar, &Tfrm_Main::aBezarExecute},
        {ui_.aKepHozza, &Tfrm_Main::aKepHozzaExecute},
        {ui_.aKepTorol, &Tfrm_Main::aKepTorolExecute},
        {ui_.aDiaVetit, &Tfrm_Main::aDiaVetitExecute},
        {ui_.aBeallit, &Tfrm_Main::aBeallitExecute},
        {ui_.aSugo, &Tfrm_Main::aSugoExecute},
        {ui_.aHonlap, &Tfrm_Main::aHonlapExecute},
        {ui_.aLevel, &Tfrm_Main::aLevelExecute},
        {ui_.aUjdonsag, &Tfrm_Main::aUjdonsagExecute},
        {ui_.aNevjegy, &Tfrm_Main::aNevjegyExecute},
    };
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, guarded(this, handler));
    connect(&groupListWatcher_, &GroupListWatcher::changed, this,
            guarded(this, &Tfrm_Main::followGroupList));
    // A cover or picture scrolled into view that cannot be loaded ends its area there.
    for (ScrollBox* box : {ui_.sbx1, ui_.sbx2})
        connect(box, &ScrollBox::tileFailed, this, [this](const std::exception_ptr& failure) {
            runGuarded(context_.dialogs, this, [&] { std::rethrow_exception(failure); });
        });
    offerRetry_.setSingleShot(true);
    offerRetry_.setInterval(250);
    connect(&offerRetry_, &QTimer::timeout, this, &Tfrm_Main::runOffers);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zolvera.svg")));
}

Tfrm_Main::~Tfrm_Main() = default;

bool Tfrm_Main::undisturbed() const {
    return firstShown_ && !offering_ && !closed_ && QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr;
}

std::string Tfrm_Main::settingsPath() const {
    return library::settingsFile(library_.appFolder());
}

// --- Form events ---------------------------------------------------------------------------

void Tfrm_Main::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window restored from the task bar is shown again by the system, not by the program.
    if (!event->spontaneous())
        runGuarded(context_.dialogs, this, [this] { FormShow(); });
}

void Tfrm_Main::FormShow() {
    (new Tfrm_Logo(this, context_))->show();
    // The loading waits for the event loop, so that the window and the splash screen are on
    // screen before it starts, and its message boxes have a visible owner.
    if (!firstShown_)
        QTimer::singleShot(0, this, guarded(this, &Tfrm_Main::firstShowSteps));
}

void Tfrm_Main::firstShowSteps() {
    if (firstShown_)
        return;
    library_.ReloadGroups();
    ShowGroup(0);
    firstShown_ = true;
    commandLineOffer();
}

void Tfrm_Main::closeEvent(QCloseEvent* event) {
    // A running download is cancelled; its dialog closes as soon as the transfer has stopped.
    for (Tfrm_Letolt* dialog : findChildren<Tfrm_Letolt*>())
        dialog->reject();
    // A settings file that cannot be written is reported and keeps the window open, so the user
    // can free space and close again. When that save fails too the program ends all the same
    // without a second report: a settings file that can never be written must not trap the user.
    // A library busy in another program is waited for as long as the user wants; when they give
    // up, the window closes all the same and tells them the settings were not saved.
    const auto save = [this] {
        try {
            context_.settings.SaveSettings(settingsPath(),
                                           {.goOn = [this] { return keepWaitingForLibrary(); }});
        } catch (const library::LibraryBusy&) {
            ShowInfo(context_.dialogs,
                     tr("A beállítások nem lettek elmentve, mert a képtárat egy másik ablak vagy "
                        "program használja."),
                     this);
        }
    };
    if (settingsSaveFailed_) {
        try {
            save();
        } catch (const std::exception&) {
        }
        event->accept();
    } else {
        settingsSaveFailed_ = !runGuarded(context_.dialogs, this, save);
        event->setAccepted(!settingsSaveFailed_);
    }
    if (!event->isAccepted())
        return;
    closed_ = true;
    Q_EMIT closed();
}

void Tfrm_Main::contextMenuEvent(QContextMenuEvent* event) {
    runGuarded(context_.dialogs, this, [&] { ui_.pm2->exec(event->globalPos()); });
}

bool Tfrm_Main::takesDrop(const DroppedFiles& dropped, QPoint at) const {
    if (!undisturbed())
        return false;
    switch (dropped.kind) {
    case DroppedFiles::Kind::Packages:
        return true;
    case DroppedFiles::Kind::Folder:
        return ui_.Panel6->geometry().contains(at);
    case DroppedFiles::Kind::Pictures:
        return library_.groups().count() > 0 && ui_.Panel7->geometry().contains(at);
    case DroppedFiles::Kind::Refused:
        break;
    }
    return false;
}

void Tfrm_Main::dragEnterEvent(QDragEnterEvent* event) {
    // Taken when some place of the window takes it, so that the moves over it follow.
    const DroppedFiles dropped = droppedFiles(event->mimeData());
    event->setAccepted(undisturbed() && dropped.kind != DroppedFiles::Kind::Refused);
}

void Tfrm_Main::dragMoveEvent(QDragMoveEvent* event) {
    event->setAccepted(takesDrop(droppedFiles(event->mimeData()), event->position().toPoint()));
}

void Tfrm_Main::dropEvent(QDropEvent* event) {
    const DroppedFiles dropped = droppedFiles(event->mimeData());
    if (!takesDrop(dropped, event->position().toPoint())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (dropped.kind != DroppedFiles::Kind::Pictures) {
        offerPackages(dropped.paths); // a folder too, as given on the command line
        return;
    }
    std::vector<std::string> paths;
    for (const QString& path : dropped.paths)
        paths.push_back(path.toStdString());
    // After the drop has ended, so that the file manager is not held by the questions.
    QTimer::singleShot(0, this, guarded(this, [this, paths] { library_.addPictures(paths); }));
}

bool Tfrm_Main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && (widget->window() == this || qobject_cast<QMenu*>(widget))) {
            ui_.StatusBar1->setPanelText(1, static_cast<QStatusTipEvent*>(event)->tip());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- Group column and picture grid ---------------------------------------------------------

void Tfrm_Main::clearGroupColumn() {
    ui_.sbx1->clear();
}

void Tfrm_Main::buildGroupColumn() {
    groupListWatcher_.acknowledge(); // the column shows the file as it is now
    ui_.sbx1->showTiles(library_.groups().count(), [this](Tile& tile) { makeCoverTile(tile); });
}

void Tfrm_Main::makeCoverTile(Tile& tile) {
    const std::string& name = library_.groups().at(tile.tag);
    tile.setCaption(QString::fromStdString(name));
    PictureView* image = tile.image();
    image->load(library_.coverPath(name));
    reportDecodeFailures(image);
    connect(image, &PictureView::clicked, this,
            guarded(this, [this, image] { groupCoverClick(image); }));
}

void Tfrm_Main::groupCoverClick(PictureView* image) {
    library_.setCurrentGroup(image->tag);
    ShowGroup(library_.currentGroup());
}

void Tfrm_Main::ShowGroup(int index) {
    ui_.lblKezdes->setVisible(library_.groups().count() == 0);
    if (library_.groups().count() == 0) {
        // An empty library is a normal state: nothing to show and nothing to report.
        ui_.StatusBar1->setPanelText(0, QString());
        ui_.img->clear();
        ui_.sbx2->clear();
        library_.clearPictureList();
        return;
    }
    // The look-up comes first: an index beyond the list changes nothing on screen.
    const std::string name = library_.groups().at(index);
    ui_.StatusBar1->setPanelText(0, QStringLiteral("  ") + QString::fromStdString(name));
    showCover(index, name);
    ui_.sbx2->clear();
    library_.fillPictureList(index);
    ui_.sbx2->showTiles(
        library_.pictures().count(),
        [this, folder = library_.groupFolder(name)](Tile& tile) { makePictureTile(tile, folder); });
}

void Tfrm_Main::showCover(int index, const std::string& name) {
    // A group whose cover ended the column shows none.
    if (index >= ui_.sbx1->count()) {
        ui_.img->clear();
        return;
    }
    if (const Tile* cover = ui_.sbx1->tile(index)) {
        ui_.img->showPictureOf(*cover->image());
        return;
    }
    // Its tile is scrolled out of view, so the cover is read again; one that cannot be read
    // now is reported by the column when its tile comes into view.
    try {
        ui_.img->load(library_.coverPath(name));
    } catch (const Failure&) {
        ui_.img->clear();
    }
}

void Tfrm_Main::makePictureTile(Tile& tile, const std::string& groupFolder) {
    const std::string& fileName = library_.pictures().at(tile.tag);
    PictureView* image = tile.image();
    image->load(groupFolder + "/" + fileName);
    reportDecodeFailures(image);
    image->setStatusTip(QString::fromStdString(fileName));
    image->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(image, &PictureView::customContextMenuRequested, this, [this, image](QPoint at) {
        runGuarded(context_.dialogs, this, [&] { ui_.pm1->exec(image->mapToGlobal(at)); });
    });
    connect(image, &PictureView::rightButtonPressed, this,
            guarded(this, [this, image] { library_.setCurrentPicture(image->tag); }));
    connect(image, &PictureView::clicked, this,
            guarded(this, [this, image] { thumbnailClick(image); }));
}

// --- The group library's questions ---------------------------------------------------------

void Tfrm_Main::reportDecodeFailures(PictureView* image) {
    connect(image, &PictureView::decodeFailed, this, [this](const QString& message) {
        ShowErrorReport(context_.dialogs, message.toStdString(), this);
    });
}

void Tfrm_Main::showInfo(const std::string& text) {
    ShowInfo(context_.dialogs, QString::fromStdString(text), this);
}

bool Tfrm_Main::showConfirm(const std::string& text, const std::string& caption) {
    return ShowConfirm(context_.dialogs, QString::fromStdString(text),
                       QString::fromStdString(caption), this);
}

bool Tfrm_Main::keepWaitingForLibrary() {
    return ShowConfirm(context_.dialogs,
                       tr("A képtárat most egy másik ablak vagy program használja.\n"
                          "Várjak, amíg felszabadul? (Nem: a módosítás elmarad.)"),
                       tr("Foglalt képtár"), this);
}

std::optional<std::string> Tfrm_Main::choosePicture() {
    const std::optional<QString> chosen = context_.dialogs.chooseFile(od);
    if (!chosen)
        return std::nullopt;
    return chosen->toStdString();
}

// --- Commands ------------------------------------------------------------------------------

void Tfrm_Main::aCsopTorolExecute() {
    library_.deleteCurrentGroup();
}

void Tfrm_Main::aKepHozzaExecute() {
    library_.addPicture();
}

void Tfrm_Main::aKepTorolExecute() {
    library_.deletePicture();
}

void Tfrm_Main::aBezarExecute() {
    close();
}

void Tfrm_Main::aUjCsoportExecute() {
    ShowNewGroupDialog(this, context_, library_);
}

void Tfrm_Main::aCsomagKeszitExecute() {
    // The library's folder of groups as it is spelled on disk, so that the tree can show it.
    const std::string groups = platform::resolve(library::groupsFolder(library_.appFolder()));
    Tfrm_Csomagkeszit dialog(this, context_, QString::fromStdString(groups), packageFolder_);
    dialog.exec();
}

void Tfrm_Main::aCsomagTelepitExecute() {
    if (const std::optional<QString> chosen = context_.dialogs.chooseFile(oddta))
        installPackage(this, library_, chosen->toStdString());
}

void Tfrm_Main::aCsomagLetoltExecute() {
    const std::string& server = context_.settings.Server;
    Tfrm_Letolt dialog(this, context_, library_, server.empty() ? context_.defaultServer : server);
    // The catalogue's error box comes before the dialog shows.
    dialog.LoadCatalogue();
    dialog.exec();
}

void Tfrm_Main::aDiaVetitExecute() {
    // Without a group, the look-up of its name fails and nothing opens.
    const std::string name = library_.currentGroupName();
    ShowSlideshow(this, context_, library_.groupFolder(name), name);
}

void Tfrm_Main::aBeallitExecute() {
    ShowSettingsDialog(this, context_);
}

void Tfrm_Main::ShellOpen(const std::string& command) {
    context_.launcher.open(command);
}

void Tfrm_Main::aSugoExecute() {
    // In the language of the user interface when the library has it, else in Hungarian.
    const std::string translated =
        library::helpDocument(library_.appFolder(), platform::uiLanguage().toStdString());
    ShellOpen(platform::fileExists(translated) ? translated
                                               : library::helpDocument(library_.appFolder()));
}

void Tfrm_Main::aHonlapExecute() {
    ShellOpen(library::kHomePage);
}

void Tfrm_Main::aLevelExecute() {
    ShellOpen(std::string("mailto:") + library::kMailAddress);
}

void Tfrm_Main::aUjdonsagExecute() {
    ShellOpen(library::appPath(library_.appFolder(), "Ujdonsag.exe"));
}

void Tfrm_Main::aNevjegyExecute() {
    ShowAbout(this, context_);
}

void Tfrm_Main::thumbnailClick(PictureView* image) {
    ShowPicturePreview(this, context_, library_.currentGroupFolder() + "/",
                       library_.pictures().at(image->tag));
}

void Tfrm_Main::commandLineOffer() {
    pendingOffers_.prepend(commandLine_.value(1));
    runOffers();
}

void Tfrm_Main::offerPackages(const QStringList& paths) {
    pendingOffers_ += paths;
    // From the event loop rather than inside the caller, which may be a bus call waiting for
    // its answer.
    QTimer::singleShot(0, this, [this] { runOffers(); });
}

void Tfrm_Main::runOffers() {
    if (offering_ || pendingOffers_.isEmpty())
        return;
    if (!undisturbed()) {
        // An install under a dialog would change the lists that the command which opened it
        // goes on with. Before the first show the show itself starts the offers.
        if (firstShown_ && !closed_)
            offerRetry_.start();
        return;
    }
    offering_ = true;
    while (!pendingOffers_.isEmpty() && !closed_) {
        const std::string argument = pendingOffers_.takeFirst().toStdString();
        // A package that fails is reported on its own, and the next one is still offered.
        runGuarded(context_.dialogs, this, [&] {
            if (platform::folderExists(argument))
                offerFolder(argument);
            else
                offerPackage(argument);
        });
    }
    offering_ = false;
}

void Tfrm_Main::offerPackage(const std::string& argument) {
    const std::optional<std::string> question = packages::installOfferQuestion(argument);
    if (!question || !showConfirm(*question, packages::installOfferCaption()))
        return;
    // A damaged package ends in the general error report, and no completion message follows.
    installPackage(this, library_, argument);
    showInfo(packages::installDoneText());
}

void Tfrm_Main::offerFolder(const std::string& folder) {
    offerFolderAsGroup(this, context_, library_, folder, [this](const QString& progress) {
        ui_.StatusBar1->setPanelText(1, progress);
    });
}

void Tfrm_Main::bringToFront(const QString& activationToken) {
    if (isMinimized())
        showNormal();
    // The dialog in front, when one is open, is the window the user is to answer.
    QWidget* dialog = QApplication::activeModalWidget();
    QWidget* front = dialog != nullptr ? dialog : this;
    raise();
    if (dialog != nullptr)
        dialog->raise();
    // Qt's Wayland platform hands this variable's token to the compositor at the next
    // activation, and clears it.
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    front->activateWindow();
}

void Tfrm_Main::followGroupList() {
    const library::StringList& groups = library_.groups();
    const int current = library_.currentGroup();
    const std::string shown = current >= 0 && current < groups.count() ? groups.at(current) : "";
    library_.ReloadGroups();
    const auto& listed = library_.groups().items();
    const auto found = std::ranges::find(listed, shown);
    library_.setCurrentGroup(found == listed.end() ? 0 : int(found - listed.begin()));
    ShowGroup(library_.currentGroup());
}

} // namespace zolvera::ui
