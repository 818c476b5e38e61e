// The main window's controls: the menus and the editor's pop-up menu, the toolbar, the bottom
// panel with the text tool labels, the status bar, and the handlers they call.
#include "shell/main_window.h"

#include "editor/qt_caret_label.h"
#include "shell/main_menu_tables.h"
#include "widgets/qt_tool_icons.h"
#include "widgets/qt_widget_helpers.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

void MainWindow::buildMenus() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(u"MainMenu1"_s);
    auto makeAction = [this](const MenuItemEntry& e, QMenu* menu) {
        auto* a = new QAction(e.caption.toString(), this);
        a->setObjectName(e.name.toString());
        a->setStatusTip(e.hint.toString());
        if (!e.shortcut.isEmpty()) {
            if (e.shortcutShownOnly)
                a->setText(a->text() + u'\t' + e.shortcut.toString());
            else
                a->setShortcut(QKeySequence(e.shortcut.toString(), QKeySequence::PortableText));
        }
        if (e.separatorBefore)
            menu->addSeparator();
        menu->addAction(a);
        m_actions.insert(a->objectName(), a);
        return a;
    };
    for (const MenuItemEntry& e : mainMenuEntries()) {
        if (e.parent.isEmpty()) {
            QMenu* menu = MainMenu1->addMenu(e.caption.toString());
            menu->setObjectName(e.name.toString());
            m_menus.insert(menu->objectName(), menu);
            continue;
        }
        QMenu* parent = m_menus.value(e.parent.toString());
        // An item that other items name as their parent is a submenu.
        const bool isSubmenu =
            std::any_of(mainMenuEntries().begin(), mainMenuEntries().end(),
                        [&](const MenuItemEntry& o) { return o.parent == e.name; });
        if (isSubmenu) {
            if (e.separatorBefore)
                parent->addSeparator();
            QMenu* sub = parent->addMenu(e.caption.toString());
            sub->setObjectName(e.name.toString());
            m_menus.insert(sub->objectName(), sub);
            continue;
        }
        makeAction(e, parent);
    }
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(u"PopupMenu2"_s);
    for (const MenuItemEntry& e : editorPopupEntries())
        makeAction(e, PopupMenu2);
}

void MainWindow::buildToolBar() {
    ToolBar1 = addToolBar(u"ToolBar1"_s);
    ToolBar1->setObjectName(u"ToolBar1"_s);
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(23, 23));
    for (const ToolButtonEntry& e : toolButtonEntries()) {
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(e.name.toString());
        button->setAutoRaise(true);
        button->setIcon(toolButtonIcon(e.name.toString()));
        // The hint in the status bar, and in a tool tip where the pointer is.
        button->setStatusTip(e.hint.toString());
        button->setToolTip(e.hint.toString());
        QAction* target = m_actions.value(e.action.toString());
        connect(button, &QToolButton::clicked, this, [target] {
            if (target)
                target->trigger();
        });
        ToolBar1->addWidget(button);
        if (e.separatorAfter)
            ToolBar1->addSeparator();
    }
    Label5 = new QLabel(u"<<Нажми"_s, ToolBar1);
    Label5->setObjectName(u"Label5"_s);
    ToolBar1->addWidget(Label5);
}

void MainWindow::buildBottomPanel() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFixedHeight(30);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    Panel1->setPalette(pal);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 2, 8, 2);
    row->setSpacing(14);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(u"Image1"_s);
    Image1->setFixedSize(252, 26);
    Image1->setPixmap(bottomPanelPicture(QSize(252, 26)));
    row->addWidget(Image1);
    row->addStretch(1);
    QFont bold = Panel1->font();
    bold.setBold(true);
    for (const BottomLabelEntry& e : bottomLabelEntries()) {
        auto* label = new ClickableLabel(e.caption.toString(), Panel1);
        label->setObjectName(e.name.toString());
        label->setFont(bold);
        label->setPalette(pal);
        label->setCursor(Qt::PointingHandCursor);
        label->setStatusTip(e.hint.toString());
        row->addWidget(label);
    }
}

