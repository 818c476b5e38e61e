// The wizard window's frame (left strip, hidden page tabs, bottom row) and its page flow.
// Page 1 is in wizard_window_file_page.cpp, pages 2 to 8 in wizard_window_settings_pages.cpp,
// applying in wizard_window_apply.cpp.
#include "wizard/wizard_window.h"
#include "widgets/qt_widget_helpers.h"

#include "platform/user_dialogs.h"
#include "wizard/pivo.h"
#include "wizard/qt_spin_edit.h"
#include "wizard/wizard_files.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kStripWidth = 73;

// The upper picture of the strip: a cog with a sheet of config lines before it.
QPixmap settingsPicture() {
    QPixmap pix(64, 120);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(32, 40);
    QPainterPath cog;
    for (int i = 0; i < 8; ++i) {
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(i * 45.0);
        cog.addPolygon(t.map(QPolygonF(QRectF(-5, -27, 10, 10))));
    }
    cog.addEllipse(c, 20, 20);
    cog = cog.simplified();
    QPainterPath hole;
    hole.addEllipse(c, 8, 8);
    p.setPen(QPen(QColor(70, 62, 56), 1.5));
    p.setBrush(QColor(150, 140, 128));
    p.drawPath(cog.subtracted(hole));
    // The sheet.
    const QRectF sheet(14, 62, 38, 50);
    p.setPen(QPen(QColor(70, 62, 56), 1.2));
    p.setBrush(QColor(252, 250, 244));
    p.drawRect(sheet);
    p.setPen(QPen(QColor(120, 40, 30), 2));
    for (int i = 0; i < 5; ++i) {
        const qreal y = sheet.top() + 9 + i * 8;
        p.drawLine(QPointF(sheet.left() + 6, y), QPointF(sheet.left() + 6 + (i % 2 ? 16 : 26), y));
    }
    return pix;
}

// The lower picture: four keys of a keyboard, as the key pages bind them.
QPixmap keysPicture() {
    QPixmap pix(64, 90);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = p.font();
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    const struct {
        QRectF box;
        QString letter;
    } keys[] = {{{21, 20, 22, 22}, u"W"_s},
                {{1, 44, 22, 22}, u"A"_s},
                {{21, 44, 22, 22}, u"S"_s},
                {{41, 44, 22, 22}, u"D"_s}};
    for (const auto& k : keys) {
        const QRectF box = k.box.adjusted(1, 1, -1, -1);
        p.setPen(QPen(QColor(70, 62, 56), 1.2));
        p.setBrush(QColor(240, 236, 230));
        p.drawRoundedRect(box, 3, 3);
        p.setPen(QColor(50, 44, 40));
        p.drawText(box, Qt::AlignCenter, k.letter);
    }
    return pix;
}

} // namespace

ConfigWizard::ConfigWizard(AppContext& ctx, WizardKeyPartInstaller installKeys, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx), m_set(ctx.state),
      m_installKeys(std::move(installKeys)) {
    setObjectName(u"form2"_s);
    setWindowTitle(u"Конкретный конфигуратор (Master CFG)"_s);
    setWindowFlags(kFixedDialogFlags);
    setModal(true);
}

void ConfigWizard::buildContents() {
    // The pages are laid out for a small dialog font, as the rest of the fixed dialogs.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    buildFrame();
    buildPage1();
    buildSettingsPages();
    m_keyPages = m_installKeys(*this, m_ctx);
    layOutFrame();
    chainPagesToButtons();

    connect(Button2, &QPushButton::clicked, this, &ConfigWizard::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &ConfigWizard::Button3Click);
    connect(Button56, &QPushButton::clicked, this, &ConfigWizard::Button56Click);
    applyFlowView();
}

ConfigWizard::~ConfigWizard() = default;

