// The drive list and folder tree.
#include "widgets/qt_folder_tree.h"

#include "widgets/drive_list.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QStorageInfo>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

DriveFolderTree::DriveFolderTree(QComboBox* drives, QTreeView* tree, QObject* parent)
    : QObject(parent), m_drives(drives), m_tree(tree) {
    m_tree->setHeaderHidden(true);
    m_folder = QDir::currentPath();
    connect(m_drives, &QComboBox::activated, this, &DriveFolderTree::driveChosen);
}

void DriveFolderTree::ensureModel() {
    if (m_model)
        return;
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_tree->setModel(m_model);
    m_tree->setSortingEnabled(true);
    m_tree->sortByColumn(0, Qt::AscendingOrder);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { treeChanged(current); });
    // The model reads folders in the background; once the current folder's parents are read,
    // the tree can show it.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (m_showPending && m_folder.startsWith(loaded))
            showFolder();
    });
    fillDrives();
    showFolder();
}

void DriveFolderTree::showFolder() {
    if (!m_model)
        return;
    // Hidden folders stay out of the tree until the folder to show lies in one (a Wine prefix
    // in ~/.wine, Steam's ~/.local/share/Steam): then they are shown, or it could not be.
    if (m_folder.contains(u"/."_s) && !(m_model->filter() & QDir::Hidden))
        m_model->setFilter(m_model->filter() | QDir::Hidden);
    // Setting the root path makes the model read every folder on the way to it at once, so
    // the folder has an index to show before the background reading is done.
    m_model->setRootPath(m_folder);
    const QModelIndex index = m_model->index(m_folder);
    if (index.isValid()) {
        m_showPending = false;
        // Open the tree down to the folder, as a folder list shows the path to the current one,
        // and nothing else.
        m_tree->collapseAll();
        for (QModelIndex up = index; up.isValid(); up = up.parent())
            m_tree->expand(up);
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    showDriveOf(m_folder);
}

void DriveFolderTree::showDriveOf(const QString& folder) {
    QStringList roots;
    for (int i = 0; i < m_drives->count(); ++i)
        roots.append(m_drives->itemText(i));
    if (const int drive = driveIndexFor(roots, folder); drive >= 0)
        m_drives->setCurrentIndex(drive);
}

void DriveFolderTree::fillDrives() {
    QStringList roots;
    for (const QFileInfo& d : QDir::drives())
        roots.append(QDir::toNativeSeparators(d.absoluteFilePath()));
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString root = v.rootPath();
        if (v.isValid() && v.isReady() &&
            (root.startsWith(u"/media"_s) || root.startsWith(u"/mnt"_s) ||
             root.startsWith(u"/run/media"_s)) &&
            !roots.contains(root))
            roots.append(root);
    }
    const QString home = QDir::homePath();
    if (!roots.contains(home))
        roots.append(home);
    m_drives->addItems(roots);
}

bool DriveFolderTree::setFolder(const QString& folder) {
    const QString f = QDir::cleanPath(folder);
    if (!QFileInfo(f).isDir())
        return false;
    m_folder = f;
    m_showPending = true;
    showFolder();
    return true;
}

void DriveFolderTree::driveChosen(int index) {
    if (setFolder(QDir::fromNativeSeparators(m_drives->itemText(index))))
        emit folderChosen(m_folder);
}

void DriveFolderTree::treeChanged(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QString path = m_model->filePath(index);
    if (!path.isEmpty() && path != m_folder) {
        m_folder = path;
        showDriveOf(path); // the drive list follows a folder chosen in the tree
        emit folderChosen(m_folder);
    }
}
