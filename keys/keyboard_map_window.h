// KeyboardMapWindow, "Карта клавиш": the keyboard and the mouse coloured by what the editor's
// config binds to each key, following the document as it is edited. A click asks for the key's bind
// line (or offers to add one); the window says so by signals, and app/ wires them to the editor.
#pragma once

#include "keys/config_set_keys.h"
#include "keys/key_resolution.h"
#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class KeyboardView;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextDocument;
class QTimer;

class KeyboardMapWindow : public BuiltOnFirstShow<QWidget> {
    Q_OBJECT
public:
    explicit KeyboardMapWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The document the map reads: the editor's. The whole document is read at the first showing
    // (and after a change of thousands of lines while hidden); after that only the lines an edit
    // changed are read again, shown or hidden, and the map is resolved again while it is shown.
    void followDocument(QTextDocument* document);

    // The editor's file, whose config set (keys/config_set_keys.h) lends the map the aliases
    // the document does not define and the binds other files decide. The set is run again at
    // every showing, with the words `words` gives (which names are commands, which variables).
    void setDocumentPathSource(std::function<QString()> source) {
        m_documentPath = std::move(source);
    }
    void setVocabularySource(std::function<const Vocabulary&()> words) {
        m_words = std::move(words);
    }

    KeyboardView* view() const { return MapView; }
    const KeyMapResult& map() const;

public slots:
    // Shows the window (brought to the front when it is open), with the map up to date.
    void showMap();
    void ButtonSaveClick();
    void EditFilterChange();
    void MapViewKeyClick(const QString& key);

signals:
    // Put the editor's caret on this 0-based line.
    void lineRequested(int line);
    // Append this line to the editor's document.
    void bindLineRequested(const QString& line);

protected:
    void buildContents() override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override; // Escape closes the map

private:
    void documentChanged(int position, int removed, int added);
    void readWholeDocument();
    void resolveNow();
    void readMetaBinds();
    void readConfigSet();
    QString describe(const QString& key) const;

    AppContext& m_ctx;
    QPointer<QTextDocument> m_document;
    BindingLines m_lines;
    bool m_stale = true;
    bool m_metaBindsRead = false;
    bool m_placed = false;
    MetaBindAliases m_metaBinds;
    ConfigSetKeys m_set;
    std::function<QString()> m_documentPath;
    std::function<const Vocabulary&()> m_words;
    QTimer* m_resolveTimer = nullptr;

    KeyboardView* MapView = nullptr;
    QLineEdit* EditFilter = nullptr;
    QPushButton* ButtonSave = nullptr;
    QLabel* LabelHint = nullptr;
    QLabel* LabelLine = nullptr; // the line the last click went to
};
