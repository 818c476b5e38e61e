// TAbout, the about box: the program's name, its version line and what it is for.
#pragma once

#include "app/app_context.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(AppContext& ctx, QWidget* parent = nullptr);

    static QString versionLine();
    // Makes the contents and centres the box on the screen; showing the box does it too.
    void ensureBuilt();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void build();
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;
};
