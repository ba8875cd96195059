#include "ui/CsomagKeszit.h"

#include "library/Cover.h"
#include "library/NameRules.h"
#include "packages/PackFolder.h"
#include "packages/PackageFormat.h"
#include "platform/FileSystem.h"
#include "ui/DialogFrame.h"
#include "ui/FolderTree.h"
#include "ui/Guard.h"
#include "ui/Placement.h"
#include "ui/Runner.h"
#include "ui/Seged.h"
#include "ui/WorkProgress.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace zolvera::ui {

namespace {

// The controls take 637 × 336; the status line is below them.
constexpr int kStatusHeight = 20;
constexpr QSize kClientSize(637, 336 + kStatusHeight);
constexpr int kOldNameRole = Qt::UserRole;

// The folder's files (not its folders) in the order the packer takes its pictures.
QStringList fileNames(const QString& folder) {
    const std::string path = folder.toStdString();
    QStringList names;
    for (const std::string& name : platform::listByMask(path + "/*"))
        if (platform::fileExists(path + "/" + name))
            names.append(QString::fromStdString(name));
    return names;
}

// The tree's roots, then the folders from the file system root down to the path.
QStringList pathChoices(const QStringList& roots, const QString& path) {
    QStringList choices = roots;
    QString folder = QDir::rootPath();
    choices.append(folder);
    for (const QString& name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        folder = QDir(folder).filePath(name);
        choices.append(folder);
    }
    choices.removeDuplicates();
    return choices;
}

// A typed path as the shell reads it: a leading ~ stands for the home folder.
QString expandHome(const QString& path) {
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

} // namespace

Tfrm_Csomagkeszit::Tfrm_Csomagkeszit(QWidget* owner, const WindowContext& context,
                                     const QString& groupsFolder, QString& packageFolder)
    : QDialog(owner, kDialogFrame), ShellComboBox1(new QComboBox(this)),
      ShellTreeView1(new FolderTree(this)), ShellListView1(new QListWidget(this)),
      Button2(new QPushButton(tr("Csomagol"), this)), Button1(new QPushButton(tr("Bezár"), this)),
      StatusBar1(new QLabel(this)), context_(context), packageFolder_(packageFolder) {
    setObjectName(QStringLiteral("frm_Csomagkeszit"));
    setWindowTitle(tr("Csomag készítése (DTA file készítés)"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(kClientSize);

    ShellComboBox1->setGeometry(4, 4, 257, 22);
    ShellComboBox1->setEditable(true);
    ShellComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ShellComboBox1->setCompleter(nullptr); // a typed path means what was typed, no more
    ShellComboBox1->setMaxVisibleItems(8);
    ShellTreeView1->setGeometry(4, 28, 253, 305);
    // The library lies in a hidden folder when it is the per-user one.
    if (QFileInfo(groupsFolder).isDir())
        ShellTreeView1->addRoot(groupsFolder, QFileInfo(groupsFolder).fileName());
    ShellTreeView1->addRoot(QDir::homePath(), QDir::homePath());
    ShellTreeView1->addRoot(QDir::rootPath(), QDir::rootPath());
    ShellListView1->setGeometry(264, 4, 369, 289);
    ShellListView1->setFlow(QListView::TopToBottom); // list style: columns side by side
    ShellListView1->setWrapping(true);
    ShellListView1->setResizeMode(QListView::Adjust);
    ShellListView1->setEditTriggers(QAbstractItemView::SelectedClicked |
                                    QAbstractItemView::EditKeyPressed);
    // The selection stays visible when the list loses the focus.
    QPalette palette = ShellListView1->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    ShellListView1->setPalette(palette);
    Button2->setGeometry(468, 304, 75, 25);
    Button1->setGeometry(552, 304, 75, 25);
    StatusBar1->setGeometry(0, 336, kClientSize.width(), kStatusHeight);
    StatusBar1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // No button is the default: Enter presses the focused button (see keyPressEvent) and
    // belongs to the path box and the name editor elsewhere; Esc closes the dialog.
    Button2->setAutoDefault(false);
    Button1->setAutoDefault(false);

    SaveDialog1.owner = this;
    SaveDialog1.mode = FileDialogRequest::Mode::Save;
    SaveDialog1.filter = tr("Zolvera csomag file-ok (*.dta)|*.dta");
    SaveDialog1.defaultSuffix = QStringLiteral("dta");
    SaveDialog1.confirmOverwrite = false;

    connect(ShellTreeView1, &FolderTree::folderSelected, this, [this](const QString& path) {
        runGuarded(context_.dialogs, this, [&] { showFolder(path); });
    });
    // Enter in the path box (taken before the box or the dialog acts on it), or a folder
    // chosen from its list.
    ShellComboBox1->installEventFilter(this);
    connect(ShellComboBox1, &QComboBox::activated, this,
            guarded(this, [this] { selectTypedFolder(ShellComboBox1->currentText()); }));
    // Queued, so that the rename and its message come after the name editor has closed.
    connect(
        ShellListView1, &QListWidget::itemChanged, this,
        [this](QListWidgetItem* item) {
            runGuarded(context_.dialogs, this, [&] { renameFile(item); });
        },
        Qt::QueuedConnection);
    connect(Button2, &QPushButton::clicked, this, guarded(this, &Tfrm_Csomagkeszit::BitBtn1Click));
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    ShellTreeView1->selectFolder(QDir::homePath());
    centreOnScreen(*this);
}

Tfrm_Csomagkeszit::~Tfrm_Csomagkeszit() {
    // Hiding the dialog on its way out takes the focus from the path box, which then reports
    // its text as chosen; the handlers end with the dialog.
    ShellComboBox1->removeEventFilter(this);
    for (QObject* control :
         std::initializer_list<QObject*>{ShellComboBox1, ShellTreeView1, ShellListView1})
        control->disconnect(this);
}

bool Tfrm_Csomagkeszit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ShellComboBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runGuarded(context_.dialogs, this,
                       [this] { selectTypedFolder(ShellComboBox1->currentText()); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tfrm_Csomagkeszit::keyPressEvent(QKeyEvent* event) {
    // A button that is not the dialog's default passes Enter on to the dialog.
    if (!enterPressesFocusedButton(*this, *event))
        QDialog::keyPressEvent(event);
}

bool Tfrm_Csomagkeszit::selectTypedFolder(const QString& path) {
    // Typed names are matched without regard to letter case, as every path of the program.
    const QString folder =
        QString::fromStdString(platform::resolve(expandHome(path).toStdString()));
    if (ShellTreeView1->selectFolder(folder))
        return true;
    ShowError(context_.dialogs, tr("A(z) \"%1\" könyvtár nem található.").arg(path), this);
    return false;
}

void Tfrm_Csomagkeszit::showFolder(const QString& path) {
    const QSignalBlocker blockCombo(ShellComboBox1);
    ShellComboBox1->clear();
    ShellComboBox1->addItems(pathChoices(ShellTreeView1->roots(), path));
    ShellComboBox1->setCurrentText(path);

    const QSignalBlocker blockList(ShellListView1);
    listedFolder_ = path;
    ShellListView1->clear();
    for (const QString& name : fileNames(path)) {
        auto* item = new QListWidgetItem(name, ShellListView1);
        item->setData(kOldNameRole, name);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

void Tfrm_Csomagkeszit::renameFile(QListWidgetItem* item) {
    if (ShellListView1->row(item) < 0)
        return; // the list was filled anew meanwhile
    const QString oldName = item->data(kOldNameRole).toString();
    const QString newName = item->text();
    if (newName == oldName)
        return;
    const std::string folder = listedFolder_.toStdString() + "/";
    const bool renamed =
        library::isPlainName(newName.toStdString()) &&
        platform::renameFile(folder + oldName.toStdString(), folder + newName.toStdString());
    const QSignalBlocker block(ShellListView1);
    item->setText(renamed ? newName : oldName);
    item->setData(kOldNameRole, item->text());
    if (!renamed)
        ShowError(context_.dialogs,
                  tr("A(z) \"%1\" nem nevezhető át erre: \"%2\".").arg(oldName, newName), this);
}

void Tfrm_Csomagkeszit::BitBtn1Click() {
    // A path typed but not confirmed with Enter counts: what the box shows is packed.
    if (!selectTypedFolder(ShellComboBox1->currentText()))
        return;
    std::string folder = ShellTreeView1->selectedFolder().toStdString();
    if (!folder.empty() && folder.back() == platform::kSeparator)
        folder.pop_back();
    // The root's name is empty: no group can bear it.
    if (folder.empty()) {
        ShowError(context_.dialogs,
                  tr("A gyökérkönyvtárból nem készíthető csomag. Válasszon ki egy képeket "
                     "tartalmazó könyvtárat."),
                  this);
        return;
    }
    // Offered under the folder's name, in the folder of the last package.
    SaveDialog1.directory = QDir(packageFolder_.isEmpty() ? QDir::homePath() : packageFolder_)
                                .filePath(QFileInfo(QString::fromStdString(folder)).fileName() +
                                          QStringLiteral(".dta"));
    const std::optional<QString> package = context_.dialogs.chooseFile(SaveDialog1);
    if (!package)
        return;
    packageFolder_ = QFileInfo(*package).absolutePath();
    if (!library::hasCover(folder)) {
        ShowError(context_.dialogs, QString::fromStdString(packages::noCoverText()), this);
        return;
    }
    StatusBar1->clear();
    packages::Oversized oversized = packages::Oversized::Refuse;
    if (const std::size_t count = packages::OversizedPictures(folder).size();
        count > 0 &&
        ShowConfirm(context_.dialogs, QString::fromStdString(packages::fitQuestion(count)),
                    QString::fromStdString(packages::fitCaption()), this))
        oversized = packages::Oversized::Fit;
    // Fitting twenty photographs takes seconds: the window goes on answering meanwhile, and the
    // progress shows with its stop button.
    WorkProgress progress(this,
                          tr("A(z) \"%1\" csomag készítése...").arg(QFileInfo(*package).fileName()),
                          windowTitle());
    const packages::WorkControl control = progress.control();
    packages::PackReport report;
    runOffThreadWithProgress(
        [&] { report = packages::PackFolder(folder, package->toStdString(), oversized, control); },
        progress);
    StatusBar1->setText(QString::fromStdString(packages::fittedSummary(report)));
}

} // namespace zolvera::ui
