// The editor's language services. The check list sits under the editor in the main window's
// layout and appears at the first check.
#include "editor/qt_editor_language.h"

#include "editor/qt_alias_tracker.h"
#include "editor/qt_config_highlighter.h"
#include "editor/qt_findings_model.h"
#include "language/name_origins.h"
#include "language/vocabulary_preload.h"
#include "state/app_context.h"

#include <QAbstractItemView>
#include <QAction>
#include <QBoxLayout>
#include <QCompleter>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>

using namespace Qt::Literals::StringLiterals;

QString EditorLanguage::settingsSection() {
    return u"Syntax"_s;
}
QString EditorLanguage::settingsKey() {
    return u"Highlight"_s;
}

EditorLanguage::EditorLanguage(AppContext& ctx, QPlainTextEdit* editor,
                               EditorLanguageServices services, QAction* checkAction,
                               QAction* highlightAction, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_editor(editor), m_editorAlive(editor),
      m_services(std::move(services)), m_highlightAction(highlightAction) {
    setObjectName(u"EditorLanguage"_s);
    // The list of findings, under the editor.
    m_findings = new FindingsModel(editor->style(), this);
    ListCheck = makeFindingsView(m_findings, editor->parentWidget());
    ListCheck->setObjectName(u"ListCheck"_s);
    ListCheck->setMaximumHeight(130);
    ListCheck->hide();
    // The chosen finding whole, wrapped, under the list: a long one is cut in its row.
    LabelFinding = new QLabel(editor->parentWidget());
    LabelFinding->setObjectName(u"LabelFinding"_s);
    LabelFinding->setWordWrap(true);
    LabelFinding->setTextFormat(Qt::PlainText);
    LabelFinding->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelFinding->setContentsMargins(4, 2, 4, 2);
    LabelFinding->hide();
    if (auto* layout = qobject_cast<QBoxLayout*>(editor->parentWidget()->layout())) {
        layout->insertWidget(layout->indexOf(editor) + 1, ListCheck);
        layout->insertWidget(layout->indexOf(ListCheck) + 1, LabelFinding);
    }
    connect(ListCheck, &QListView::doubleClicked, this, &EditorLanguage::ListCheckDblClick);
    connect(ListCheck->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                LabelFinding->setText(current.data(Qt::ToolTipRole).toString());
            });
    ListCheck->installEventFilter(this);
    if (checkAction)
        connect(checkAction, &QAction::triggered, this, &EditorLanguage::CheckConfig1Click);

    // The document's aliases, counted before the highlighter hears of an edit, so that it
    // colours the edited block with them.
    m_aliases = new AliasTracker(editor->document(), this);
    connect(m_aliases, &AliasTracker::changed, this, [this](const QStringList& names, bool many) {
        if (m_highlighter)
            m_highlighter->aliasesChanged(names, many);
    });
    connect(editor->document(), &QTextDocument::contentsChange, this, [this] {
        if (m_completer && m_completer->popup()->isVisible())
            QTimer::singleShot(0, this, &EditorLanguage::followCompletion);
    });

    // Highlighting: on unless the settings say 0.
    m_highlighter =
        new ConfigHighlighter(editor, [this]() -> const Vocabulary& { return words(); });
    applyColours();
    m_highlighter->followAliases(m_aliases->live());
    const bool on = highlightingOn(m_services.readInt(settingsSection(), settingsKey()));
    if (m_highlightAction) {
        m_highlightAction->setCheckable(true);
        m_highlightAction->setChecked(on);
        connect(m_highlightAction, &QAction::triggered, this,
                &EditorLanguage::SyntaxHighlight1Click);
    }
    m_highlighter->setActive(on);
    // Blocks come on screen by scrolling, resizing and new text; they are coloured after the
    // editor has laid them out.
    connect(editor, &QPlainTextEdit::updateRequest, m_highlighter,
            &ConfigHighlighter::refreshVisible, Qt::QueuedConnection);
    // Hover and completion.
    m_viewport = editor->viewport();
    m_viewport->installEventFilter(this);
    editor->installEventFilter(this);
}

