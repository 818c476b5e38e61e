// The main window's editor control.
#include "editor/qt_config_editor.h"

#include "editor/text_shaping.h"

#include <QFont>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {
// An edit up to this many characters is looked at character by character in the document; a
// longer one is read out of it in one piece.
constexpr int kCharsReadOneByOne = 4096;
} // namespace

ConfigEditor::ConfigEditor(QWidget* parent) : QPlainTextEdit(parent) {
    // Not shaping from the first font it is given, or from its first text.
    connect(document(), &QTextDocument::contentsChange, this, &ConfigEditor::contentsChange);
    connect(document(), &QTextDocument::contentsChanged, this, &ConfigEditor::contentsChanged);
}

void ConfigEditor::setText(const QString& text) {
    const bool shaping = needsShaper(text);
    m_shapingWanted = false;
    m_settingText = true;
    // A new font lays out the whole document: the old text goes first, and the new one is
    // laid out once, in the font it is shown in.
    if (shaping != m_shaping && document()->characterCount() > 1)
        setPlainText(QString());
    applyShaping(shaping);
    setPlainText(text);
    m_settingText = false;
}

void ConfigEditor::contentsChange(int position, int removed, int added) {
    Q_UNUSED(removed);
    if (m_shaping || m_shapingWanted || m_settingText || added <= 0)
        return;
    QTextDocument* doc = document();
    if (added <= kCharsReadOneByOne) {
        for (int i = position; i < position + added; ++i) {
            const char16_t c = doc->characterAt(i).unicode();
            if (needsShaper(QStringView(&c, 1))) {
                m_shapingWanted = true;
                return;
            }
        }
        return;
    }
    QTextCursor c(doc);
    c.setPosition(position);
    c.setPosition(std::min(position + added, doc->characterCount() - 1), QTextCursor::KeepAnchor);
    m_shapingWanted = needsShaper(c.selectedText());
}

void ConfigEditor::contentsChanged() {
    // The document has laid the edit out by now: changing its font in the middle of the edit
    // would lay it out from inside its own layout.
    if (m_shapingWanted) {
        m_shapingWanted = false;
        applyShaping(true);
    }
}

void ConfigEditor::applyShaping(bool on) {
    m_shaping = on;
    QFont f = font();
    const auto strategy = on ? f.styleStrategy() & ~QFont::PreferNoShaping
                             : f.styleStrategy() | QFont::PreferNoShaping;
    f.setStyleStrategy(QFont::StyleStrategy(strategy));
    // The widget's own font, so that its metrics and its document's lines share one font
    // engine (the strategy is part of what the engine is loaded for).
    if (f != font())
        setFont(f);
}

void ConfigEditor::changeEvent(QEvent* e) {
    const bool fontChange =
        e->type() == QEvent::FontChange || e->type() == QEvent::ApplicationFontChange;
    const bool shapingAsItIs = bool(font().styleStrategy() & QFont::PreferNoShaping) == !m_shaping;
    if (fontChange && !shapingAsItIs) {
        // A font given from outside: it takes the shaping as it stands, and the document is
        // given it once, by the event of that.
        applyShaping(m_shaping);
        return;
    }
    QPlainTextEdit::changeEvent(e);
}

bool ConfigEditor::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        const auto mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier |
                                              Qt::ShiftModifier | Qt::MetaModifier);
        if (mods == Qt::ControlModifier &&
            (key->key() == Qt::Key_A || key->key() == Qt::Key_Y || key->key() == Qt::Key_K)) {
            e->ignore(); // let the menu's shortcut have it
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void ConfigEditor::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && (e->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text(),
                        e->isAutoRepeat(), quint16(e->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        e->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}
