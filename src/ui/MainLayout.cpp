#include "ui/MainLayout.h"

#include "library/BuildInfo.h"
#include "picture/ThumbnailCache.h"
#include "ui/Resources.h"
#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <initializer_list>

namespace zolvera::ui {

namespace {

constexpr QSize kClientSize(776, 541);
constexpr int kTopStripHeight = 55;
constexpr int kStatusBarHeight = 19;
constexpr int kBandHeight = 25;
constexpr int kPicturesPerRow = 4; // a row of the grid ends at 584, inside its 603 pixels

struct ActionEntry {
    QAction* MainLayout::*member;
    const char* name;
    const char* caption;
    const char* category;
    std::initializer_list<QKeyCombination> shortcuts;
    const char* icon; // file under :/icons, or none
};

const ActionEntry kActions[] = {
    {&MainLayout::aUjCsoport,
     "aUjCsoport",
     QT_TRANSLATE_NOOP("MainLayout", "Új csoport létrehozás"),
     "Csoportok",
     {},
     "sheet-blank"},
    {&MainLayout::aCsopTorol,
     "aCsopTorol",
     QT_TRANSLATE_NOOP("MainLayout", "Csoport törlése"),
     "Csoportok",
     {},
     "sheet-remove"},
    {&MainLayout::aCsomagKeszit,
     "aCsomagKeszit",
     QT_TRANSLATE_NOOP("MainLayout", "Csomag készítése csoportból"),
     "Csoportok",
     {},
     "parcel"},
    {&MainLayout::aCsomagTelepit,
     "aCsomagTelepit",
     QT_TRANSLATE_NOOP("MainLayout", "Már letöltött csomag telepítése"),
     "Csoportok",
     {},
     "disk-drive"},
    {&MainLayout::aCsomagLetolt,
     "aCsomagLetolt",
     QT_TRANSLATE_NOOP("MainLayout", "Csomag letöltése Internetről"),
     "Csoportok",
     {},
     "globe-arrow"},
    {&MainLayout::aBezar,
     "aBezar",
     QT_TRANSLATE_NOOP("MainLayout", "Bezár"),
     "Csoportok",
     {},
     "red-cross"},
    {&MainLayout::aKepHozza,
     "aKepHozza",
     QT_TRANSLATE_NOOP("MainLayout", "Kép hozzáadása"),
     "Képek",
     {Qt::Key_Insert},
     "folder-picture"},
    {&MainLayout::aKepTorol,
     "aKepTorol",
     QT_TRANSLATE_NOOP("MainLayout", "Kép törlése"),
     "Képek",
     {Qt::Key_Delete},
     "folder-picture-remove"},
    {&MainLayout::aDiaVetit,
     "aDiaVetit",
     QT_TRANSLATE_NOOP("MainLayout", "Diavetítés"),
     "Képek",
     {Qt::Key_F8},
     "framed-picture"},
    // Alt+Enter on either Enter key, as the system treats them alike; menus name the first.
    {&MainLayout::aBeallit,
     "aBeallit",
     QT_TRANSLATE_NOOP("MainLayout", "Beállítások"),
     "Beállítások",
     {Qt::ALT | Qt::Key_Enter, Qt::ALT | Qt::Key_Return},
     "gears"},
    {&MainLayout::aSugo,
     "aSugo",
     QT_TRANSLATE_NOOP("MainLayout", "Súgó"),
     "Súgó",
     {Qt::Key_F1},
     "question"},
    {&MainLayout::aHonlap,
     "aHonlap",
     QT_TRANSLATE_NOOP("MainLayout", "Ervolt honlapja"),
     "Súgó",
     {},
     "web-browser"},
    {&MainLayout::aLevel,
     "aLevel",
     QT_TRANSLATE_NOOP("MainLayout", "Levélküldés Ervoltnak"),
     "Súgó",
     {},
     "envelope"},
    {&MainLayout::aUjdonsag,
     "aUjdonsag",
     QT_TRANSLATE_NOOP("MainLayout", "Újdonságok az Interneten"),
     "Súgó",
     {},
     "star"},
    {&MainLayout::aNevjegy,
     "aNevjegy",
     QT_TRANSLATE_NOOP("MainLayout", "Névjegy"),
     "Súgó",
     {},
     nullptr},
};

// nullptr stands for a separator.
void addItems(QMenu* menu, std::initializer_list<QAction*> actions) {
    for (QAction* action : actions) {
        if (action == nullptr)
            menu->addSeparator();
        else
            menu->addAction(action);
    }
}

QToolBar* makeBand(const QString& name, QWidget* parent) {
    auto* bar = new QToolBar(name, parent);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(kBandHeight);
    bar->setContentsMargins(0, 0, 0, 0);
    return bar;
}

// The text over the grid of an empty library, naming the ways to a first group. It lets the
// mouse through to the grid, whose context menu and drops it must not hide.
QLabel* createStartHint(ScrollBox* grid) {
    auto* hint = new QLabel(
        QCoreApplication::translate(
            "MainLayout",
            "A képtár még üres.\n\n"
            "Új csoportot a Csoportok menü „Új csoport létrehozás” parancsával hozhat létre, "
            "vagy húzzon egy képeket tartalmazó mappát a bal oldali oszlopra.\n\n"
            "Kész csoportot csomagból is kaphat: „Már letöltött csomag telepítése” vagy "
            "„Csomag letöltése Internetről”."),
        grid->viewport());
    hint->setObjectName(QStringLiteral("lblKezdes"));
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignCenter);
    hint->setMargin(40);
    hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    hint->hide();
    auto* fill = new QVBoxLayout(grid->viewport());
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(hint);
    return hint;
}

} // namespace