namespace {

// The completion list's names, each shown with the mark of a version that is not 1.5's, as the
// check tells them; the name alone is what is matched and inserted.
class MarkedNamesModel final : public QStringListModel {
public:
    MarkedNamesModel(std::function<QString(const QString&)> mark, QObject* parent)
        : QStringListModel(parent), m_mark(std::move(mark)) {}
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole)
            return QStringListModel::data(index, role);
        const QString name = QStringListModel::data(index, Qt::EditRole).toString();
        const QString mark = m_mark(name);
        return mark.isEmpty() ? name : name + u"   — "_s + mark;
    }

private:
    std::function<QString(const QString&)> m_mark;
};

} // namespace

QCompleter* EditorLanguage::completer() {
    // Made at the first completion: its list is a window of its own, not worth making at start.
    if (m_completer)
        return m_completer;
    m_completionModel = new MarkedNamesModel(
        [this](const QString& name) {
            const WordInfo* info = words().find(name);
            return info ? originMark(originOf(*info)) : QString();
        },
        this);
    m_completer = new QCompleter(m_completionModel, this);
    m_completer->setCompletionRole(Qt::EditRole);
    m_completer->setObjectName(u"EditorCompleter"_s);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    m_completer->setWidget(m_editor);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            &EditorLanguage::insertCompletion);
    // Ahead of the completer's own filter, which would hand Enter to the editor first (a line
    // break instead of the choice).
    m_completer->popup()->installEventFilter(this);
    return m_completer;
}

EditorLanguage::~EditorLanguage() = default;

void EditorLanguage::expectText(const QString& text) {
    m_aliases->expectText(text);
}

void EditorLanguage::takeWordsReadAhead() {
    if (m_words)
        return;
    if (std::shared_ptr<VocabularyPreload> ahead = std::move(m_ctx.state.vocabularyAhead)) {
        if (std::optional<VocabularyPreload::Read> read = ahead->take()) {
            m_wordsStamp = std::move(read->stamp);
            m_words = std::move(read->words);
        }
    }
}

void EditorLanguage::reloadVocabulary() {
    // Libraries may have been installed or removed since the words were read (at start too,
    // when nothing was coloured before the first check).
    takeWordsReadAhead();
    if (!m_words || Vocabulary::sourcesStamp(m_ctx.state.home) == m_wordsStamp)
        return;
    m_words.reset();
    m_highlighter->vocabularyChanged();
}

const Vocabulary& EditorLanguage::words() {
    takeWordsReadAhead();
    if (!m_words) {
        m_wordsStamp = Vocabulary::sourcesStamp(m_ctx.state.home);
        m_words = Vocabulary::loadKept(m_ctx.state.home, m_wordsStamp);
    }
    return *m_words;
}

void EditorLanguage::applyColours() {
    const QPalette pal = m_editor->palette();
    m_highlighter->setColours(syntaxColours(pal.color(QPalette::Base), pal.color(QPalette::Text)));
}

const ConfigReport& EditorLanguage::findings() const {
    return m_findings->report();
}

void EditorLanguage::CheckConfig1Click() {
    reloadVocabulary();
    m_findings->setReport(checkConfigReport(
        m_editor->toPlainText(), words(), m_ctx.state.games.gameDir,
        {m_fileForm.bytes, m_fileForm.crLf, m_documentName ? m_documentName() : QString()}));
    ListCheck->show();
    ListCheck->setCurrentIndex(m_findings->index(0, 0));
    LabelFinding->setText(m_findings->index(0, 0).data(Qt::ToolTipRole).toString());
    LabelFinding->setVisible(!LabelFinding->text().isEmpty());
}

void EditorLanguage::ListCheckDblClick(const QModelIndex& index) {
    const QVariant line = index.data(FindingsModel::kLineRole);
    if (!line.isValid())
        return;
    const QTextBlock block = m_editor->document()->findBlockByNumber(line.toInt());
    if (!block.isValid())
        return;
    QTextCursor c = m_editor->textCursor();
    c.setPosition(block.position());
    m_editor->setTextCursor(c);
    m_editor->ensureCursorVisible();
    m_editor->setFocus();
}

