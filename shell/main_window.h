// MainWindow, the main window: the config editor and the hub every other window is reached from.
// It knows no other window: its commands that open one are signals, and app/window_wiring.cpp
// connects them to the windows they open.
#pragma once

#include "editor/qt_config_editor.h"
#include "platform/file_identity.h"
#include "shell/config_document.h"
#include "shell/qt_tool_window_follower.h"
#include "shell/settings.h"
#include "state/app_context.h"

#include <QHash>
#include <QMainWindow>
#include <QPlainTextEdit>

class QAction;
class QFileSystemWatcher;
class QLabel;
class QMenu;
class QToolBar;
class QTimer;
class QFrame;
class ClickableLabel;
class GivingWayLabel;
class FindDialog;
class PlainTextSearchTarget;
class SearchTarget;
struct LaunchChoice;
struct ConfigChangeReport;

class EditorLanguage;
class Vocabulary;

class MainWindow : public QMainWindow, public DocumentView {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& ctx);
    ~MainWindow() override;

    // --- editor operations other windows call
    void insertAtCaret(const QString& text);
    void appendBlock(const QString& block);
    void caretToEnd();
    // The caret to the start of `line` (0-based), scrolled into the middle, the editor focused.
    void caretToLine(int line);
    // The editor shows `path` (opened, asking about unsaved changes, unless it is open already)
    // with the caret on the 0-based `line`.
    void openAtLine(const QString& path, int line);
    void moveCaretLeft();
    // The column of the selection's start (the caret's when nothing is selected).
    int selectionStartColumn() const;
    // Column and line of the caret, 0-based.
    QPoint caretPosition() const;
    void focusEditor();
    // EndEnter: a line break at the end of the remembered caret line, the caret at the start
    // of the new empty line below it.
    void endOfLineBreak();
    // The main editor as the find primitive's target.
    SearchTarget& editorSearchTarget();

    // The editor's background and text colours, with a selection that shows on both.
    void setEditorColors(const QColor& background, const QColor& text);

    // --- services
    void setStatusLine(const QString& text);
    QString statusLine() const;
    // What status panel 1 falls back to when no hint is shown (the value list's hint label).
    void setIdleHintSource(std::function<QString()> source) { m_idleHint = std::move(source); }
    // Whether the reference shows its DLZ page: the editor's explanations then come from the
    // libraries.
    void setDlzPageActive(bool active) { m_dlzPageActive = active; }
    ToolWindowFollower& toolWindows() { return m_follower; }
    // Dogy: reads the list file at `listFilePath` and hands its entries on (valueListLoaded); a
    // file that cannot be read is reported and the value list keeps what it had.
    void Dogy(const QString& listFilePath);

    ConfigDocument& document() { return m_document; }
    QPlainTextEdit* editor() const { return Memo1; }
    // The words the editor knows (which names are commands, which variables).
    const Vocabulary& vocabulary();
    QAction* action(const QString& name) const { return m_actions.value(name); }
    bool isActivated() const { return m_activated; }

    // The first-show steps (settings, game directory, tool windows); runs once.
    void FormShow();
    // Ends the program without the close steps (the chooser's "Отмена" at first start).
    void quitWithoutClosing();

    // --- DocumentView
    QString documentText() const override;
    void setDocumentText(const QString& text, bool caretAtEnd) override;
    bool isDocumentModified() const override;
    void setDocumentModified(bool modified) override;
    void showFileName(const QString& fileName) override;
    void showStatus(const QString& text) override;
    QString idleStatus() const override;
    QFont documentFont() const override;
    QString printTitle() const override;
    void reloadDocumentText(const QString& text) override;
    void visitText(const std::function<void(QStringView)>& visit) const override;
    void visitTextRange(qsizetype from, qsizetype to,
                        const std::function<void(QStringView)>& visit) const override;
    qsizetype textLength() const override;
    QList<qsizetype> lineStartsEvery(qsizetype characters) const override;
    void showTextForm(const textfile::TextForm& form) override;
    EncodedLines* encodedLines() const override;

    QString settingsPath() const;

    // Starts the game with the saved config, as the launcher window chose.
    void startGame(const LaunchChoice& choice);
    // The game the launcher started has ended: the start script goes, and a config.cfg the game
    // rewrote is reported at once (main_window_versions.cpp).
    void gameEnded(const QString& configPath);
    // Looks at the game's config.cfg and autoexec.cfg (at start, on activation, when the game
    // ends) and at the open file: bytes changed on disk are kept as a version, and a config.cfg
    // the game changed is reported.
    void lookAtChangedFiles();

