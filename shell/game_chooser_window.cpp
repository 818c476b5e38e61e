// The game directory chooser.
#include "shell/game_chooser_window.h"

#include "widgets/qt_widget_helpers.h"

#include "platform/ini_profile.h"
#include "platform/user_dialogs.h"
#include "shell/game_directory.h"
#include "shell/game_discovery.h"
#include "widgets/qt_folder_tree.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// A game folder as the player's system writes it.
QString gameFolderExample() {
#ifdef Q_OS_WIN
    return u"Например: C:\\HalfLife\\cstrike"_s;
#else
    return u"Например: "_s + QDir::homePath() + u"/HalfLife/cstrike"_s;
#endif
}

} // namespace

GameChooserWindow::GameChooserWindow(AppContext& ctx) : BuiltOnFirstShow(nullptr), m_ctx(ctx) {
    setObjectName(u"nachalo"_s);
    setWindowTitle(u"Выберите каталог с игрой"_s);
    // A fixed dialog frame with no close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    // The list starts on the folder the program was started in.
    m_ctx.state.games.gameDir = QDir::currentPath();
}

namespace {
constexpr QSize kPlainSize{360, 380};
constexpr QSize kWithGamesSize{460, 560};
} // namespace

void GameChooserWindow::buildContents() {
    auto* layout = new QVBoxLayout(this);
    Label2 = new QLabel(u"Найденные игры (щёлкните по папке мода):"_s, this);
    Label2->setObjectName(u"Label2"_s);
    GameList1 = new QTreeWidget(this);
    GameList1->setObjectName(u"GameList1"_s);
    GameList1->setHeaderHidden(true);
    GameList1->setRootIsDecorated(true);
    layout->addWidget(Label2);
    layout->addWidget(GameList1, 1);
    Label1 = new QLabel(gameFolderExample(), this);
    Label1->setObjectName(u"Label1"_s);
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(u"DriveComboBox1"_s);
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName(u"DirectoryListBox1"_s);
    m_tree = new DriveFolderTree(DriveComboBox1, DirectoryListBox1, this);
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
    setFixedSize(kPlainSize);

    connect(GameList1, &QTreeWidget::itemClicked, this, &GameChooserWindow::GameList1Click);
    connect(GameList1, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        GameList1Click(item);
        Button1Click();
    });
    connect(Button1, &QPushButton::clicked, this, &GameChooserWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &GameChooserWindow::Button2Click);
    connect(m_tree, &DriveFolderTree::folderChosen, this,
            &GameChooserWindow::DirectoryListBox1Change);
}

void GameChooserWindow::setCurrentFolder(const QString& folder) {
    ensureBuilt();
    if (m_tree->setFolder(folder))
        m_ctx.state.games.gameDir = m_tree->folder();
}

QString GameChooserWindow::currentFolder() const {
    ensureBuilt();
    return m_tree->folder();
}

void GameChooserWindow::showEvent(QShowEvent* e) {
    m_tree->ensureModel();
    QDialog::showEvent(e);
}

void GameChooserWindow::fillGameList() {
    GameList1->clear();
    const QList<FoundGame> games = findGames(m_ctx.state.games.gameSearch);
    for (const FoundGame& game : games) {
        auto* top = new QTreeWidgetItem(GameList1, {game.source + u": "_s + game.folder});
        top->setData(0, Qt::UserRole, game.folder);
        top->setToolTip(0, game.folder);
        for (const QString& mod : game.mods) {
            auto* child = new QTreeWidgetItem(top, {mod});
            child->setData(0, Qt::UserRole, game.folder + u'/' + mod);
            child->setToolTip(0, game.folder + u'/' + mod);
        }
        top->setExpanded(true);
    }
    Label2->setVisible(!games.isEmpty());
    GameList1->setVisible(!games.isEmpty());
    setFixedSize(games.isEmpty() ? kPlainSize : kWithGamesSize);
}

void GameChooserWindow::GameList1Click(QTreeWidgetItem* item) {
    if (item)
        setCurrentFolder(item->data(0, Qt::UserRole).toString());
}

GameChooserWindow::Result GameChooserWindow::runModal() {
    ensureBuilt(); // its size is set there, and it is centred by it
    fillGameList();
    if (!m_ctx.state.games.wizardFolder.isEmpty())
        setCurrentFolder(m_ctx.state.games.wizardFolder);
    m_result = Result::Cancelled;
    // Once a folder was confirmed, the chooser is a plain dialog: Escape and its close box are
    // "Отмена". At the first start only the buttons answer it.
    const bool chosenBefore = m_ctx.state.games.gameDirChosen != 0;
    m_mayClose = chosenBefore;
    setWindowFlag(Qt::WindowCloseButtonHint, chosenBefore);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        centreFrameOn(this, screen->availableGeometry(), parentWidget());
    exec();
    return m_result;
}

void GameChooserWindow::DirectoryListBox1Change(const QString& folder) {
    m_ctx.state.games.gameDir = folder;
}

void GameChooserWindow::Button1Click() {
    // The settings file keeps one value per line: such a folder would be lost at the next start.
    if (!IniProfile::canStore(m_tree->folder())) {
        m_ctx.dialogs.warning(cannotStoreFolderMessage(m_tree->folder()));
        return;
    }
    m_mayClose = true;
    m_ctx.state.games.gameDirChosen = 1;
    m_ctx.state.games.wizardFolder = m_tree->folder();
    m_result = Result::Confirmed;
    accept();
}

void GameChooserWindow::Button2Click() {
    if (m_ctx.state.games.gameDirChosen == 0) {
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

void GameChooserWindow::closeEvent(QCloseEvent* e) {
    if (m_mayClose)
        QDialog::closeEvent(e);
    else
        e->ignore();
}

void GameChooserWindow::reject() {
    // Escape and the window manager's close go through here.
    if (m_mayClose)
        Button2Click();
}
