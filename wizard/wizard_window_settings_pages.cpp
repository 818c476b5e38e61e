// The wizard's settings pages 2 to 8, built from the settings catalogue, and the copying of the
// pages' values to and from their controls.
#include "wizard/wizard_window.h"

#include "platform/font_choice.h"
#include "platform/user_dialogs.h"
#include "widgets/qt_widget_helpers.h"
#include "wizard/qt_field_typing.h"
#include "wizard/qt_spin_edit.h"
#include "wizard/settings_catalogue.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The width of one of the two columns of a settings page.
constexpr int kColumnWidth = 190;

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QIcon colourSwatch(const QColor& colour) {
    QPixmap pix(14, 10);
    pix.fill(colour);
    QPainter p(&pix);
    p.setPen(Qt::black);
    p.drawRect(pix.rect().adjusted(0, 0, -1, -1));
    return QIcon(pix);
}

void setChecked(QRadioButton* b, bool on) {
    // An exclusive button cannot be unchecked by itself.
    b->setAutoExclusive(false);
    b->setChecked(on);
    b->setAutoExclusive(true);
}

// Builds one setting's controls on a page; keeps every named control in `controls`.
class SettingBuilder {
public:
    SettingBuilder(QWidget* page, QHash<QString, QWidget*>& controls)
        : m_page(page), m_controls(controls) {}

    // A framed box: the caption over the setting's choices and fields. Kept compact: page 2
    // holds ten of them in two columns.
    QFrame* box(const WizardSetting& s, int width) {
        auto* box = new QFrame(m_page);
        box->setFrameShape(QFrame::StyledPanel);
        box->setFixedWidth(width);
        auto* v = new QVBoxLayout(box);
        v->setContentsMargins(4, 2, 3, 3);
        v->setSpacing(1);
        v->addWidget(wrappedLabel(s.captions.value(0), box));
        // The video page's hints say what the numbers mean: a line of their own under the
        // caption. Elsewhere the second caption is a unit beside the field.
        const bool hintBelow = s.page == 3 && s.captions.size() > 1;
        if (hintBelow)
            v->addWidget(wrappedLabel(s.captions.value(1), box));
        if (!s.radios.isEmpty())
            v->addLayout(radioRow(s, box, width - 14));
        if (!s.listControl.isEmpty() && s.listControl != u"ComboBox1"_s)
            v->addWidget(list(s.listControl, box));
        if (!s.fields.isEmpty()) {
            auto* row = new QHBoxLayout;
            for (const FieldControl& f : s.fields)
                row->addWidget(field(f, box));
            // A hint or unit stands beside the field.
            if (s.captions.size() > 1 && !hintBelow)
                row->addWidget(wrappedLabel(s.captions.mid(1).join(u' '), box), 1);
            else
                row->addStretch(1);
            v->addLayout(row);
        }
        return box;
    }

    // The choices side by side when they fit, else one below the other.
    QLayout* radioRow(const WizardSetting& s, QWidget* parent, int width) {
        constexpr int kGap = 12;
        QList<QRadioButton*> buttons;
        int needed = -kGap;
        for (const RadioChoice& r : s.radios) {
            buttons.append(radio(r, parent));
            needed += buttons.last()->sizeHint().width() + kGap;
        }
        const bool inRow = needed <= width;
        QBoxLayout* row = inRow ? static_cast<QBoxLayout*>(new QHBoxLayout)
                                : static_cast<QBoxLayout*>(new QVBoxLayout);
        row->setSpacing(inRow ? kGap : 0);
        for (QRadioButton* b : buttons)
            row->addWidget(b);
        if (inRow)
            row->addStretch(1);
        return row;
    }

    QRadioButton* radio(const RadioChoice& r, QWidget* parent) {
        auto* b = new QRadioButton(r.caption, parent);
        b->setObjectName(r.control);
        m_controls.insert(r.control, b);
        return b;
    }

    QWidget* field(const FieldControl& f, QWidget* parent) {
        QWidget* w = nullptr;
        // Every field but the player's name holds a number.
        const bool number = f.spin || f.text != &WizardPageValues::name;
        if (f.spin) {
            auto* spin = new SpinEdit(f.minimum, f.maximum, f.step, parent);
            spin->setText(f.initialText);
            spin->setFixedWidth(62);
            guardFieldTyping(spin->editor(), number);
            w = spin;
        } else {
            auto* edit = new QLineEdit(f.initialText, parent);
            guardFieldTyping(edit, number);
            w = edit;
        }
        w->setObjectName(f.control);
        m_controls.insert(f.control, w);
        return w;
    }

