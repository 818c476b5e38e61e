// VersionHistoryWindow, "История версий": the versions the store keeps of a file (the open
// document, or any config of the game folder) with what wrote each, the difference of one
// against the file as it is now (unified or side by side, coloured, in the editor's font), and
// "Восстановить". After the game rewrote config.cfg it also shows what the game changed against
// the player's version, with the two ways back.
#pragma once

#include "launcher/config_change_report.h"
#include "platform/version_store.h"
#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>
#include <QFont>
#include <QHash>

class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;

class VersionHistoryWindow : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit VersionHistoryWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The font the differences are shown in (the editor's).
    void setTextFont(const QFont& font);
    // Opens on `path`'s versions, the window brought to the front.
    void showFile(const QString& path);
    // Opens on the game's config.cfg with what the game changed in it.
    void showReport(const QString& configPath, const ConfigChangeReport& report);

    QString currentFile() const { return m_file; }
    const QList<FileVersion>& shownVersions() const { return m_versions; }

signals:
    void statusLineRequested(const QString& text);

public slots:
    void FileBox1Change();
    void VersionList1Change();
    void DiffMode1Change();
    void RestoreButton1Click();
    void MoveButton1Click();
    void RestoreMineButton1Click();

protected:
    void buildContents() override;

private:
    void fillFiles();
    void fillVersions();
    void showDifference();
    void showReportFor(const QString& path);

    AppContext& m_ctx;
    QFont m_font;
    QString m_file;
    QString m_current; // the file's text now
    QList<FileVersion> m_versions;
    QHash<QString, ConfigChangeReport> m_reports; // by the config's full path

    QComboBox* FileBox1 = nullptr;
    QTreeWidget* VersionList1 = nullptr;
    QComboBox* DiffMode1 = nullptr;
    QPlainTextEdit* DiffView1 = nullptr;
    QSplitter* SideBySide1 = nullptr;
    QPlainTextEdit* DiffLeft1 = nullptr;
    QPlainTextEdit* DiffRight1 = nullptr;
    QGroupBox* ReportBox1 = nullptr;
    QPlainTextEdit* ReportText1 = nullptr;
    QPushButton* MoveButton1 = nullptr;
    QPushButton* RestoreMineButton1 = nullptr;
    QPushButton* RestoreButton1 = nullptr;
    QPushButton* CloseButton1 = nullptr;
};
