// The insert dialog.
#include "reference/insert_dialog.h"

#include "language/key_names.h"
#include "platform/user_dialogs.h"
#include "reference/insert_pages.h"
#include "widgets/qt_list_boxes.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kClientSize(304, 111);
constexpr int kSetinfoPage = 0;
constexpr int kBindPage = 1;
constexpr int kAliasPage = 2;

QComboBox* historyBox(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    // The history is kept by the confirmation rules, not by the Enter key.
    box->setInsertPolicy(QComboBox::NoInsert);
    // Names are told apart by letter case, so their completion is too.
    box->completer()->setCaseSensitivity(Qt::CaseSensitive);
    return box;
}

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

bool isEnter(const QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(e)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

InsertDialog::InsertDialog(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx) {
    setObjectName(u"setbal"_s);
    setModal(false);
}

void InsertDialog::buildContents() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pg2 = new QStackedWidget(this);
    pg2->setObjectName(u"pg2"_s);
    tb1 = buildPage(kSetinfoPage, buildSetinfoPage());
    tb2 = buildPage(kBindPage, buildBindPage());
    tb3 = buildPage(kAliasPage, buildAliasPage());
    layout->addWidget(pg2);
    setFixedSize(kClientSize);
    // Enter in a field confirms its page; the combo boxes hand the key on to their line edits.
    connect(ComboBox3->lineEdit(), &QLineEdit::returnPressed, this, &InsertDialog::Button10Click);
    connect(Edi1, &QLineEdit::returnPressed, this, &InsertDialog::Button10Click);
    connect(ComboBox4->lineEdit(), &QLineEdit::returnPressed, this, &InsertDialog::Button5Click);
    // The key list confirms on Enter too, and fits its two columns to its width.
    ListBox1->installEventFilter(this);
    ListBox1->viewport()->installEventFilter(this);
}

QWidget* InsertDialog::buildSetinfoPage() {
    auto* fields = new QWidget;
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    Label2 = new QLabel(u"Параметр:"_s, fields);
    Label2->setObjectName(u"Label2"_s);
    ComboBox3 = historyBox(u"ComboBox3"_s, fields);
    ComboBox3->addItems(setinfoParameters());
    Label1 = new QLabel(u"Значение:"_s, fields);
    Label1->setObjectName(u"Label1"_s);
    Edi1 = new QLineEdit(fields);
    Edi1->setObjectName(u"Edi1"_s);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(ComboBox3, 0, 1);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(Edi1, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return fields;
}

QWidget* InsertDialog::buildBindPage() {
    ListBox1 = new QListWidget;
    ListBox1->setObjectName(u"ListBox1"_s);
    // One list in two columns: the keys run down the first column and on into the second, and
    // the list scrolls sideways.
    ListBox1->setFlow(QListView::TopToBottom);
    ListBox1->setWrapping(true);
    ListBox1->setResizeMode(QListView::Adjust);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->addItems(keyNames());
    return ListBox1;
}

QWidget* InsertDialog::buildAliasPage() {
    auto* fields = new QWidget;
    auto* column = new QVBoxLayout(fields);
    column->setContentsMargins(0, 0, 0, 0);
    Label3 = new QLabel(u"Имя команды:"_s, fields);
    Label3->setObjectName(u"Label3"_s);
    ComboBox4 = historyBox(u"ComboBox4"_s, fields);
    column->addWidget(Label3);
    column->addWidget(ComboBox4);
    column->addStretch(1);
    return fields;
}

QWidget* InsertDialog::buildPage(int index, QWidget* fields) {
    const InsertDialogPage& entry = insertDialogPages()[size_t(index)];
    auto* page = new QWidget(pg2);
    page->setObjectName(entry.name.toString());
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(6, 6, 6, 6);
    fields->setParent(page);
    row->addWidget(fields, 1);
    auto* buttons = new QVBoxLayout;
    auto* ok = new QPushButton(u"\u041e\u041a"_s, page); // "ОК"
    ok->setObjectName(entry.ok.toString());
    auto* cancel = new QPushButton(u"Отмена"_s, page);
    cancel->setObjectName(entry.cancel.toString());
    for (QPushButton* button : {ok, cancel}) {
        // Enter belongs to the fields (below), not to a default button.
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    row->addLayout(buttons);
    pg2->addWidget(page);

    void (InsertDialog::*confirm[])() = {&InsertDialog::Button10Click, &InsertDialog::Button3Click,
                                    &InsertDialog::Button5Click};
    connect(ok, &QPushButton::clicked, this, confirm[index]);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    return page;
}

// --- opening

void InsertDialog::openPage(const QString& caption, int page) {
    ensureBuilt();
    setWindowTitle(caption);
    pg2->setCurrentIndex(page);
    show();
    raise();
    activateWindow();
    FormShow();
}

void InsertDialog::FormShow() {
    ensureBuilt();
    switch (pg2->currentIndex()) {
    case kSetinfoPage:
        // The parameter starts empty; the value keeps its last text.
        ComboBox3->setCurrentIndex(-1);
        ComboBox3->clearEditText();
        ComboBox3->setFocus();
        break;
    case kBindPage:
        ListBox1->setFocus();
        break;
    case kAliasPage:
        ComboBox4->setCurrentIndex(-1);
        ComboBox4->clearEditText();
        ComboBox4->setFocus();
        break;
    default:
        break;
    }
}

InsertionPieces InsertDialog::insertionPieces() const {
    ensureBuilt(); // the value list asks before the dialog was ever shown
    InsertionPieces pieces;
    pieces.key = selectedText(ListBox1);
    pieces.parameter = ComboBox3->currentText();
    pieces.value = Edi1->text();
    pieces.aliasName = ComboBox4->currentText();
    return pieces;
}

// --- confirming

void InsertDialog::insertPage(int index) {
    const int mode = insertDialogPages()[size_t(index)].insertMode;
    m_ctx.state.reference.insertMode = mode;
    emit insertRequested(mode);
}

void InsertDialog::remember(QComboBox* history) {
    const QString text = history->currentText();
    if (joinsHistory(itemsOf(history), text))
        history->addItem(text);
}

bool InsertDialog::refused(int insertMode) {
    const QString why = insertionRefusal(insertMode, insertionPieces());
    if (!why.isEmpty())
        m_ctx.dialogs.warning(why);
    return !why.isEmpty();
}

void InsertDialog::Button10Click() {
    if (refused(insert_mode::kSetinfo))
        return;
    insertPage(kSetinfoPage);
    remember(ComboBox3);
    emit lineBreakRequested();
    close();
}

void InsertDialog::Button3Click() {
    if (selectedText(ListBox1).isEmpty()) {
        m_ctx.dialogs.message(u"Для продолжения выберите клавишу!"_s);
        return;
    }
    insertPage(kBindPage);
    close();
}

void InsertDialog::Button5Click() {
    if (refused(insert_mode::kAlias))
        return;
    insertPage(kAliasPage);
    remember(ComboBox4);
    close();
}

// --- keys and the key columns

void InsertDialog::fitKeyColumns() {
    // Two columns fill the visible width.
    const int rowHeight = ListBox1->fontMetrics().height() + 2;
    ListBox1->setGridSize(QSize(std::max(1, ListBox1->viewport()->width() / 2), rowHeight));
}

bool InsertDialog::eventFilter(QObject* watched, QEvent* e) {
    if (watched == ListBox1->viewport() && e->type() == QEvent::Resize) {
        fitKeyColumns();
    } else if (watched == ListBox1 && isEnter(e)) {
        Button3Click();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}
