// Tnachalo, the game directory chooser: a drive choice and a folder tree whose current folder
// is the game directory.
#pragma once

#include "app/app_context.h"

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

class Tnachalo : public QDialog {
    Q_OBJECT
public:
    enum class Result { Confirmed, Cancelled, QuitProgram };

    explicit Tnachalo(AppContext& ctx);

    // Shows the chooser modally on the wizard folder.
    Result runModal();
    // The folder the list shows.
    QString currentFolder() const { return m_folder; }
    void setCurrentFolder(const QString& folder);

public slots:
    void Button1Click();
    void Button2Click();
    void DriveComboBox1Change(int index);
    void DirectoryListBox1Change(const QModelIndex& index);

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    void showEvent(QShowEvent* e) override;

private:
    void ensureModel();
    void showFolder();
    // The drive list follows the folder chosen in the tree.
    void showDriveOf(const QString& folder);
    void fillDrives();

    AppContext& m_ctx;
    QLabel* Label1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QFileSystemModel* m_model = nullptr;
    QString m_folder;
    bool m_mayClose = false;
    // The folder is still to be brought into view once the model has read its way to it.
    bool m_showPending = true;
    Result m_result = Result::Cancelled;
};
