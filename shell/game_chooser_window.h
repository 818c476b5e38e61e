// GameChooserWindow, the game directory chooser: the installations found on this computer, and a
// drive choice and a folder tree whose current folder is the game directory.
#pragma once

#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>

class QComboBox;
class DriveFolderTree;
class QLabel;
class QPushButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

class GameChooserWindow : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    enum class Result { Confirmed, Cancelled, QuitProgram };

    explicit GameChooserWindow(AppContext& ctx);

    // Shows the chooser modally on the wizard folder.
    Result runModal();
    // The folder the list shows.
    QString currentFolder() const;
    void setCurrentFolder(const QString& folder);

public slots:
    void Button1Click();
    void Button2Click();
    // The drive list and the folder tree chose another folder.
    void DirectoryListBox1Change(const QString& folder);
    // A found installation or one of its mods was chosen: the tree shows that folder.
    void GameList1Click(QTreeWidgetItem* item);

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    void showEvent(QShowEvent* e) override;
    void buildContents() override;

private:
    // Lists the installations found now; the list is hidden when there are none.
    void fillGameList();

    AppContext& m_ctx;
    QLabel* Label2 = nullptr;
    QTreeWidget* GameList1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    DriveFolderTree* m_tree = nullptr;
    bool m_mayClose = false;
    Result m_result = Result::Cancelled;
};