void ConfigWizard::buildFrame() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFixedWidth(kStripWidth);
    Panel1->setAutoFillBackground(true);
    QPalette strip = Panel1->palette();
    strip.setColor(QPalette::Window, QColor(216, 208, 200));
    Panel1->setPalette(strip);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(u"Image1"_s);
    Image1->setPixmap(settingsPicture());
    Image1->setGeometry(4, 16, 64, 120);
    Image3 = new QLabel(Panel1);
    Image3->setObjectName(u"Image3"_s);
    Image3->setPixmap(keysPicture());
    Image3->setGeometry(4, 236, 64, 90);

    PgC1 = new QTabWidget(this);
    PgC1->setObjectName(u"PgC1"_s);
    // Pages change only through the buttons below.
    PgC1->tabBar()->hide();
    for (int i = 0; i < wizard::kPageCount; ++i) {
        auto* page = new QWidget;
        page->setObjectName(u"TbS"_s + QString::number(i + 1));
        PgC1->addTab(page, wizard::pageShowRule(i).tabCaption);
        m_pages.at(static_cast<size_t>(i)) = page;
    }

    Label3 = new QLabel(this);
    Label3->setObjectName(u"Label3"_s);
    Label32 = new QLabel(this);
    Label32->setObjectName(u"Label32"_s);
    QFont bold = font();
    bold.setBold(true);
    Label32->setFont(bold);
    Label32->setWordWrap(true);
    Label32->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for a page title of two lines.
    Label32->setFixedHeight(2 * QFontMetrics(bold).lineSpacing() + 2);
    Label32->setMinimumWidth(170);
    m_savedLine = new ElidedLabel(this);
    m_savedLine->setObjectName(u"SavedLine"_s);
    m_savedLine->setMinimumHeight(m_savedLine->fontMetrics().height());

    Button56 = new QPushButton(u"Кнопки"_s, this);
    Button56->setObjectName(u"Button56"_s);
    Button3 = new QPushButton(u"<< Назад"_s, this);
    Button3->setObjectName(u"Button3"_s);
    Button2 = new QPushButton(this);
    Button2->setObjectName(u"Button2"_s);
    // Wide enough for every caption the flow gives them, bold "Клавиши" included.
    QFontMetrics boldMetrics(bold);
    for (QPushButton* b : {Button56, Button3, Button2}) {
        b->setAutoDefault(false);
        b->setFixedSize(std::max(72, boldMetrics.horizontalAdvance(u"<< Назад"_s) + 16),
                        std::max(25, boldMetrics.height() + 10));
    }

    // Page 11's note; the key pages lay out the rest of the page above it.
    auto* keys3 = new QVBoxLayout(page(10));
    keys3->setContentsMargins(6, 4, 6, 4);
    keys3->addStretch(1);
    Label83 = new QLabel(page(10));
    Label83->setObjectName(u"Label83"_s);
    Label83->setAlignment(Qt::AlignCenter);
    keys3->addWidget(Label83);
}

void ConfigWizard::chainPagesToButtons() {
    // The hidden tab bar takes no focus: Tab would vanish into it.
    PgC1->setFocusPolicy(Qt::NoFocus);
    PgC1->tabBar()->setFocusPolicy(Qt::NoFocus);
    // Each page's controls in the order the page gives them, page after page, then the bottom
    // row: Tab goes through the page shown (the others are hidden and passed over), then the
    // wizard's buttons, and round again.
    std::array<QList<QWidget*>, wizard::kPageCount> perPage;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w == Button56 || w == Button3 || w == Button2)
            continue;
        for (size_t i = 0; i < perPage.size(); ++i)
            if (m_pages.at(i)->isAncestorOf(w)) {
                perPage.at(i).append(w);
                break;
            }
    }
    QList<QWidget*> order;
    for (const QList<QWidget*>& controls : perPage)
        order += controls;
    order << Button56 << Button3 << Button2;
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order.at(i), order.at(i + 1));
}

QSize ConfigWizard::pagesNeed() const {
    // The widest page's width; at that width, the tallest page's height (a word-wrapped caption
    // takes fewer lines on a wider page than its minimum size assumes).
    int width = 0;
    for (QWidget* p : m_pages)
        if (QLayout* l = p->layout())
            width = std::max(width, l->totalMinimumSize().width());
    int height = 0;
    for (QWidget* p : m_pages)
        if (QLayout* l = p->layout())
            height = std::max(height, l->hasHeightForWidth() ? l->minimumHeightForWidth(width)
                                                             : l->totalMinimumSize().height());
    // The tab widget's frame around the page.
    const int frame = 2 * PgC1->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
    return QSize(width + frame, height + frame);
}