void EditorLanguage::SyntaxHighlight1Click() {
    const bool on = !m_highlighter->isActive();
    if (on)
        applyColours();
    m_highlighter->setActive(on);
    if (m_highlightAction)
        m_highlightAction->setChecked(on);
    m_services.writeInt(settingsSection(), settingsKey(), on ? 1 : 0);
}

QString EditorLanguage::explanationAt(const QPoint& viewportPos) {
    const QTextCursor at = m_editor->cursorForPosition(viewportPos);
    const QString line = at.block().text();
    int start = 0;
    const QString word = wordAt(line, at.positionInBlock(), &start);
    if (word.isEmpty() || !words().knows(word))
        return QString();
    // The point must be over the word, not beyond the end of a shorter line.
    QTextCursor from = at;
    from.setPosition(at.block().position() + start);
    QTextCursor to = at;
    to.setPosition(at.block().position() + start + int(word.size()));
    if (viewportPos.x() < m_editor->cursorRect(from).left() ||
        viewportPos.x() > m_editor->cursorRect(to).right())
        return QString();
    const QString text = m_services.explanation(words().entryFor(word));
    return text == u" ????"_s ? QString() : text;
}

QString EditorLanguage::prefixBeforeCaret(int* start) const {
    const QTextCursor c = m_editor->textCursor();
    const QString line = c.block().text().left(c.positionInBlock());
    int from = 0;
    const QString word = wordAt(line, int(line.size()), &from);
    if (start)
        *start = c.block().position() + from;
    return word;
}

void EditorLanguage::startCompletion() {
    QStringList names = words().names();
    for (const QString& alias : m_aliases->names())
        if (!words().knows(alias))
            names.append(alias);
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
    completer();
    m_completionModel->setStringList(names);
    m_completer->setCompletionPrefix(prefixBeforeCaret(nullptr));
    m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    if (m_completer->completionCount() == 0) {
        m_completer->popup()->hide();
        return;
    }
    QRect rect = m_editor->cursorRect();
    rect.setWidth(m_completer->popup()->sizeHintForColumn(0) +
                  m_completer->popup()->verticalScrollBar()->sizeHint().width() + 8);
    m_completer->complete(rect);
}

void EditorLanguage::followCompletion() {
    const QString prefix = prefixBeforeCaret(nullptr);
    if (prefix.isEmpty()) {
        m_completer->popup()->hide();
        return;
    }
    m_completer->setCompletionPrefix(prefix);
    if (m_completer->completionCount() == 0)
        m_completer->popup()->hide();
    else
        m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
}

void EditorLanguage::insertCompletion(const QString& name) {
    int start = 0;
    prefixBeforeCaret(&start);
    QTextCursor c = m_editor->textCursor();
    c.setPosition(start, QTextCursor::KeepAnchor);
    c.insertText(name);
    m_editor->setTextCursor(c);
}

bool EditorLanguage::eventFilter(QObject* watched, QEvent* e) {
    // The list and the editor's parts are siblings, torn down one after the other.
    if (!m_editorAlive)
        return QObject::eventFilter(watched, e);
    if (watched == m_viewport && e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QString text = m_highlighter ? explanationAt(help->pos()) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, m_editor->viewport());
        return true;
    }
    if (watched == m_editor && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Space && (key->modifiers() & Qt::ControlModifier)) {
            startCompletion();
            return true;
        }
    }
    if (m_completer && watched == m_completer->popup() && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
            const QModelIndex chosen = m_completer->popup()->currentIndex();
            m_completer->popup()->hide();
            if (chosen.isValid())
                insertCompletion(chosen.data(Qt::EditRole).toString());
            return true;
        }
        if (key == Qt::Key_Escape) {
            m_completer->popup()->hide();
            return true;
        }
    }
    if (watched == m_editor && e->type() == QEvent::PaletteChange && m_highlighter)
        applyColours();
    if (watched == ListCheck && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        ListCheck->hide();
        LabelFinding->hide();
        m_editor->setFocus();
        return true;
    }
    return QObject::eventFilter(watched, e);
}