    QComboBox* list(const QString& name, QWidget* parent) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(name);
        limitDropDown(combo);
        if (name == u"ColorBox1"_s) {
            // The names the font dialog gives the same sixteen colours, in the same order.
            combo->addItem(customColorCaption());
            const auto& named = standardColors();
            for (size_t i = 0; i < standardColours().size(); ++i) {
                const StandardColour& c = standardColours()[i];
                combo->addItem(colourSwatch(QColor(c.red, c.green, c.blue)),
                               i < named.size() ? named[i].caption : c.name);
            }
        } else if (name == u"ComboBox2"_s) {
            combo->addItems(netGraphPositions());
        } else {
            combo->addItems(rateEntries());
        }
        m_controls.insert(name, combo);
        return combo;
    }

private:
    QWidget* m_page;
    QHash<QString, QWidget*>& m_controls;
};

// Pages 2, 3, 4 and 7: framed boxes in two columns, balanced by height; plain fields (page 4's
// mouse and console speed) in rows below them.
void layOutInColumns(QWidget* page, const std::vector<const WizardSetting*>& settings,
                     SettingBuilder& build) {
    std::vector<QWidget*> boxes;
    std::vector<const WizardSetting*> rows;
    for (const WizardSetting* s : settings) {
        if (s->kind == SettingKind::Field && s->page == 4)
            rows.push_back(s);
        else
            boxes.push_back(build.box(*s, kColumnWidth));
    }
    // The split that leaves the taller column lowest, keeping the boxes in order.
    std::vector<int> heights;
    int total = 0;
    for (QWidget* b : boxes) {
        heights.push_back(b->heightForWidth(kColumnWidth));
        total += heights.back();
    }
    size_t split = 0;
    int best = total;
    for (size_t k = 0, above = 0; k <= boxes.size(); ++k) {
        const int taller = std::max<int>(int(above), total - int(above));
        if (taller < best) {
            best = taller;
            split = k;
        }
        if (k < boxes.size())
            above += size_t(heights[k]);
    }
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    for (size_t i = 0; i < boxes.size(); ++i)
        (i < split ? left : right)->addWidget(boxes[i]);
    left->addStretch(1);
    right->addStretch(1);
    columns->setSpacing(4);
    columns->addLayout(left);
    columns->addLayout(right);
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(3);
    v->addLayout(columns, 1);
    // The two mouse fields share one label: the right one has no caption of its own.
    auto* grid = new QGridLayout;
    int row = 0;
    for (size_t i = 0; i < rows.size(); ++i, ++row) {
        const QString caption = rows[i]->captions.value(0);
        grid->addWidget(new QLabel(caption, page), row, 0);
        grid->addWidget(build.field(rows[i]->fields.value(0), page), row, 1);
        if (i + 1 < rows.size() && rows[i + 1]->captions.value(0) == caption)
            grid->addWidget(build.field(rows[++i]->fields.value(0), page), row, 2);
    }
    grid->setColumnStretch(3, 1);
    v->addLayout(grid);
}

// Page 5: one row per setting: label, field, unit. The map change takes two rows, its
// rounds ("или", the field, "раундов.") under its minutes.
void layOutAsForm(QWidget* page, const std::vector<const WizardSetting*>& settings,
                  SettingBuilder& build) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 6, 6, 6);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(3);
    int row = 0;
    for (const WizardSetting* s : settings) {
        grid->addWidget(new QLabel(s->captions.value(0), page), row, 0);
        // Captions after the first: a unit after each field, "или" before the second.
        QStringList words = s->captions.mid(1);
        for (int i = 0; i < s->fields.size(); ++i, ++row) {
            QWidget* f = build.field(s->fields[i], page);
            f->setFixedWidth(52);
            if (i > 0 && !words.isEmpty())
                grid->addWidget(new QLabel(words.takeFirst(), page), row, 0, Qt::AlignRight);
            grid->addWidget(f, row, 1);
            if (!words.isEmpty())
                grid->addWidget(new QLabel(words.takeFirst(), page), row, 2);
        }
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);
}

