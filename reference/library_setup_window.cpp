// The library set-up window.
#include "reference/library_setup_window.h"

#include "platform/user_dialogs.h"
#include "widgets/qt_list_boxes.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// A few books leaning on a shelf, for the left column.
QPixmap booksPicture(const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const int shelf = size.height() - 12;
    const QColor covers[] = {QColor(128, 32, 32), QColor(40, 70, 120), QColor(50, 100, 50),
                             QColor(150, 110, 40)};
    const int widths[] = {14, 12, 16, 11};
    const int heights[] = {78, 92, 70, 84};
    int x = 4;
    for (int i = 0; i < 4; ++i) {
        const QRect spine(x, shelf - heights[i], widths[i], heights[i]);
        p.setPen(QPen(covers[i].darker(160), 1));
        p.setBrush(covers[i]);
        p.drawRoundedRect(spine, 2, 2);
        p.setPen(QPen(QColor(230, 200, 120), 1));
        p.drawLine(spine.left() + 2, spine.top() + 10, spine.right() - 2, spine.top() + 10);
        p.drawLine(spine.left() + 2, spine.bottom() - 10, spine.right() - 2, spine.bottom() - 10);
        x += widths[i] + 1;
    }
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(140, 95, 50));
    p.drawRect(QRect(0, shelf, size.width() - 1, 8));
    return pixmap;
}

} // namespace

LibrarySetupWindow::LibrarySetupWindow(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx), m_set(ctx.state.home) {
    setObjectName(u"Form3"_s);
    setWindowTitle(u"Настройка библиотек DLZ и MetaBinds"_s);
    setFixedSize(372, 229);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(216, 208, 200));
    setPalette(pal);
}

void LibrarySetupWindow::buildContents() {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    auto* left = new QVBoxLayout;
    Button1 = new QPushButton(u"Добавить"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button2 = new QPushButton(u"Удалить"_s, this);
    Button2->setObjectName(u"Button2"_s);
    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setFixedSize(70, 130);
    Image1->setPixmap(booksPicture(Image1->size()));
    Button3 = new QPushButton(u"OK"_s, this);
    Button3->setObjectName(u"Button3"_s);
    left->addWidget(Button1);
    left->addWidget(Button2);
    left->addStretch(1);
    left->addWidget(Image1, 0, Qt::AlignHCenter);
    left->addStretch(1);
    left->addWidget(Button3);
    row->addLayout(left);

    auto listColumn = [this, row](QLabel*& label, const QString& labelName, const QString& caption,
                                  QListWidget*& list, const QString& listName) {
        auto* column = new QVBoxLayout;
        label = new QLabel(caption, this);
        label->setObjectName(labelName);
        list = new QListWidget(this);
        list->setObjectName(listName);
        column->addWidget(label);
        column->addWidget(list, 1);
        row->addLayout(column, 1);
    };
    listColumn(Label1, u"Label1"_s, u"Библиотеки DLZ"_s, ListBox1, u"ListBox1"_s);
    listColumn(Label2, u"Label2"_s, u"MetaBinds (MTB)"_s, ListBox2, u"ListBox2"_s);

    connect(Button1, &QPushButton::clicked, this, &LibrarySetupWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &LibrarySetupWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &LibrarySetupWindow::Button3Click);
    onListClick(ListBox1, [this] { ListBox1Click(); });
    onListClick(ListBox2, [this] { ListBox2Click(); });
    // Every way of closing (OK, Esc, the title bar) ends here.
    connect(this, &QDialog::finished, this, &LibrarySetupWindow::FormClose);
    showLists();
}

void LibrarySetupWindow::runLibraryListing() {
    refreshLibraryListing();
    if (!m_ctx.state.reference.refreshOnly)
        exec();
}

void LibrarySetupWindow::refreshLibraryListing() {
    const QStringList added = m_set.listLibraries();
    // Before the first showing there are no lists to fill yet; building them fills them.
    if (isBuilt())
        showLists();
    emit librariesAdded(added);
}

void LibrarySetupWindow::showLists() {
    fillList(ListBox1, m_set.libraries());
    fillList(ListBox2, m_set.metaBinds());
}

void LibrarySetupWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void LibrarySetupWindow::FormShow() {
    m_set.listMetaBinds();
    showLists();
}

void LibrarySetupWindow::FormClose() {
    emit librariesChanged(m_set.libraries());
}

void LibrarySetupWindow::ListBox1Click() {
    dropSelection(ListBox2);
}
void LibrarySetupWindow::ListBox2Click() {
    dropSelection(ListBox1);
}

void LibrarySetupWindow::Button1Click() {
    UserDialogs::FileDialogOptions options;
    options.title = u"Добавить"_s;
    options.filter = libraryFileFilter();
    options.filterIndex = m_filterIndex;
    options.directory = m_lastFolder;
    const UserDialogs::FileDialogResult chosen = m_ctx.dialogs.openFile(options);
    m_filterIndex = chosen.filterIndex;
    if (!chosen.accepted)
        return;
    m_lastFolder = QFileInfo(chosen.fileName).absolutePath();
    const LibraryKind kind = chosen.filterIndex == int(LibraryKind::MetaBind)
                                 ? LibraryKind::MetaBind
                                 : LibraryKind::Library;
    const LibraryChange change = m_set.install(chosen.fileName, kind);
    m_ctx.state.reference.explanations.reset(); // read again at the next lookup
    showLists();
    if (!change.ok)
        m_ctx.dialogs.error(change.error);
}

void LibrarySetupWindow::Button2Click() {
    const QString library = selectedText(ListBox1);
    const QString metaBind = library.isEmpty() ? selectedText(ListBox2) : QString();
    if (library.isEmpty() && metaBind.isEmpty())
        return;
    // A deleted library or MetaBind is gone for good: one mis-click must not cost it.
    const QString file = library.isEmpty() ? metaBind : library + u".dlz"_s;
    if (m_ctx.dialogs.confirmDestructive(u"Удалить файл \""_s + file + u"\"?"_s) !=
        UserDialogs::Answer::Yes)
        return;
    const LibraryChange change =
        library.isEmpty() ? m_set.removeMetaBind(metaBind) : m_set.removeLibrary(library);
    m_ctx.state.reference.explanations.reset(); // read again at the next lookup
    showLists();
    if (!change.ok)
        m_ctx.dialogs.error(change.error);
}

void LibrarySetupWindow::Button3Click() {
    accept();
}
