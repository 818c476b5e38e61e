// "Справка".
#include "shell/help_window.h"

#include "shell/help_pages.h"
#include "widgets/qt_widget_helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

void HelpBrowser::doSetSource(const QUrl& link, QTextDocument::ResourceType type) {
    // A link of a page is relative to the page.
    const QUrl name = link.isRelative() && source().isValid() ? source().resolved(link) : link;
    if (name.isLocalFile() && !QFileInfo(name.toLocalFile()).isFile()) {
        // Kept in the history as the page asked for, so Back returns from it.
        QTextBrowser::doSetSource(QUrl(), type);
        setPlainText(help::missingPageText(QDir::toNativeSeparators(name.toLocalFile())));
        return;
    }
    QTextBrowser::doSetSource(name, type);
}

HelpWindow::HelpWindow(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent, Qt::Window), m_ctx(ctx) {
    setObjectName(u"Help"_s);
    setWindowTitle(help::windowCaption(QString()));
}

void HelpWindow::buildContents() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    auto button = [this, row](const QString& name, const QString& text, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        row->addWidget(b);
        return b;
    };
    ButtonBack = button(u"ButtonBack"_s, u"Назад"_s, QStyle::SP_ArrowBack);
    ButtonForward = button(u"ButtonForward"_s, u"Вперёд"_s, QStyle::SP_ArrowForward);
    ButtonContents = button(u"ButtonContents"_s, u"Содержание"_s, QStyle::SP_DirHomeIcon);
    ButtonBack->setShortcut(QKeySequence::Back);
    ButtonForward->setShortcut(QKeySequence::Forward);
    row->addStretch(1);
    layout->addLayout(row);
    Browser = new HelpBrowser(this);
    Browser->setObjectName(u"Browser"_s);
    // Pages of the help folder open here; a link to the web goes to the desktop's browser.
    Browser->setOpenLinks(true);
    Browser->setOpenExternalLinks(true);
    layout->addWidget(Browser, 1);
    ButtonBack->setEnabled(false);
    ButtonForward->setEnabled(false);
    connect(ButtonBack, &QToolButton::clicked, Browser, &QTextBrowser::backward);
    connect(ButtonForward, &QToolButton::clicked, Browser, &QTextBrowser::forward);
    connect(ButtonContents, &QToolButton::clicked, this, [this] { showPage(u"help.html"_s); });
    connect(Browser, &QTextBrowser::backwardAvailable, ButtonBack, &QWidget::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ButtonForward, &QWidget::setEnabled);
    connect(Browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(help::windowCaption(Browser->documentTitle())); });
}

void HelpWindow::showPage(const QString& page) {
    ensureBuilt();
    const QString folder = m_ctx.state.home.find(u"help"_s);
    QUrl url = QUrl::fromLocalFile(help::pagePath(folder, page));
    if (const qsizetype hash = page.indexOf(u'#'); hash >= 0)
        url.setFragment(page.mid(hash + 1));
    Browser->setSource(url);
    if (!m_placed) {
        m_placed = true;
        const QRect area = (parentWidget() ? parentWidget() : this)->screen()->availableGeometry();
        resize(QSize(fontMetrics().averageCharWidth() * 100, fontMetrics().height() * 40)
                   .boundedTo(area.size() * 0.9));
        centreFrameOn(this, area, parentWidget());
    }
    show();
    raise();
    activateWindow();
}
