// The MetaBinds insertion window.
#include "metabinds/metabinds_window.h"
#include "widgets/qt_widget_helpers.h"

#include "metabinds/metabind_format.h"
#include "platform/user_dialogs.h"
#include "widgets/qt_list_boxes.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kBindCaption = u"BIND"_s;
const QString kInsertCaption = u"Вставить"_s;

void setBoldPixelFont(QWidget* w, int pixels) {
    QFont f = w->font();
    f.setPixelSize(pixels);
    f.setBold(true);
    w->setFont(f);
}

QPlainTextEdit* readOnlyBox(const QString& name, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    return box;
}

} // namespace

MetaBindsWindow::MetaBindsWindow(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx) {
    setObjectName(u"Metab"_s);
    setWindowTitle(u"Вставка МетаБиндов (MetaBinds)"_s);
    // A dialog the player may make larger, to read long template names and scripts whole.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    setModal(true);
}

void MetaBindsWindow::buildContents() {
    Label1 = new QLabel(u"Выберите нужный MetaBind:"_s, this);
    Label1->setObjectName(u"Label1"_s);
    lx_MeB = new QListWidget(this);
    lx_MeB->setObjectName(u"lx_MeB"_s);
    Label2 = new QLabel(u"Кнопки для назначения"_s, this);
    Label2->setObjectName(u"Label2"_s);
    lx_bind = new QListWidget(this);
    lx_bind->setObjectName(u"lx_bind"_s);

    sb_bind = new QToolButton(this);
    sb_bind->setObjectName(u"sb_bind"_s);
    sb_bind->setAutoRaise(true); // a flat button
    sb_bind->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    sb_bind->setMinimumHeight(30);
    setBoldPixelFont(sb_bind, 19);
    // Maroon while it can be pressed; the style greys it out while it is disabled.
    QPalette pal = sb_bind->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        pal.setColor(group, QPalette::ButtonText, QColor(128, 0, 0));
    sb_bind->setPalette(pal);

    Button1 = new QPushButton(u"Выход"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setAutoDefault(false);
    Button1->setMinimumHeight(36);
    setBoldPixelFont(Button1, 19);

    red_bind = readOnlyBox(u"red_bind"_s, this);
    red_bind->setLineWrapMode(QPlainTextEdit::NoWrap);
    red_bind->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    red_bind->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Label3 = new QLabel(u"Описание к MetaBind-ам:"_s, this);
    Label3->setObjectName(u"Label3"_s);
    mm_opis = readOnlyBox(u"mm_opis"_s, this);
    mm_opis->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mm_opis->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setVerticalSpacing(3);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(lx_MeB, 1, 0, 2, 1);
    grid->addWidget(lx_bind, 1, 1);
    grid->addWidget(sb_bind, 2, 1);
    grid->addWidget(red_bind, 3, 0, 1, 2);
    grid->addWidget(Label3, 4, 0, 1, 2);
    grid->addWidget(mm_opis, 5, 0);
    grid->addWidget(Button1, 5, 1, Qt::AlignBottom);
    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(1, 4);
    grid->setRowStretch(3, 4);
    grid->setRowStretch(5, 2);
    setMinimumSize(grid->minimumSize().expandedTo(QSize(300, 280)));
    resize(391, 366);
    resetSlotButton();

    onListClick(lx_MeB, [this] { lx_MeBClick(); });
    onListClick(lx_bind, [this] { lx_bindClick(); });
    connect(sb_bind, &QToolButton::clicked, this, &MetaBindsWindow::sb_bindClick);
    connect(Button1, &QPushButton::clicked, this, &MetaBindsWindow::Button1Click);
}

void MetaBindsWindow::openModal(Target target) {
    FormShow(target);
    if (QWidget* main = parentWidget())
        centreFrameOn(this, main->frameGeometry(), main);
    exec();
}

void MetaBindsWindow::FormShow(Target target) {
    ensureBuilt();
    m_target = target;
    m_shownRow = -1;
    m_listing = metabind::listMetaBinds(m_ctx.state.home);
    const QSignalBlocker block(lx_MeB);
    lx_MeB->clear();
    lx_MeB->addItems(m_listing.names);
    // A name longer than the list reads whole in its tool tip.
    for (int row = 0; row < lx_MeB->count(); ++row)
        lx_MeB->item(row)->setToolTip(lx_MeB->item(row)->text());
}

void MetaBindsWindow::showEvent(QShowEvent* e) {
    BuiltOnFirstShow::showEvent(e);
    // The window opens wide enough for the longest template name, as far as the screen allows;
    // the list takes a share of what the window gains, so it grows until the names fit.
    int widest = 0;
    for (int row = 0; row < lx_MeB->count(); ++row)
        widest =
            std::max(widest, lx_MeB->fontMetrics().horizontalAdvance(lx_MeB->item(row)->text()));
    const int need =
        widest + 2 * lx_MeB->frameWidth() + lx_MeB->verticalScrollBar()->sizeHint().width() + 8;
    const int room = screen() ? screen()->availableGeometry().width() - 40 : width();
    for (int step = 0; step < 4 && lx_MeB->width() < need && width() < room; ++step) {
        resize(std::min(room, width() + 2 * (need - lx_MeB->width())), height());
        layout()->activate();
    }
}

void MetaBindsWindow::resetSlotButton() {
    sb_bind->setText(kBindCaption);
    sb_bind->setEnabled(false);
}

void MetaBindsWindow::lx_MeBClick() {
    const int row = selectedRow(lx_MeB);
    if (row < 0)
        return;
    const QString path = m_listing.paths.at(row);
    const metabind::MetaBindFile metaBind = metabind::readMetaBind(path);
    if (!metaBind.ok()) {
        // The file went away or changed since the listing: the window keeps what it showed.
        m_ctx.dialogs.error(textfile::notOpenedMessage(path, metaBind.file));
        const QSignalBlocker block(lx_MeB);
        if (m_shownRow >= 0)
            lx_MeB->setCurrentRow(m_shownRow);
        else
            dropSelection(lx_MeB);
        return;
    }
    m_shownRow = row;
    lx_bind->clear();
    resetSlotButton();
    mm_opis->setPlainText(metaBind.header.label);
    lx_bind->addItems(metabind::slotCaptions(metaBind.header.slotCount));
    m_script = metaBind.script;
    red_bind->setPlainText(m_script);
    red_bind->moveCursor(QTextCursor::Start);
    lx_MeB->setFocus();
}

void MetaBindsWindow::lx_bindClick() {
    const int row = selectedRow(lx_bind);
    if (row >= 0 && !lx_bind->item(row)->text().isEmpty())
        sb_bind->setEnabled(true);
}

void MetaBindsWindow::sb_bindClick() {
    if (sb_bind->text() == kInsertCaption) {
        insertScript();
        return;
    }
    const int row = selectedRow(lx_bind);
    if (row < 0)
        return;
    KeyRequest request;
    request.asker = KeyRequest::Asker::MetaBindSlot;
    request.index = row + 1;
    emit keyChoiceRequested(request);
}

void MetaBindsWindow::fillSlot(int slot, const QString& key) {
    ensureBuilt();
    if (slot < 1 || slot > lx_bind->count() || key.isEmpty())
        return;
    if (const QString why = metabind::slotKeyRefusal(key); !why.isEmpty()) {
        m_ctx.dialogs.warning(why);
        return;
    }
    lx_bind->item(slot - 1)->setText(key);
    if (metabind::allAssigned(listTexts(lx_bind)))
        sb_bind->setText(kInsertCaption);
}

void MetaBindsWindow::insertScript() {
    const QString block = metabind::fillSlots(m_script, listTexts(lx_bind));
    m_script = block;
    red_bind->setPlainText(block);
    red_bind->moveCursor(QTextCursor::Start);
    lx_bind->clear();
    resetSlotButton();
    if (m_target == Target::Editor) {
        emit metaBindForEditor(block);
    } else {
        emit metaBindForWizard(block);
    }
}

void MetaBindsWindow::Button1Click() {
    m_listing.names.clear();
    m_listing.paths.clear();
    m_shownRow = -1;
    m_script.clear();
    for (QListWidget* list : {lx_MeB, lx_bind}) {
        const QSignalBlocker block(list);
        list->clear();
    }
    red_bind->clear();
    // The next showing starts without a stale description or a ready "Вставить" with no slots.
    mm_opis->clear();
    resetSlotButton();
    accept();
    emit closedForEditor();
}
