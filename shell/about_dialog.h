// AboutDialog, the about box: the program's name, its version line, what it is for, its licence and
// links to the help pages.
#pragma once

#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>

class QLabel;
class QPushButton;

class AboutDialog : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit AboutDialog(AppContext& ctx, QWidget* parent = nullptr);

    static QString versionLine();
    // The licence, in one line.
    static QString licenceLine();

signals:
    // A link to a page of the help folder ("help.html", "about.html").
    void helpRequested(const QString& page);

protected:
    // Makes the contents and centres the box on the screen.
    void buildContents() override;

private:
    void build();
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Licence = nullptr;
    QLabel* HelpLinks = nullptr;
    QPushButton* OKButton = nullptr;
};
