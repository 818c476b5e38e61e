// The reference window.
#include "reference/reference_window.h"

#include "platform/shipped_tree.h"
#include "reference/library_set.h"
#include "widgets/qt_list_boxes.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kDefaultSize(134, 320);
constexpr QSize kButtonSize(110, 25);
constexpr int kButtonGap = 2;

} // namespace

ReferenceWindow::ReferenceWindow(AppContext& ctx, QWidget* parent) : ToolWindow(ctx, parent) {
    setObjectName(u"ccd"_s);
    setWindowTitle(u"Справочник"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildPages();
    buildButtons();
    layout->addWidget(PC1, 1);
    layout->addWidget(Panel1);
    resize(kDefaultSize);
}

void ReferenceWindow::buildPages() {
    PC1 = new QTabWidget(this);
    PC1->setObjectName(u"PC1"_s);
    PC1->setUsesScrollButtons(true);
    PC1->setElideMode(Qt::ElideNone);
    PC1->tabBar()->setExpanding(false);
    QFont bold = PC1->tabBar()->font();
    bold.setBold(true);
    PC1->tabBar()->setFont(bold);
    // The three tabs share the narrow window without scroll arrows.
    PC1->tabBar()->setStyleSheet(
        u"QTabBar::tab { padding: 3px 4px; border: 1px solid palette(mid); border-bottom: none;"
        " background: palette(button); }"
        " QTabBar::tab:selected { background: palette(window); }"
        " QTabBar::tab:!selected { margin-top: 2px; background: palette(midlight); }"_s);

    QWidget** sheets[] = {&TabSheet1, &TabSheet2, &TabSheet3};
    QListWidget** lists[] = {&ListBox1, &ListBox2, &ListBox3};
    const auto pages = referencePageEntries();
    for (size_t i = 0; i < pages.size(); ++i) {
        auto* sheet = new QWidget(PC1);
        sheet->setObjectName(pages[i].sheet.toString());
        auto* sheetLayout = new QVBoxLayout(sheet);
        sheetLayout->setContentsMargins(2, 2, 2, 2);
        auto* list = new QListWidget(sheet);
        list->setObjectName(pages[i].list.toString());
        QPalette pal = list->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
        pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
        list->setPalette(pal);
        list->installEventFilter(this);
        // Docked, the window is 194 pixels tall with its title bar: the lists give way first.
        list->setMinimumHeight(30);
        for (const CategoryEntry& category : categoryEntries(ReferencePage(i)))
            list->addItem(category.caption.toString());
        sheetLayout->addWidget(list);
        PC1->addTab(sheet, pages[i].caption.toString());
        *sheets[i] = sheet;
        *lists[i] = list;
    }
    TabSheet3->installEventFilter(this);

    onListClick(ListBox1, [this] { ListBox1Click(); });
    onListClick(ListBox2, [this] { ListBox2Click(); });
    onListClick(ListBox3, [this] { ListBox3Click(); });
    connect(PC1, &QTabWidget::currentChanged, this, &ReferenceWindow::PC1Change);
}

void ReferenceWindow::buildButtons() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFrameShape(QFrame::StyledPanel);
    const int count = int(insertButtonEntries().size());
    Panel1->setFixedHeight(count * kButtonSize.height() + (count + 1) * kButtonGap + 2);
    QFont font = Panel1->font();
    font.setBold(true);
    font.setPixelSize(15);
    const QHash<QString, void (ReferenceWindow::*)()> handlers = {
        {u"SBut10"_s, &ReferenceWindow::SBut10Click},
        {u"SBut7"_s, &ReferenceWindow::SBut7Click},
        {u"SBut8"_s, &ReferenceWindow::SBut8Click},
    };
    QPushButton** buttons[] = {&SBut10, &SBut7, &SBut8};
    int top = kButtonGap + 1;
    int i = 0;
    for (const InsertButtonEntry& entry : insertButtonEntries()) {
        auto* button = new QPushButton(entry.caption.toString(), Panel1);
        button->setObjectName(entry.name.toString());
        button->setFlat(true);
        button->setFont(font);
        // Like the speed buttons they are, they leave the keyboard focus where it was.
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(QRect(QPoint(0, top), kButtonSize));
        connect(button, &QPushButton::clicked, this, handlers.value(button->objectName()));
        top += kButtonSize.height() + kButtonGap;
        *buttons[i++] = button;
    }
    Panel1->installEventFilter(this);
}

