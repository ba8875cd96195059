#include "ui/FolderTree.h"

#include "ui/NameOrder.h"

#include <QDir>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QMouseEvent>

namespace zolvera::ui {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

QString pathOf(const QTreeWidgetItem* item) {
    return item->data(0, kPathRole).toString();
}

bool holds(const QString& folder, const QString& path) {
    return path == folder ||
           path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

} // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::fillChildren);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current != nullptr)
            Q_EMIT folderSelected(pathOf(current));
    });
}

void FolderTree::addRoot(const QString& path, const QString& text) {
    addFolder(nullptr, QDir::cleanPath(path), text)->setToolTip(0, path);
}

QStringList FolderTree::roots() const {
    QStringList paths;
    for (int i = 0; i < topLevelItemCount(); ++i)
        paths.append(pathOf(topLevelItem(i)));
    return paths;
}

QTreeWidgetItem* FolderTree::addFolder(QTreeWidgetItem* parent, const QString& path,
                                       const QString& text) {
    auto* item = parent == nullptr ? new QTreeWidgetItem(this) : new QTreeWidgetItem(parent);
    item->setText(0, text);
    item->setData(0, kPathRole, path);
    item->setIcon(0, QFileIconProvider().icon(QFileIconProvider::Folder));
    // Whether it has sub-folders is found out when it is opened.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void FolderTree::fillChildren(QTreeWidgetItem* item) {
    if (item->data(0, kFilledRole).toBool())
        return;
    item->setData(0, kFilledRole, true);
    const QDir folder(pathOf(item));
    QStringList names = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    sortNames(names);
    for (const QString& name : names)
        addFolder(item, folder.filePath(name), name);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

bool FolderTree::selectFolder(const QString& path) {
    const QString target = QDir::cleanPath(path);
    if (!QDir::isAbsolutePath(target) || !QFileInfo(target).isDir())
        return false;
    QTreeWidgetItem* item = nullptr;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* root = topLevelItem(i);
        if (holds(pathOf(root), target) &&
            (item == nullptr || pathOf(root).size() > pathOf(item).size()))
            item = root;
    }
    if (item == nullptr)
        return false;
    const QString rest = target.mid(pathOf(item).size());
    for (const QString& name : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        fillChildren(item);
        QTreeWidgetItem* child = nullptr;
        for (int i = 0; i < item->childCount() && child == nullptr; ++i)
            if (item->child(i)->text(0) == name)
                child = item->child(i);
        if (child == nullptr) // a hidden folder
            child = addFolder(item, QDir(pathOf(item)).filePath(name), name);
        item->setExpanded(true);
        item = child;
    }
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

QString FolderTree::selectedFolder() const {
    const QTreeWidgetItem* item = currentItem();
    return item == nullptr ? QString() : pathOf(item);
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::RightButton)
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint()))
            setCurrentItem(item);
}

} // namespace zolvera::ui