MainLayout::MainLayout(QWidget* window) {
    useResources();
    window->setFixedSize(kClientSize);
    window->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    createActions(window);

    auto* column = new QVBoxLayout(window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(createTopStrip(window));

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    Panel6 = new Panel(Bevel::Raised, Bevel::Lowered, window);
    Panel6->setFixedWidth(169);
    sbx1 = new ScrollBox(QColor(95, 95, 95), 1, Panel6);
    sbx1->setObjectName(QStringLiteral("sbx1"));
    sbx1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Panel7 = new Panel(Bevel::Raised, Bevel::Lowered, window);
    sbx2 = new ScrollBox(QColor(192, 192, 192), kPicturesPerRow, Panel7);
    sbx2->setObjectName(QStringLiteral("sbx2"));
    // A group of large photographs would hold up the window while its thumbnails decode. The
    // tiles come from the thumbnails the user's programs share when they are there, and leave
    // them there when they are not.
    sbx2->setTileDecoder(std::make_unique<TileDecoder>(
        TileDecoder::poolSize(), [cache = picture::ThumbnailCache::ofUser(library::kVersion)](
                                     const picture::JpegPicture& picture, QSize size) {
            return cache.tile(picture, size);
        }));
    for (Panel* panel : {Panel6, Panel7}) {
        auto* fill = new QVBoxLayout(panel);
        fill->setContentsMargins(2, 2, 2, 2);
        fill->addWidget(panel == Panel6 ? sbx1 : sbx2);
        middle->addWidget(panel);
    }
    column->addLayout(middle, 1);
    lblKezdes = createStartHint(sbx2);

    StatusBar1 = new StatusBar(200, window);
    StatusBar1->setFixedHeight(kStatusBarHeight);
    column->addWidget(StatusBar1);

    createMenus(window);
}

void MainLayout::createActions(QWidget* window) {
    for (const ActionEntry& entry : kActions) {
        auto* action =
            new QAction(QCoreApplication::translate("MainLayout", entry.caption), window);
        action->setObjectName(QLatin1String(entry.name));
        action->setProperty("category", QString::fromUtf8(entry.category));
        // The hint is the caption, in the pop-up and in the status bar.
        action->setToolTip(action->text());
        action->setStatusTip(action->text());
        action->setShortcuts(QList<QKeySequence>(entry.shortcuts.begin(), entry.shortcuts.end()));
        if (entry.icon != nullptr)
            action->setIcon(iconNamed(entry.icon));
        window->addAction(action);
        this->*entry.member = action;
    }
}

QWidget* MainLayout::createTopStrip(QWidget* window) {
    Panel1 = new Panel(Bevel::None, Bevel::None, window);
    Panel1->setFixedHeight(kTopStripHeight);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    Panel4 = new Panel(Bevel::None, Bevel::None, Panel1);
    Panel4->setFixedSize(71, kTopStripHeight);
    img = new PictureView(Panel4);
    img->setGeometry(Panel4->rect());
    row->addWidget(Panel4);

    CoolBar1 = new QWidget(Panel1);
    auto* bands = new QVBoxLayout(CoolBar1);
    bands->setContentsMargins(2, 2, 2, 1);
    bands->setSpacing(2);
    ToolBar1 = makeBand(QStringLiteral("ToolBar1"), CoolBar1);
    MainMenu1 = new QMenuBar(ToolBar1);
    MainMenu1->setNativeMenuBar(false);
    MainMenu1->setFixedHeight(21);
    ToolBar1->addWidget(MainMenu1);
    ToolBar2 = makeBand(QStringLiteral("ToolBar2"), CoolBar1);
    ToolBar2->setIconSize(QSize(16, 16));
    ToolBar2->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bands->addWidget(ToolBar1);
    bands->addWidget(ToolBar2);
    row->addWidget(CoolBar1, 1);
    return Panel1;
}

void MainLayout::createMenus(QWidget* window) {
    addItems(MainMenu1->addMenu(QCoreApplication::translate("MainLayout", "Csoportok")),
             {aUjCsoport, aCsopTorol, nullptr, aCsomagKeszit, aCsomagTelepit, aCsomagLetolt,
              nullptr, aBezar});
    addItems(MainMenu1->addMenu(QCoreApplication::translate("MainLayout", "Képek")),
             {aKepHozza, aKepTorol, nullptr, aDiaVetit});
    addItems(MainMenu1->addMenu(QCoreApplication::translate("MainLayout", "Rendszer")), {aBeallit});
    addItems(MainMenu1->addMenu(QCoreApplication::translate("MainLayout", "Súgó")),
             {aSugo, nullptr, aHonlap, aLevel, aUjdonsag, nullptr, aNevjegy});

    for (QAction* action : std::initializer_list<QAction*>{
             aUjCsoport, aCsopTorol, nullptr, aCsomagTelepit, aCsomagLetolt, nullptr, aKepHozza,
             aKepTorol, nullptr, aDiaVetit, nullptr, aSugo, aHonlap, aUjdonsag, nullptr, aBezar}) {
        if (action == nullptr)
            ToolBar2->addWidget(toolSeparator(ToolBar2));
        else
            ToolBar2->addAction(action);
    }

    pm1 = new QMenu(window);
    addItems(pm1, {aKepTorol, aKepHozza});
    pm2 = new QMenu(window);
    addItems(pm2, {aUjCsoport, aCsopTorol, nullptr, aKepHozza, aDiaVetit});
}

} // namespace zolvera::ui