void ConfigWizard::layOutFrame() {
    // The pages take what their contents need (at least the size they were drawn for); the
    // strip, the bottom row and the saved line are placed around them.
    PgC1->setMinimumSize(pagesNeed().expandedTo(QSize(476 - kStripWidth - 6, 318)));
    auto* captions = new QVBoxLayout;
    captions->setSpacing(1);
    captions->addWidget(Label3);
    captions->addWidget(Label32);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(4);
    bottom->addLayout(captions, 1);
    bottom->addWidget(Button56, 0, Qt::AlignVCenter);
    bottom->addWidget(Button3, 0, Qt::AlignVCenter);
    bottom->addWidget(Button2, 0, Qt::AlignVCenter);
    auto* right = new QVBoxLayout;
    right->setContentsMargins(3, 4, 4, 2);
    right->setSpacing(2);
    right->addWidget(PgC1, 1);
    right->addLayout(bottom);
    right->addWidget(m_savedLine);
    auto* whole = new QHBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->setSpacing(0);
    whole->addWidget(Panel1);
    whole->addLayout(right, 1);
    setFixedSize(whole->totalMinimumSize().expandedTo(QSize(476, 371)));
}

void ConfigWizard::applyFlowView() {
    const wizard::PageFlowView& v = m_flow.view();
    Label3->setText(v.label3);
    Label32->setText(v.label32);
    Button2->setText(v.button2Caption);
    QFont f = Button2->font();
    f.setBold(v.button2Bold);
    Button2->setFont(f);
    Button2->setEnabled(v.button2Enabled);
    Button3->setEnabled(v.button3Enabled);
    Button56->setVisible(v.button56Visible);
    Button56->setEnabled(v.button56Enabled);
}

void ConfigWizard::runModal() {
    FormShow();
    if (QWidget* main = parentWidget())
        centreFrameOn(this, main->frameGeometry(), main);
    exec();
}

void ConfigWizard::showPage(int index) {
    ensureBuilt();
    PgC1->setCurrentIndex(index);
    runPageShow(index);
}

void ConfigWizard::runPageShow(int index) {
    switch (index) {
    case 0:
        TbS1Show();
        break;
    case 1:
        TbS2Show();
        break;
    case 2:
        TbS3Show();
        break;
    case 3:
        TbS4Show();
        break;
    case 4:
        TbS5Show();
        break;
    case 5:
        TbS6Show();
        break;
    case 6:
        TbS7Show();
        break;
    case 7:
        TbS8Show();
        break;
    case 8:
        TbS9Show();
        break;
    case 9:
        TbS10Show();
        break;
    default:
        TbS11Show();
        break;
    }
    applyFlowView();
    emit pageShown(index);
}

void ConfigWizard::runOnDocuments(bool keepUsedKeys, const std::function<void()>& work) {
    ensureBuilt();
    // The documents are plain objects that take no input focus, so the user stays on the page
    // while they are searched; what the first page's handler would do to the key lists is done
    // here.
    const int returnTo = PgC1->currentIndex();
    m_flow.setInternalPageSwitch(keepUsedKeys);
    if (!keepUsedKeys)
        m_set.usedKeys.clear();
    mem1->setUpdatesEnabled(false);
    work();
    mem1->setUpdatesEnabled(true);
    showPreview();
    showPage(returnTo);
    m_flow.setInternalPageSwitch(false);
}

void ConfigWizard::setActionCommands(const QStringList& commands) {
    m_actionCommands = commands;
}

void ConfigWizard::appendMetaBind(const QString& block) {
    ensureBuilt();
    // Kept in the working document until page 11's "Применить настройки" saves it.
    m_set.mem1.appendLine(block);
    showPreview();
}

void ConfigWizard::actionKeyChosen(int row, const QString& key) {
    ensureBuilt();
    m_keyPages->kompot(row, key);
}

void ConfigWizard::FormShow() {
    ensureBuilt();
    showPage(0);
    Label83->setText(wizard::keyPagesNote());
    openWizardFolder();
}

void ConfigWizard::FormClose() {
    m_set.dropDocuments();
    m_savedMem1.clear();
    m_savedMem2.clear();
    m_unreadableReason.clear();
    m_savedLine->clear();
    FileBox1->clearSelection();
    FileBox1->setCurrentRow(-1, QItemSelectionModel::Clear);
    m_flow.fileDropped();
    applyFlowView();
    showPreview();
    m_keyPages->wizardClosing();
}

void ConfigWizard::done(int result) {
    // Escape and the title bar's close end here too: keys bound but not yet saved are asked
    // about, as the editor asks about its text.
    if (!mayClose())
        return;
    FormClose();
    QDialog::done(result);
}

