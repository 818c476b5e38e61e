// What the editor knows of the config language, attached to the main window's editor: the
// highlighting ("Подсветка синтаксиса"), the explanation on hover, Ctrl+Space completion and
// "Проверить конфиг" with its list of findings under the editor.
#pragma once

#include "language/config_check.h"
#include "language/vocabulary.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class AliasTracker;
struct AppContext;
class ConfigHighlighter;
class QAction;
class QCompleter;
class FindingsModel;
class QLabel;
class QListView;
class QModelIndex;
class QPlainTextEdit;
class QStringListModel;

// What the language takes from the windows above it: the settings file, where it keeps its one
// choice, and the explanation of a vocabulary entry from the reference's files (" ????" for
// none). The main window hands them in.
struct EditorLanguageServices {
    std::function<int(const QString& section, const QString& key)> readInt;
    std::function<void(const QString& section, const QString& key, int value)> writeInt;
    std::function<QString(const QString& entry)> explanation;
};

class EditorLanguage : public QObject {
    Q_OBJECT
public:
    // `checkAction` runs the check, `highlightAction` (checkable) turns the highlighting on and
    // off; the choice is kept in the settings file's own section.
    EditorLanguage(AppContext& ctx, QPlainTextEdit* editor, EditorLanguageServices services,
                   QAction* checkAction, QAction* highlightAction, QObject* parent);
    ~EditorLanguage() override;

    // The settings file's section and key for the highlighting choice (1 on, 0 off).
    static QString settingsSection();
    static QString settingsKey();
    // Whether a value read there (Settings::kAbsent when there is none) means on: all but 0.
    static bool highlightingOn(int settingValue) { return settingValue != 0; }

    // "Проверить конфиг".
    void CheckConfig1Click();
    // How the document is stored, for the check's byte limits.
    void setFileForm(CheckedFile form) { m_fileForm = form; }
    // Where the check learns the open document's file name (empty for an unsaved text): the
    // game's config.cfg gets the check of the lines the game does not keep.
    void setDocumentName(std::function<QString()> documentName) {
        m_documentName = std::move(documentName);
    }
    // The editor is about to be given `text` whole: what can be read of it ahead is.
    void expectText(const QString& text);
    // "Подсветка синтаксиса".
    void SyntaxHighlight1Click();
    // The explanation shown on hover at a viewport point, or an empty string.
    QString explanationAt(const QPoint& viewportPos);
    // Ctrl+Space: offers the names that complete the word before the caret.
    void startCompletion();

    QListView* checkList() const { return ListCheck; }
    QLabel* findingLine() const { return LabelFinding; }
    QCompleter* completer();
    // The words the editor knows, read at the first need.
    const Vocabulary& vocabulary() { return words(); }
    ConfigHighlighter* highlighter() const { return m_highlighter; }
    const ConfigReport& findings() const;
    // The words of the game, read at their first need (what config.cfg keeps, for one).
    const Vocabulary& words();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ListCheckDblClick(const QModelIndex& index);
    void reloadVocabulary();
    // The words read at start on a thread of their own, if nothing took them yet.
    void takeWordsReadAhead();
    void applyColours();
    void insertCompletion(const QString& name);
    void followCompletion();
    QString prefixBeforeCaret(int* start) const;

    AppContext& m_ctx;
    CheckedFile m_fileForm;
    QPlainTextEdit* m_editor;
    std::function<QString()> m_documentName;
    QWidget* m_viewport = nullptr;
    QPointer<QObject> m_editorAlive; // the list outlives the editor at the window's end
    EditorLanguageServices m_services;
    QAction* m_highlightAction;
    // Read from the program folder when first needed: an empty editor needs no words.
    std::optional<Vocabulary> m_words;
    QString m_wordsStamp; // of the files m_words were read from
    AliasTracker* m_aliases = nullptr;
    ConfigHighlighter* m_highlighter = nullptr;
    QListView* ListCheck = nullptr;
    QLabel* LabelFinding = nullptr; // the chosen finding whole
    FindingsModel* m_findings = nullptr;
    QCompleter* m_completer = nullptr;
    QStringListModel* m_completionModel = nullptr;
};