// --- the library list

void ReferenceWindow::addLibraries(const QStringList& names) {
    QStringList all = libraries();
    for (const QString& name : names)
        insertSorted(all, name);
    fillList(ListBox3, all);
}

void ReferenceWindow::setLibraries(const QStringList& names) {
    QStringList sorted;
    for (const QString& name : names)
        insertSorted(sorted, name);
    fillList(ListBox3, sorted);
}

QStringList ReferenceWindow::libraries() const {
    return listTexts(ListBox3);
}

QString ReferenceWindow::selectedLibrary() const {
    return selectedText(ListBox3);
}

ReferencePage ReferenceWindow::activePage() const {
    return ReferencePage(PC1->currentIndex());
}

// --- handlers

void ReferenceWindow::FormShow() {
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->setCurrentRow(0);
    }
    // Without the reference tree the start has said so once; the first list would only say
    // it again.
    if (shippedTreeReadable(m_ctx.state.home))
        ListBox1Click();
}

void ReferenceWindow::chooseCategory(ReferencePage page, QListWidget* list) {
    const int row = list->currentRow();
    if (row < 0)
        return;
    showChoice(::chooseCategory(m_ctx.state.home, page, row));
}

void ReferenceWindow::showChoice(const CategoryChoice& choice) {
    choice.applyTo(m_ctx.state.reference);
    emitPageState();
    if (choice.cvarListHint)
        ListBox2->setStatusTip(*choice.cvarListHint);
    emit statusLineRequested(choice.statusText);
    emit valueListCaptionChanged(choice.caption);
    emit valueListRequested(choice.listFilePath);
}

void ReferenceWindow::ListBox1Click() {
    chooseCategory(ReferencePage::Cmd, ListBox1);
}
void ReferenceWindow::ListBox2Click() {
    chooseCategory(ReferencePage::Cvar, ListBox2);
}

void ReferenceWindow::ListBox3Click() {
    const QString library = selectedText(ListBox3);
    if (!library.isEmpty())
        showChoice(chooseLibrary(m_ctx.state.home, library));
}

void ReferenceWindow::PC1Change() {
    m_ctx.state.reference.weaponPictures = false;
    m_ctx.state.reference.dlzPageActive = activePage() == ReferencePage::Dlz;
    emitPageState();
}

void ReferenceWindow::emitPageState() {
    const auto& r = m_ctx.state.reference;
    emit pageStateChanged(r.lastRefPage, r.weaponPictures, r.dlzPageActive);
}

void ReferenceWindow::TabSheet3Show() {
    m_ctx.state.reference.dlzPageActive = true;
    emitPageState();
    emit libraryListingRequested();
}

void ReferenceWindow::TabSheet1Exit() {
    dropSelection(ListBox1);
}
void ReferenceWindow::TabSheet2Exit() {
    dropSelection(ListBox2);
}
void ReferenceWindow::TabSheet3Exit() {
    dropSelection(ListBox3);
}

void ReferenceWindow::Panel1Resize() {
    const int left = (Panel1->width() - SBut10->width()) / 2;
    for (QPushButton* button : {SBut10, SBut7, SBut8})
        button->move(left, button->y());
}

void ReferenceWindow::requestInsertDialog(QStringView buttonName) {
    for (const InsertButtonEntry& entry : insertButtonEntries()) {
        if (entry.name != buttonName)
            continue;
        m_insertCaption = entry.dialogCaption.toString();
        m_insertPage = entry.dialogPage;
        emit insertDialogRequested(m_insertCaption, m_insertPage);
    }
}

void ReferenceWindow::SBut10Click() {
    requestInsertDialog(u"SBut10");
}
void ReferenceWindow::SBut7Click() {
    requestInsertDialog(u"SBut7");
}
void ReferenceWindow::SBut8Click() {
    requestInsertDialog(u"SBut8");
}

// --- events

void ReferenceWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

bool ReferenceWindow::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::FocusOut: {
        // Leaving for another window keeps the selection: the value list still needs the
        // chosen library.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (watched == ListBox1)
            TabSheet1Exit();
        else if (watched == ListBox2)
            TabSheet2Exit();
        else if (watched == ListBox3)
            TabSheet3Exit();
        break;
    }
    case QEvent::Show:
        if (watched == TabSheet3 && !e->spontaneous())
            TabSheet3Show();
        break;
    case QEvent::Resize:
        if (watched == Panel1)
            Panel1Resize();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}