signals:
    // The commands that open other windows.
    void gameChooserRequested(); // "Выбор каталога игры", and the first start without one
    void mapPickerRequested();               // your maps
    void mapCycleRequested();                // the map cycle editor
    void wizardRequested();                  // "Мастер CFG"
    void librarySetupRequested();            // the library set-up window
    void metaBindsRequested();               // MetaBinds insertion into the editor
    void launcherRequested();                // the launcher window, for a saved config
    // The versions window for a file (the open document's, or the game's config.cfg).
    void versionsRequested(const QString& path);
    // The game (or a server) changed the player's config.cfg: the report, in the versions
    // window.
    void gameConfigChanged(const QString& configPath, const ConfigChangeReport& report);
    void aboutRequested();                   // the about box
    void helpRequested(const QString& page); // a page of the help folder ("help.html")
    // An explanation for the pop-up (the look-up of the selected word).
    void explanationRequested(const QString& text);
    // Dogy read a list file: the value list shows its entries.
    void valueListLoaded(const QString& listFilePath, const QStringList& entries);

public slots:
    void New1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void MetaBind1Click();
    void Versions1Click(); // "История версий"
    void N33Click();
    void Exit1Click();
    void N7Click();
    void N3Click();
    void N4Click();
    void N5Click();
    void N38Click();
    void N35Click();
    void N29Click();
    void N31Click();
    void N30Click();
    void About1Click();
    // Notes that the caret panel is due; it is shown once per turn of the event loop, however
    // many caret and selection changes one keystroke or command makes.
    void Memo1SelectionChange();

    // The encoding and line breaks of the next save (main_window_text_form.cpp).
    void Cp12511Click();
    void Utf81Click();
    void Utf8Bom1Click();
    void CrLf1Click();
    void Lf1Click();

    // Text tools.
    void N11Click();        // select all / none
    void N14Click();        // word wrap
    void N21Click();        // delete line
    void N12Click();        // find
    void N18Click();        // look up the selected word
    void N16Click();        // font
    void N17Click();        // colour
    void Label1Click();     // "//"
    void Label2Click();     // Enter
    void Label3Click();     // EndEnter
    void Label4Click();     // cleanup
    void N10Popup();        // the Tools menu opens
    void PopupMenu2Popup(); // the editor's pop-up menu opens

    // Commands that open other windows.
    void N43Click();        // your-maps picker
    void N32Click();        // map cycle editor
    void N20Click();        // config wizard
    void N37Click();        // library set-up
    void MetaBinds1Click(); // MetaBinds insertion
    void CS1Click();        // start the game with the current config
    void ToolWindows1Click(); // the tool windows closed with their × come back

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildBottomPanel();
    void buildStatusBar();
    void connectHandlers();
    void setUpTextTools();
    void setUpTextForm();
    void refreshLookUpEnabled();
    void openHelpPage(const QString& page);
    void settleGameDirectory();
    void toolWindowsFollowSoon();
    void placeToolWindows();
    void writeSettingsAtClose();
    void applyEditorFont(const FirstShowSettings& shown);
    // The open file is watched, so that changes other programs make to it are noticed.
    void watchDocumentFile(const QString& fileName);
    void documentFileChanged();
    // Keeps a file's bytes changed on disk as a version; true when they differ from its last.
    bool noticeChangedFile(const QString& path, bool force = false);
    // The same for the open file once the program writing it has been still for a moment (the
    // watcher tells of a file being written, even of its first, empty state).
    void noticeOpenFileSoon();
    QTimer* m_noticeSoon = nullptr;

    AppContext& m_ctx;
    Settings m_settings;
    ConfigDocument m_document;
    ToolWindowFollower m_follower;
    std::function<QString()> m_idleHint;
    bool m_dlzPageActive = false;

    // Controls, named as the program names them.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    ConfigEditor* Memo1 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label5 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* m_panels[3] = {};
    EditorLanguage* m_language = nullptr;
    GivingWayLabel* m_formPanel = nullptr; // the encoding and line breaks, at the right end
    EncodedLines* m_encodedLines = nullptr; // the save's bytes of the editor's lines
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;

    bool m_firstShowDone = false;
    bool m_activated = false;
    bool m_quitting = false;
    bool m_closed = false;
    int m_styleCode = 0;
    bool m_fontLive = false;
    bool m_followPending = false;
    bool m_launchUnsaved = false; // the game starts without the edits not saved

    QRect m_normalGeometry;
    QFileSystemWatcher* m_fileWatcher = nullptr;
    // The files whose changes on disk are kept, as last looked at.
    QHash<QString, FileIdentity> m_filesSeen;

    // Text tools.
    std::unique_ptr<PlainTextSearchTarget> m_editorTarget;
    FindDialog* m_findDialog = nullptr; // made at the first find command
    int m_caretLine = 0;                // the caret's line as of the last selection change
    // The caret panel is as wide as four digits in each number, and widens (once per digit)
    // when a column or line number grows longer.
    int m_caretDigits = 4;
    bool m_caretPanelDue = false;
    void showCaretPanel();
};
