// A drive list that drives a folder tree: the game folder chooser and the wizard's first page
// both let the user walk the disk this way.
#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QModelIndex;
class QTreeView;

class DriveFolderTree : public QObject {
    Q_OBJECT
public:
    // Works on the two given controls; the model is made at the first show (see ensureModel).
    DriveFolderTree(QComboBox* drives, QTreeView* tree, QObject* parent);

    // Makes the file system model and fills the drive list. The model reads and watches the
    // disk, which a window that is never shown need not pay for.
    void ensureModel();

    QString folder() const { return m_folder; }
    // Shows `folder` when it is an existing folder; false otherwise.
    bool setFolder(const QString& folder);

signals:
    // The user chose another folder (through the drive list or the tree).
    void folderChosen(const QString& folder);

private:
    void showFolder();
    // The drive list shows the drive that holds `folder`.
    void showDriveOf(const QString& folder);
    void fillDrives();
    void driveChosen(int index);
    void treeChanged(const QModelIndex& index);

    QComboBox* m_drives;
    QTreeView* m_tree;
    QFileSystemModel* m_model = nullptr;
    QString m_folder;
    // The folder is still to be brought into view once the model has read its way to it.
    bool m_showPending = true;
};
