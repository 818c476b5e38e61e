// TAbout, the about box: the program's name, its version line and what it is for.
#pragma once

#include "app/app_context.h"
#include "shell/qt_built_on_first_show.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TAbout : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit TAbout(AppContext& ctx, QWidget* parent = nullptr);

    static QString versionLine();

protected:
    // Makes the contents and centres the box on the screen.
    void buildContents() override;

private:
    void build();
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;
};
