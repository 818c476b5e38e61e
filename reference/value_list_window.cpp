// The value list window.
#include "reference/value_list_window.h"

#include "platform/user_dialogs.h"
#include "reference/entry_details.h"
#include "reference/explanations.h"
#include "reference/insertion.h"
#include "widgets/qt_list_boxes.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kDefaultSize(151, 386);
constexpr int kTopStrip = 25;
constexpr int kBottomStrip = 31;
constexpr int kButtonHeight = 25;

} // namespace

ValueListWindow::ValueListWindow(AppContext& ctx, QWidget* parent) : ToolWindow(ctx, parent) {
    setObjectName(u"Pani1"_s);
    setWindowTitle(u"Значения"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFixedHeight(kTopStrip);
    auto* top = new QHBoxLayout(Panel1);
    top->setContentsMargins(4, 0, 4, 0);
    Label3 = new QLabel(u"Выбор: "_s, Panel1);
    Label3->setObjectName(u"Label3"_s);
    // A long category name is cut, never widens the window.
    Label3->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    top->addWidget(Label3);
    layout->addWidget(Panel1);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(u"ListBox1"_s);
    QFont bold = ListBox1->font();
    bold.setBold(true);
    ListBox1->setFont(bold);
    QPalette info = ListBox1->palette();
    info.setColor(QPalette::Base, info.color(QPalette::ToolTipBase));
    info.setColor(QPalette::Text, info.color(QPalette::ToolTipText));
    ListBox1->setPalette(info);
    ListBox1->setStatusTip(u"Список значений"_s);
    layout->addWidget(ListBox1, 1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(u"Panel2"_s);
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setFixedHeight(kBottomStrip);
    Button1 = new QPushButton(u"Добавить"_s, Panel2);
    Button1->setObjectName(u"Button1"_s);
    Button1->setFlat(true);
    QFont buttonFont = Button1->font();
    buttonFont.setBold(true);
    buttonFont.setPixelSize(15);
    Button1->setFont(buttonFont);
    // Like the speed button it is, it leaves the focus on the list.
    Button1->setFocusPolicy(Qt::NoFocus);
    Button1->setEnabled(false);
    layout->addWidget(Panel2);

    onListClick(ListBox1, [this] { ListBox1Click(); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            [this] { DblClick1(Caller::ValueList); });
    connect(Button1, &QPushButton::clicked, this, [this] { DblClick1(Caller::ValueList); });
    resize(kDefaultSize);
    FormResize();
}

void ValueListWindow::showList(const QString& listFilePath, const QStringList& entries) {
    m_listFilePath = listFilePath;
    // A new list starts with nothing selected.
    const QSignalBlocker block(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(entries);
}

void ValueListWindow::setPageState(int lastRefPage, bool weaponPictures, bool dlzPageActive) {
    m_lastRefPage = lastRefPage;
    m_weaponPictures = weaponPictures;
    m_dlzPageActive = dlzPageActive;
}

void ValueListWindow::setCaption(const QString& caption) {
    Label3->setText(caption);
}

QStringList ValueListWindow::entries() const {
    QStringList shown;
    shown.reserve(ListBox1->count());
    for (int i = 0; i < ListBox1->count(); ++i)
        shown.append(ListBox1->item(i)->text());
    return shown;
}

QString ValueListWindow::selectedEntry() const {
    return selectedText(ListBox1);
}

QString ValueListWindow::caption() const {
    return Label3->text();
}

// --- explaining an entry

void ValueListWindow::ListBox1Click() {
    const QString entry = selectedEntry();
    if (entry.isEmpty())
        return;
    Button1->setEnabled(true);
    if (m_weaponPictures)
        showEntryPicture(entry);
    else
        showEntryExplanation(entry);
}

void ValueListWindow::showEntryPicture(const QString& entry) {
    const WeaponPicture picture = loadWeaponPicture(m_ctx.state.home, entry);
    if (picture.ok()) {
        emit pictureRequested(picture.image);
        return;
    }
    emit pictureDropped();
    m_ctx.dialogs.error(picture.error);
}

void ValueListWindow::showEntryExplanation(const QString& entry) {
    SharedState& st = m_ctx.state;
    const QString selectedLibrary =
        m_sources.selectedLibrary ? m_sources.selectedLibrary() : QString();
    emit explanationRequested(ReadIni2(
        st, explanationLibrary(m_dlzPageActive, selectedLibrary, m_listFilePath),
        entry));
}

// --- inserting

void ValueListWindow::DblClick1(Caller caller, int insertMode) {
    SharedState& st = m_ctx.state;
    InsertionPieces pieces = m_sources.dialogPieces ? m_sources.dialogPieces() : InsertionPieces{};
    pieces.entry = selectedEntry();
    if (caller == Caller::ValueList)
        insertMode = listInsertMode(m_lastRefPage);
    st.reference.insertMode = insertMode;
    const bool entryMode =
        insertMode == insert_mode::kVariable || insertMode == insert_mode::kCommand;
    // With no entry selected (the list was reloaded, or the click hit its empty area) there is
    // nothing to insert.
    if (entryMode && pieces.entry.isEmpty())
        return;
    const std::optional<Insertion> insertion =
        buildInsertion(insertMode, m_sources.caretColumn ? m_sources.caretColumn() : 0, pieces);
    if (!insertion)
        return;
    emit insertRequested(insertion->text, insertion->caretOneLeft);
}

void ValueListWindow::FormResize() {
    Button1->setGeometry(1, (kBottomStrip - kButtonHeight) / 2, width() - 2, kButtonHeight);
}

// --- events

void ValueListWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FormResize();
}
