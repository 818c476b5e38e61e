// The font dialog.
#include "platform/qt_font_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QIcon swatch(const QColor& color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

template <typename T> T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// The colour list holds the standard colours, then at most one custom colour, then the entry
// that opens the colour dialog.
int customSlot() {
    return int(standardColors().size());
}

} // namespace

FontDialog::FontDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(u"FontDialog1"_s);
    setWindowTitle(u"Шрифт"_s);

    FaceBox = named(new QFontComboBox(this), u"FaceBox"_s);
    StyleBox = named(new QListWidget(this), u"StyleBox"_s);
    for (const FontStyleEntry& e : fontStyleEntries())
        StyleBox->addItem(e.caption);
    StyleBox->setFixedHeight(StyleBox->sizeHintForRow(0) * 4 + 2 * StyleBox->frameWidth() + 4);
    SizeBox = named(new QComboBox(this), u"SizeBox"_s);
    SizeBox->setEditable(true);
    SizeBox->setInsertPolicy(QComboBox::NoInsert);
    SizeBox->setValidator(new QIntValidator(1, 999, SizeBox));
    for (int size : QFontDatabase::standardSizes())
        SizeBox->addItem(QString::number(size));

    auto* effects = new QGroupBox(u"Видоизменение"_s, this);
    StrikeOut = named(new QCheckBox(u"&Зачёркнутый"_s, effects), u"StrikeOut"_s);
    Underline = named(new QCheckBox(u"&Подчёркнутый"_s, effects), u"Underline"_s);
    ColorBox = named(new QComboBox(effects), u"ColorBox"_s);
    for (const NamedColor& c : standardColors())
        ColorBox->addItem(swatch(c.color), c.caption);
    ColorBox->addItem(customColorCaption());
    auto* colorLabel = new QLabel(u"&Цвет:"_s, effects);
    colorLabel->setBuddy(ColorBox);
    auto* effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(StrikeOut);
    effectsLayout->addWidget(Underline);
    effectsLayout->addWidget(colorLabel);
    effectsLayout->addWidget(ColorBox);

    auto* sample = new QGroupBox(u"Образец"_s, this);
    Preview = named(new QLabel(u"AaBbБбЯя"_s, sample), u"Preview"_s);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setFixedSize(200, 60);
    auto* sampleLayout = new QVBoxLayout(sample);
    sampleLayout->addWidget(Preview);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"ОК"_s);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(u"OkButton"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Отмена"_s);

    auto* grid = new QGridLayout(this);
    auto caption = [this](const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        return label;
    };
    grid->addWidget(caption(u"&Шрифт:"_s, FaceBox), 0, 0);
    grid->addWidget(caption(u"&Начертание:"_s, StyleBox), 0, 1);
    grid->addWidget(caption(u"&Размер:"_s, SizeBox), 0, 2);
    grid->addWidget(FaceBox, 1, 0, Qt::AlignTop);
    grid->addWidget(StyleBox, 1, 1);
    grid->addWidget(SizeBox, 1, 2, Qt::AlignTop);
    grid->addWidget(effects, 2, 0);
    grid->addWidget(sample, 2, 1, 1, 2);
    grid->addWidget(buttons, 3, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(FaceBox, &QFontComboBox::currentFontChanged, this, &FontDialog::showPreview);
    connect(StyleBox, &QListWidget::currentRowChanged, this, &FontDialog::showPreview);
    connect(SizeBox, &QComboBox::currentTextChanged, this, &FontDialog::showPreview);
    connect(StrikeOut, &QCheckBox::toggled, this, &FontDialog::showPreview);
    connect(Underline, &QCheckBox::toggled, this, &FontDialog::showPreview);
    connect(ColorBox, &QComboBox::activated, this, &FontDialog::ColorBoxActivated);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void FontDialog::setChoice(const FontChoice& choice) {
    m_settingUp = true;
    FaceBox->setCurrentFont(choice.font);
    StyleBox->setCurrentRow(fontStyleIndex(choice.font));
    const int size = choice.font.pointSize() > 0 ? choice.font.pointSize() : 10;
    SizeBox->setCurrentText(QString::number(size));
    StrikeOut->setChecked(choice.font.strikeOut());
    Underline->setChecked(choice.font.underline());
    setColor(choice.color.isValid() ? choice.color : QColor(Qt::black));
    m_settingUp = false;
    showPreview();
}

FontChoice FontDialog::choice() const {
    FontChoice c;
    c.font = FaceBox->currentFont();
    applyFontStyleIndex(c.font, StyleBox->currentRow());
    bool ok = false;
    const int size = SizeBox->currentText().toInt(&ok);
    c.font.setPointSize(ok && size > 0 ? size : 10);
    c.font.setStrikeOut(StrikeOut->isChecked());
    c.font.setUnderline(Underline->isChecked());
    c.color = m_color;
    return c;
}

void FontDialog::setColor(const QColor& color) {
    m_color = color;
    const bool hasCustom = ColorBox->count() > customSlot() + 1;
    int index = standardColorIndex(color);
    if (index < 0) {
        m_custom = color;
        if (hasCustom) {
            ColorBox->setItemIcon(customSlot(), swatch(color));
            ColorBox->setItemText(customSlot(), color.name());
        } else {
            ColorBox->insertItem(customSlot(), swatch(color), color.name());
        }
        index = customSlot();
    }
    ColorBox->setCurrentIndex(index);
    showPreview();
}

void FontDialog::ColorBoxActivated(int index) {
    if (index == ColorBox->count() - 1) {
        // The last entry: any colour through the colour dialog; cancelling keeps the old one.
        const QColor chosen =
            QColorDialog::getColor(m_color, this, u"Цвет"_s, QColorDialog::DontUseNativeDialog);
        setColor(chosen.isValid() ? chosen : m_color);
        return;
    }
    if (index < int(standardColors().size()))
        setColor(standardColors()[index].color);
    else
        setColor(m_custom);
}

void FontDialog::showPreview() {
    if (m_settingUp)
        return;
    const FontChoice c = choice();
    Preview->setFont(c.font);
    QPalette pal = Preview->palette();
    pal.setColor(QPalette::WindowText, c.color);
    Preview->setPalette(pal);
}

std::optional<FontChoice> FontDialog::ask(QWidget* parent, const FontChoice& initial) {
    FontDialog dialog(parent);
    dialog.setChoice(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}