void MainWindow::buildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setSizeGripEnabled(true);
    const QString initial[3] = {u"1 : 1"_s, QString(), ConfigDocument::untitled()};
    for (int i = 0; i < 3; ++i) {
        // The path panel keeps the file name in sight when the path is too long for it.
        // The message panel shows a long message whole in its tool tip.
        m_panels[i] = i == 2   ? new PathLabel(initial[i], StatusBar1)
                      : i == 1 ? new ElidedLabel(initial[i], StatusBar1)
                      : i == 0 ? new CaretLabel(initial[i], StatusBar1)
                               : new QLabel(initial[i], StatusBar1);
        m_panels[i]->setObjectName(u"StatusPanel"_s + QString::number(i));
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
    }
    fixCaretLabelSize(m_panels[0], m_caretDigits);
    m_panels[0]->setAlignment(Qt::AlignCenter);
    // The message panel keeps its 280 pixels; the file name takes the rest of the bar.
    m_panels[1]->setFixedWidth(280);
    StatusBar1->addWidget(m_panels[0]);
    StatusBar1->addWidget(m_panels[1]);
    StatusBar1->addWidget(m_panels[2], 1);
}

void MainWindow::connectHandlers() {
    const QHash<QString, void (MainWindow::*)()> handlers = {
        {u"New1"_s, &MainWindow::New1Click},
        {u"Open1"_s, &MainWindow::Open1Click},
        {u"Save1"_s, &MainWindow::Save1Click},
        {u"SaveAs1"_s, &MainWindow::SaveAs1Click},
        {u"MetaBind1"_s, &MainWindow::MetaBind1Click},
        {u"Versions1"_s, &MainWindow::Versions1Click},
        {u"N33"_s, &MainWindow::N33Click},
        {u"Exit1"_s, &MainWindow::Exit1Click},
        {u"N7"_s, &MainWindow::N7Click},
        {u"N3"_s, &MainWindow::N3Click},
        {u"N4"_s, &MainWindow::N4Click},
        {u"N5"_s, &MainWindow::N5Click},
        {u"N22"_s, &MainWindow::N7Click},
        {u"N24"_s, &MainWindow::N3Click},
        {u"N25"_s, &MainWindow::N4Click},
        {u"N26"_s, &MainWindow::N5Click},
        {u"N38"_s, &MainWindow::N38Click},
        {u"N35"_s, &MainWindow::N35Click},
        {u"N29"_s, &MainWindow::N29Click},
        {u"N31"_s, &MainWindow::N31Click},
        {u"N30"_s, &MainWindow::N30Click},
        {u"About1"_s, &MainWindow::About1Click},
        {u"N11"_s, &MainWindow::N11Click},
        {u"N28"_s, &MainWindow::N11Click},
        {u"N14"_s, &MainWindow::N14Click},
        {u"N21"_s, &MainWindow::N21Click},
        {u"N13"_s, &MainWindow::N21Click},
        {u"N12"_s, &MainWindow::N12Click},
        {u"N18"_s, &MainWindow::N18Click},
        {u"N15"_s, &MainWindow::N18Click},
        {u"N16"_s, &MainWindow::N16Click},
        {u"N17"_s, &MainWindow::N17Click},
        {u"N43"_s, &MainWindow::N43Click},
        {u"N42"_s, &MainWindow::N43Click},
        {u"N32"_s, &MainWindow::N32Click},
        {u"N20"_s, &MainWindow::N20Click},
        {u"N37"_s, &MainWindow::N37Click},
        {u"MetaBinds1"_s, &MainWindow::MetaBinds1Click},
        {u"CS1"_s, &MainWindow::CS1Click},
        {u"ToolWindows1"_s, &MainWindow::ToolWindows1Click},
    };
    for (auto it = handlers.begin(); it != handlers.end(); ++it)
        if (QAction* a = m_actions.value(it.key()))
            connect(a, &QAction::triggered, this, it.value());
    const QHash<QString, void (MainWindow::*)()> labels = {
        {u"Label1"_s, &MainWindow::Label1Click},
        {u"Label2"_s, &MainWindow::Label2Click},
        {u"Label3"_s, &MainWindow::Label3Click},
        {u"Label4"_s, &MainWindow::Label4Click},
    };
    for (auto it = labels.begin(); it != labels.end(); ++it)
        if (auto* label = Panel1->findChild<ClickableLabel*>(it.key()))
            connect(label, &ClickableLabel::clicked, this, it.value());
    connect(m_menus.value(u"N10"_s), &QMenu::aboutToShow, this, &MainWindow::N10Popup);
    connect(PopupMenu2, &QMenu::aboutToShow, this, &MainWindow::PopupMenu2Popup);
    connect(Memo1, &QPlainTextEdit::cursorPositionChanged, this, &MainWindow::Memo1SelectionChange);
    connect(Memo1, &QPlainTextEdit::selectionChanged, this, &MainWindow::Memo1SelectionChange);
    connect(Memo1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu2->popup(Memo1->viewport()->mapToGlobal(p)); });
}