bool ConfigWizard::hasUnsavedChanges() const {
    if (!m_set.chosenReadable())
        return false;
    return m_set.mem1.content() != m_savedMem1 ||
           (m_set.autoexecMode && m_set.autoexecReadable && m_set.mem2.content() != m_savedMem2);
}

bool ConfigWizard::mayClose() {
    if (!hasUnsavedChanges())
        return true;
    switch (m_ctx.dialogs.confirmYesNoCancel(u"Сохранить изменения?"_s)) {
    case UserDialogs::Answer::Yes:
        break;
    case UserDialogs::Answer::No:
        return true;
    default:
        return false;
    }
    if (m_set.autoexecMode && m_set.autoexecReadable && m_set.mem2.content() != m_savedMem2 &&
        !reportSave(saveAutoexecFile(m_set)))
        return false;
    if (m_set.mem1.content() == m_savedMem1)
        return true;
    warnUnencodable(m_set.mem1.content());
    return reportSave(saveChosenFile(m_set));
}

bool ConfigWizard::refuseUnreadable() {
    if (m_unreadableReason.isEmpty() || !fileSelected())
        return false;
    m_ctx.dialogs.error(m_unreadableReason);
    return true;
}

bool ConfigWizard::fileSelected() const {
    return !FileBox1->selectedItems().isEmpty();
}

void ConfigWizard::refuseWithoutFile() {
    m_ctx.dialogs.message(wizard::chooseConfigFirstMessage());
    // No file stands behind the documents now: nothing of them may be written over one.
    m_set.dropDocuments();
    showPreview();
}

void ConfigWizard::readDocuments() {
    const BusyCursor busy; // a large config takes a moment
    // Settings without a line in the document keep what the pages hold.
    m_set.values = valuesFromControls();
    mem1->setUpdatesEnabled(false);
    pivoRead(m_set, m_actionCommands);
    mem1->setUpdatesEnabled(true);
    valuesToControls(m_set.values);
    // What the controls show of the file is what applying compares against: a value a control
    // cannot show exactly is not taken for a change of the player's.
    m_set.valuesAsRead = valuesFromControls();
    markLaterSettings();
    emit documentsRead();
}

void ConfigWizard::Button2Click() {
    if (PgC1->currentIndex() == 0 && refuseUnreadable())
        return;
    const wizard::ForwardStep step = m_flow.forward(PgC1->currentIndex(), fileSelected());
    if (step.refused) {
        refuseWithoutFile();
    } else {
        if (step.readSettings)
            readDocuments();
        if (step.pageToShow >= 0)
            showPage(step.pageToShow);
    }
    m_set.reloadOnly = false;
    applyFlowView();
}

void ConfigWizard::Button3Click() {
    const int to = m_flow.back();
    if (to >= 0)
        showPage(to);
}

void ConfigWizard::Button56Click() {
    if (PgC1->currentIndex() == 0 && refuseUnreadable())
        return;
    const wizard::ForwardStep step = m_flow.jumpToKeys(fileSelected());
    if (step.refused) {
        refuseWithoutFile();
    } else {
        readDocuments();
        showPage(step.pageToShow);
    }
    m_set.reloadOnly = false;
    applyFlowView();
}

// --- page show handlers: the page flow table does the bottom row

void ConfigWizard::TbS1Show() {
    if (m_flow.show(0))
        m_set.usedKeys.clear();
}
void ConfigWizard::TbS2Show() {
    m_flow.show(1);
}
void ConfigWizard::TbS3Show() {
    m_flow.show(2);
    ComboBox2->setEnabled(RadioButton39->isChecked());
}
void ConfigWizard::TbS4Show() {
    m_flow.show(3);
}
void ConfigWizard::TbS5Show() {
    m_flow.show(4);
}
void ConfigWizard::TbS6Show() {
    m_flow.show(5);
}
void ConfigWizard::TbS7Show() {
    m_flow.show(6);
}
void ConfigWizard::TbS8Show() {
    m_flow.show(7);
}
void ConfigWizard::TbS9Show() {
    m_flow.show(8);
}
void ConfigWizard::TbS10Show() {
    m_flow.show(9);
}
void ConfigWizard::TbS11Show() {
    m_flow.show(10);
}