// Pages 6 and 8: full-width boxes one below the other.
void layOutInOneColumn(QWidget* page, const std::vector<const WizardSetting*>& settings,
                       SettingBuilder& build, int width) {
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(6, 4, 6, 4);
    v->setSpacing(4);
    for (const WizardSetting* s : settings)
        v->addWidget(build.box(*s, width));
    v->addStretch(1);
}

} // namespace

void ConfigWizard::buildSettingsPages() {
    for (int pageNo = 2; pageNo <= 8; ++pageNo) {
        std::vector<const WizardSetting*> onPage;
        for (const WizardSetting& s : wizardSettings())
            if (s.page == pageNo && s.kind != SettingKind::Rate)
                onPage.push_back(&s);
        QWidget* p = page(pageNo - 1);
        SettingBuilder builder(p, m_controls);
        if (pageNo == 5)
            layOutAsForm(p, onPage, builder);
        else if (pageNo == 6)
            layOutInOneColumn(p, onPage, builder, 380);
        else if (pageNo != 8)
            layOutInColumns(p, onPage, builder);
    }
    buildConnectionPage();

    ColorBox1 = qobject_cast<QComboBox*>(m_controls.value(u"ColorBox1"_s));
    RadioButton39 = qobject_cast<QRadioButton*>(m_controls.value(u"RadioButton39"_s));
    RadioButton40 = qobject_cast<QRadioButton*>(m_controls.value(u"RadioButton40"_s));
    ComboBox2 = qobject_cast<QComboBox*>(m_controls.value(u"ComboBox2"_s));
    SpinEdit12 = qobject_cast<SpinEdit*>(m_controls.value(u"SpinEdit12"_s));
    SpinEdit13 = qobject_cast<SpinEdit*>(m_controls.value(u"SpinEdit13"_s));
    Q_ASSERT(ColorBox1 && RadioButton39 && RadioButton40 && ComboBox2 && SpinEdit12 && SpinEdit13);

    QFont bold = font();
    bold.setBold(true);
    if (auto* name = m_controls.value(u"Edit1"_s))
        name->setFont(bold);

    const WizardPageValues initial = creationPageValues();
    m_customColor = QColor(initial.customRed, initial.customGreen, initial.customBlue);
    valuesToControls(initial);

    connect(RadioButton39, &QRadioButton::clicked, this, &ConfigWizard::RadioButton39Click);
    connect(RadioButton40, &QRadioButton::clicked, this, &ConfigWizard::RadioButton40Click);
    connect(SpinEdit12, &SpinEdit::textChanged, this, &ConfigWizard::SpinEdit12Change);
    connect(SpinEdit13, &SpinEdit::textChanged, this, &ConfigWizard::SpinEdit13Change);
    connect(RadioButton17, &QRadioButton::clicked, this, &ConfigWizard::RadioButton17Click);
    connect(RadioButton18, &QRadioButton::clicked, this, &ConfigWizard::RadioButton18Click);
    connect(ColorBox1, &QComboBox::activated, this, &ConfigWizard::ColorBox1Change);
    connect(Button8, &QPushButton::clicked, this, &ConfigWizard::Button8Click);
}

void ConfigWizard::buildConnectionPage() {
    QWidget* p = page(7);
    const WizardSetting& rate = wizardSetting(SettingId::Rate);
    SettingBuilder build(p, m_controls);
    auto* group = new QGroupBox(p);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 4, 8, 8);
    grid->addWidget(wrappedLabel(rate.captions.value(0), group), 0, 0, 1, 3);
    RadioButton17 = build.radio(rate.radios.value(0), group);
    RadioButton18 = build.radio(rate.radios.value(1), group);
    ComboBox1 = build.list(u"ComboBox1"_s, group);
    const FieldControl number = rate.fields.value(0);
    SpinEdit5 = qobject_cast<SpinEdit*>(build.field(number, group));
    SpinEdit5->setFixedWidth(80);
    grid->addWidget(RadioButton17, 1, 0);
    grid->addWidget(ComboBox1, 1, 1);
    grid->addWidget(RadioButton18, 2, 0);
    grid->addWidget(SpinEdit5, 2, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    ComboBox1->setMinimumWidth(210);

    Button8 = new QPushButton(u"Применить настройки"_s, p);
    Button8->setObjectName(u"Button8"_s);
    Button8->setAutoDefault(false);
    QFont bold = Button8->font();
    bold.setBold(true);
    Button8->setFont(bold);
    Button8->setMinimumHeight(30);

    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(10, 10, 10, 10);
    v->addWidget(group);
    v->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(Button8);
    row->addStretch(1);
    v->addLayout(row);
    v->addStretch(1);
}

