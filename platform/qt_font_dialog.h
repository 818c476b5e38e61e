// The font dialog: face, style, size, the underline and strike-out effects, the text colour
// (the sixteen standard colours and any other through the colour dialog) and a preview.
#pragma once

#include "platform/font_choice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QListWidget;

class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(QWidget* parent = nullptr);

    void setChoice(const FontChoice& choice);
    FontChoice choice() const;

    // Runs the dialog on `initial`; nothing when it was cancelled.
    static std::optional<FontChoice> ask(QWidget* parent, const FontChoice& initial);

private:
    void ColorBoxActivated(int index);
    void setColor(const QColor& color);
    void showPreview();

    QFontComboBox* FaceBox = nullptr;
    QListWidget* StyleBox = nullptr;
    QComboBox* SizeBox = nullptr;
    QCheckBox* StrikeOut = nullptr;
    QCheckBox* Underline = nullptr;
    QComboBox* ColorBox = nullptr;
    QLabel* Preview = nullptr;
    QColor m_color;
    QColor m_custom; // the colour of the custom entry, when there is one
    bool m_settingUp = false;
};
