// The game directory chooser.
#include "shell/Unit9.h"

#include "platform/ini_profile.h"
#include "platform/user_dialogs.h"
#include "shell/game_directory.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

Tnachalo::Tnachalo(AppContext& ctx) : QDialog(nullptr), m_ctx(ctx) {
    setObjectName(u"nachalo"_s);
    setWindowTitle(u"Выберите каталог с игрой"_s);
    // A fixed dialog frame with no close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(u"Например: C:\\HalfLife\\cstrike"_s, this);
    Label1->setObjectName(u"Label1"_s);
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(u"DriveComboBox1"_s);
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName(u"DirectoryListBox1"_s);
    DirectoryListBox1->setHeaderHidden(true);
    Button1 = new QPushButton(u"ОК"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setDefault(true);
    Button2 = new QPushButton(u"Отмена"_s, this);
    Button2->setObjectName(u"Button2"_s);
    layout->addWidget(Label1);
    layout->addWidget(DriveComboBox1);
    layout->addWidget(DirectoryListBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    setFixedSize(360, 380);

    connect(Button1, &QPushButton::clicked, this, &Tnachalo::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tnachalo::Button2Click);
    connect(DriveComboBox1, &QComboBox::activated, this, &Tnachalo::DriveComboBox1Change);
    // The list starts on the folder the program was started in.
    m_folder = QDir::currentPath();
    m_ctx.state.gameDir = m_folder;
}

void Tnachalo::ensureModel() {
    // The file system model and the drive list are made when the chooser is first shown: they
    // read and watch the disk, which a start that never asks for the folder need not pay for.
    if (m_model)
        return;
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    DirectoryListBox1->setModel(m_model);
    DirectoryListBox1->setSortingEnabled(true);
    DirectoryListBox1->sortByColumn(0, Qt::AscendingOrder);
    for (int c = 1; c < m_model->columnCount(); ++c)
        DirectoryListBox1->hideColumn(c);
    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                DirectoryListBox1Change(current);
            });
    // The model reads folders in the background; once the current folder's parents are read,
    // the list can show it.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (m_showPending && m_folder.startsWith(loaded))
            showFolder();
    });
    fillDrives();
    showFolder();
}

void Tnachalo::showFolder() {
    if (!m_model)
        return;
    // Setting the root path makes the model read every folder on the way to it at once, so
    // the folder has an index to show before the background reading is done.
    m_model->setRootPath(m_folder);
    const QModelIndex index = m_model->index(m_folder);
    if (index.isValid()) {
        m_showPending = false;
        // Open the tree down to the folder, as a folder list shows the path to the current one.
        for (QModelIndex up = index; up.isValid(); up = up.parent())
            DirectoryListBox1->expand(up);
        DirectoryListBox1->setCurrentIndex(index);
        DirectoryListBox1->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    for (int i = 0; i < DriveComboBox1->count(); ++i)
        if (m_folder.startsWith(QDir::fromNativeSeparators(DriveComboBox1->itemText(i))))
            DriveComboBox1->setCurrentIndex(i); // the longest matching root comes last
}

void Tnachalo::showEvent(QShowEvent* e) {
    ensureModel();
    QDialog::showEvent(e);
}

void Tnachalo::fillDrives() {
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
    DriveComboBox1->addItems(roots);
}

void Tnachalo::setCurrentFolder(const QString& folder) {
    QString f = QDir::cleanPath(folder);
    if (!QFileInfo(f).isDir())
        return;
    m_folder = f;
    m_ctx.state.gameDir = f;
    m_showPending = true;
    showFolder();
}

Tnachalo::Result Tnachalo::runModal() {
    if (!m_ctx.state.wizardFolder.isEmpty())
        setCurrentFolder(m_ctx.state.wizardFolder);
    m_result = Result::Cancelled;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
    return m_result;
}

void Tnachalo::DriveComboBox1Change(int index) {
    setCurrentFolder(QDir::fromNativeSeparators(DriveComboBox1->itemText(index)));
}

void Tnachalo::DirectoryListBox1Change(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QString path = m_model->filePath(index);
    if (!path.isEmpty() && path != m_folder) {
        m_folder = path;
        m_ctx.state.gameDir = path;
    }
}

void Tnachalo::Button1Click() {
    // The settings file keeps one value per line: such a folder would be lost at the next start.
    if (!IniProfile::canStore(m_folder)) {
        m_ctx.dialogs.warning(cannotStoreFolderMessage(m_folder));
        return;
    }
    m_mayClose = true;
    m_ctx.state.gameDirChosen = 1;
    m_ctx.state.wizardFolder = m_folder;
    m_result = Result::Confirmed;
    accept();
}

void Tnachalo::Button2Click() {
    if (m_ctx.state.gameDirChosen == 0) {
        // Nothing was ever confirmed: the program ends, writing nothing.
        m_result = Result::QuitProgram;
        m_mayClose = true;
        QDialog::reject();
        return;
    }
    m_mayClose = true;
    m_result = Result::Cancelled;
    QDialog::reject();
}

void Tnachalo::closeEvent(QCloseEvent* e) {
    if (m_mayClose)
        QDialog::closeEvent(e);
    else
        e->ignore();
}

void Tnachalo::reject() {
    // Escape and the window manager's close go through here.
    if (m_mayClose)
        QDialog::reject();
}