void ConfigWizard::clearSettingsPages() {
    WizardPageValues v = valuesFromControls();
    clearPageValuesForNewFile(v);
    valuesToControls(v);
}

void ConfigWizard::valuesToControls(const WizardPageValues& values) {
    // Reading sets both map change fields; neither may zero the other meanwhile.
    m_loadingRounds = true;
    for (const WizardSetting& s : wizardSettings()) {
        if (s.choice) {
            const int chosen = values.*s.choice;
            for (const RadioChoice& r : s.radios)
                setChecked(qobject_cast<QRadioButton*>(m_controls.value(r.control)),
                           r.value == chosen);
        }
        for (const FieldControl& f : s.fields) {
            QWidget* w = m_controls.value(f.control);
            if (auto* spin = qobject_cast<SpinEdit*>(w))
                spin->setText(values.*f.text);
            else if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->setText(values.*f.text);
        }
    }
    m_customColor = QColor(values.customRed, values.customGreen, values.customBlue);
    m_customColourText = values.customColourText;
    ColorBox1->setItemIcon(0, colourSwatch(m_customColor));
    ColorBox1->setCurrentIndex(values.consoleColourEntry);
    ComboBox2->setCurrentIndex(values.netGraphPosition);
    ComboBox1->setCurrentIndex(values.rateEntry);
    // The list or the number, whichever the connection uses, is the one that works.
    ComboBox1->setEnabled(RadioButton17->isChecked() || !RadioButton18->isChecked());
    SpinEdit5->setEnabled(RadioButton18->isChecked());
    m_loadingRounds = false;
}

WizardPageValues ConfigWizard::valuesFromControls() const {
    WizardPageValues v = m_set.values;
    for (const WizardSetting& s : wizardSettings()) {
        if (s.choice) {
            v.*s.choice = -1;
            for (const RadioChoice& r : s.radios)
                if (qobject_cast<QRadioButton*>(m_controls.value(r.control))->isChecked())
                    v.*s.choice = r.value;
        }
        for (const FieldControl& f : s.fields) {
            QWidget* w = m_controls.value(f.control);
            if (auto* spin = qobject_cast<SpinEdit*>(w))
                v.*f.text = spin->text();
            else if (auto* edit = qobject_cast<QLineEdit*>(w))
                v.*f.text = edit->text();
        }
    }
    v.consoleColourEntry = ColorBox1->currentIndex();
    v.customRed = m_customColor.red();
    v.customGreen = m_customColor.green();
    v.customBlue = m_customColor.blue();
    v.customColourText = m_customColourText;
    v.netGraphPosition = ComboBox2->currentIndex();
    v.rateEntry = ComboBox1->currentIndex();
    return v;
}

// --- handlers of the settings pages

void ConfigWizard::RadioButton39Click() {
    ComboBox2->setEnabled(true);
}

void ConfigWizard::RadioButton40Click() {
    ComboBox2->setEnabled(false);
}

void ConfigWizard::SpinEdit12Change() {
    if (m_loadingRounds)
        return;
    // Setting the other field must not in turn zero this one.
    m_loadingRounds = true;
    SpinEdit13->setText(u"0"_s);
    m_loadingRounds = false;
}

void ConfigWizard::SpinEdit13Change() {
    if (m_loadingRounds)
        return;
    m_loadingRounds = true;
    SpinEdit12->setText(u"0"_s);
    m_loadingRounds = false;
}

void ConfigWizard::RadioButton17Click() {
    ComboBox1->setEnabled(true);
    SpinEdit5->setEnabled(false);
}

void ConfigWizard::RadioButton18Click() {
    SpinEdit5->setEnabled(true);
    ComboBox1->setEnabled(false);
}

void ConfigWizard::ColorBox1Change(int index) {
    // A colour the user picks replaces a value the file had in another form.
    if (index != 0) {
        m_customColourText.clear();
        return;
    }
    const std::optional<QColor> chosen = m_ctx.dialogs.chooseColor(m_customColor);
    if (!chosen)
        return;
    m_customColourText.clear();
    m_customColor = *chosen;
    ColorBox1->setItemIcon(0, colourSwatch(m_customColor));
}
