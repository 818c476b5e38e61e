// The wizard's first page: the folder and the config to tune, a new empty config, and the
// read-only preview of the working document.
#include "wizard/wizard_window.h"

#include "widgets/qt_folder_tree.h"
#include "widgets/qt_widget_helpers.h"
#include "wizard/wizard_files.h"
#include "wizard/wizard_window_key_pages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QPlainTextEdit* previewBox(const QString& name, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Read-only: Tab moves on to the next control rather than stay in the box.
    box->setTabChangesFocus(true);
    return box;
}

} // namespace

void ConfigWizard::buildPage1() {
    QWidget* p = page(0);
    auto* folderLabel = new QLabel(u"Выберите каталог с конфигами"_s, p);
    folderLabel->setObjectName(u"Label1"_s);
    DriveComboBox1 = new QComboBox(p);
    DriveComboBox1->setObjectName(u"DriveComboBox1"_s);
    DirectoryListBox1 = new QTreeView(p);
    DirectoryListBox1->setObjectName(u"DirectoryListBox1"_s);
    m_folderTree = new DriveFolderTree(DriveComboBox1, DirectoryListBox1, this);
    auto* fileLabel = new QLabel(u"Выберите конфиг, который будете настраивать"_s, p);
    fileLabel->setObjectName(u"Label2"_s);
    fileLabel->setWordWrap(true);
    FileBox1 = new QListWidget(p);
    FileBox1->setObjectName(u"FileBox1"_s);
    Button1 = new QPushButton(u"Создать"_s, p);
    Button1->setObjectName(u"Button1"_s);
    Button1->setAutoDefault(false);
    mem1 = previewBox(u"mem1"_s, p);
    mem2 = previewBox(u"mem2"_s, p);
    mem2->hide();

    auto* files = new QHBoxLayout;
    files->addWidget(FileBox1, 1);
    auto* create = new QVBoxLayout;
    create->addWidget(Button1);
    create->addStretch(1);
    files->addLayout(create);

    auto* grid = new QGridLayout(p);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    grid->addWidget(folderLabel, 0, 0);
    grid->addWidget(DriveComboBox1, 1, 0);
    grid->addWidget(DirectoryListBox1, 2, 0);
    grid->addWidget(fileLabel, 3, 0);
    grid->addLayout(files, 4, 0);
    // The autoexec document sits behind the preview and is never shown.
    grid->addWidget(mem2, 0, 1, 5, 1);
    grid->addWidget(mem1, 0, 1, 5, 1);
    // The folder and file lists keep to the left; the preview takes the rest.
    for (QWidget* left :
         {static_cast<QWidget*>(DriveComboBox1), static_cast<QWidget*>(DirectoryListBox1),
          static_cast<QWidget*>(fileLabel)})
        left->setFixedWidth(205);
    FileBox1->setFixedWidth(205 - 60 - 4);
    Button1->setFixedWidth(60);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 3);
    grid->setRowStretch(4, 2);

    connect(m_folderTree, &DriveFolderTree::folderChosen, this,
            &ConfigWizard::DirectoryListBox1Change);
    connect(Button1, &QPushButton::clicked, this, &ConfigWizard::Button1Click);
    // A click on another file (or the keyboard moving to one) changes the selection; a second
    // click on the file already chosen loads it again.
    connect(FileBox1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!fileSelected())
            return;
        m_rowJustChosen = true;
        FileBox1Click();
    });
    connect(FileBox1, &QListWidget::itemClicked, this, [this] {
        if (!m_rowJustChosen)
            FileBox1Click();
        m_rowJustChosen = false;
    });
    // Enter or a double click on a file goes on as "Далее>>" does.
    connect(FileBox1, &QListWidget::itemActivated, this, [this] {
        if (PgC1->currentIndex() == 0 && fileSelected())
            Button2Click();
    });
    QWidget* const order[] = {DriveComboBox1, DirectoryListBox1, FileBox1, Button1,
                              mem1,           Button56,          Button3,  Button2};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void ConfigWizard::openWizardFolder() {
    // The game's folder when it changed since the last browsing, else where the player left off.
    if (m_browseStart != m_ctx.state.games.wizardFolder || m_browseFolder.isEmpty()) {
        m_browseStart = m_ctx.state.games.wizardFolder;
        m_browseFolder = m_ctx.state.games.wizardFolder;
    }
    if (!m_browseFolder.isEmpty())
        m_folderTree->setFolder(m_browseFolder);
    m_folderTree->ensureModel();
    fillFileList(false);
}

void ConfigWizard::DirectoryListBox1Change(const QString& folder) {
    // Only this page follows: the map cycle, the launcher and the other windows keep the game's
    // folder.
    m_browseFolder = folder;
    fillFileList(false);
    // The preview showed a file of the folder left behind.
    m_set.dropDocuments();
    m_unreadableReason.clear();
    m_savedMem1.clear();
    m_savedMem2.clear();
    showPreview();
}

void ConfigWizard::fillFileList(bool keepChoice) {
    // Only a file of this very folder may stay chosen: the documents belong to it.
    const QString keep =
        keepChoice && fileSelected() ? FileBox1->selectedItems().first()->text() : QString();
    const QSignalBlocker block(FileBox1);
    FileBox1->clear();
    FileBox1->addItems(wizardFileList(m_browseFolder));
    // A file that was chosen stays chosen when it is still there; nothing else gets selected.
    if (!keep.isEmpty()) {
        const QList<QListWidgetItem*> found = FileBox1->findItems(keep, Qt::MatchExactly);
        if (!found.isEmpty())
            FileBox1->setCurrentItem(found.first());
    }
    if (!fileSelected())
        FileBox1->setCurrentRow(-1, QItemSelectionModel::Clear);
}

void ConfigWizard::showPreview() {
    // A file that cannot be tuned: the message and its reason, wrapped to the box.
    const bool refused = !m_unreadableReason.isEmpty();
    mem1->setLineWrapMode(refused ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    mem1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    mem1->setPlainText(refused ? m_set.mem1.content() + u"\n\n"_s + m_unreadableReason
                               : m_set.mem1.content());
    mem2->setPlainText(m_set.mem2.content());
}

void ConfigWizard::Button1Click() {
    emit newConfigRequested(m_browseFolder);
    fillFileList(true);
}

void ConfigWizard::FileBox1Click() {
    clearSettingsPages();
    m_set.usedKeys.clear();
    m_keyPages->configClicked();
    m_set.unbindallPresent = true;
    if (!fileSelected())
        return;
    m_flow.fileChosen();
    applyFlowView();
    const BusyCursor busy;
    m_unreadableReason =
        loadDocuments(m_set, m_browseFolder, FileBox1->selectedItems().first()->text());
    m_savedMem1 = m_set.mem1.content();
    m_savedMem2 = m_set.mem2.content();
    m_savedLine->clear();
    showPreview();
}
