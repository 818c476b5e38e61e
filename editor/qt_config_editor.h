// The main window's editor control.
#pragma once

#include <QPlainTextEdit>

// A plain-text edit that leaves the program's own shortcuts (Ctrl+A look up, Ctrl+Y delete line,
// Ctrl+K your maps) to the menus, and breaks the line on Shift+Enter as on Enter (a config has no
// soft line break; the one Qt would insert has no Windows-1251 form).
//
// Its lines are laid out without a shaper while no character of the text needs one
// (editor/text_shaping.h): a config's Latin and Cyrillic look the same either way, and shaping
// is most of the cost of laying a line out. The first character that does need one, typed,
// pasted or inserted, turns shaping on for the whole text, until setText gives it a new one. A
// font the editor is given takes the shaping as it stands (font() then says which).
class ConfigEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ConfigEditor(QWidget* parent = nullptr);

    // The whole text replaced (a file opened or read again, a new config); whether it needs a
    // shaper is decided anew.
    void setText(const QString& text);
    // Whether the lines are laid out by a shaper now.
    bool shapesText() const { return m_shaping; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void contentsChange(int position, int removed, int added);
    void contentsChanged();
    void applyShaping(bool on);

    bool m_shaping = false;
    bool m_shapingWanted = false; // found by an edit, applied once the document has laid it out
    bool m_settingText = false;
};
