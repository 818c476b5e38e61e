// HelpWindow, "Справка": the help pages shipped with the program, shown in a window of its own, so
// help works on a machine with no web browser. Links between the pages, their pictures and
// Back/Forward work as in a browser; a link out of the help folder goes to the desktop.
#pragma once

#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QTextBrowser>
#include <QWidget>

class QToolButton;

// The page view: a page that is missing says which file it lacks instead of staying blank.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;

protected:
    void doSetSource(const QUrl& link, QTextDocument::ResourceType type) override;
};

class HelpWindow : public BuiltOnFirstShow<QWidget> {
    Q_OBJECT
public:
    explicit HelpWindow(AppContext& ctx, QWidget* parent = nullptr);

    HelpBrowser* browser() const {
        ensureBuilt();
        return Browser;
    }

public slots:
    // Shows `page` of the help folder ("help.html", "faq.html"), the window brought to the front.
    void showPage(const QString& page);

protected:
    void buildContents() override;

private:
    AppContext& m_ctx;
    bool m_placed = false;
    HelpBrowser* Browser = nullptr;
    QToolButton* ButtonBack = nullptr;
    QToolButton* ButtonForward = nullptr;
    QToolButton* ButtonContents = nullptr;
};
