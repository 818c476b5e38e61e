// NewConfigDialog, the new-config dialog the wizard's first page opens: an empty config by name.
#pragma once

#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class NewConfigDialog : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit NewConfigDialog(AppContext& ctx, QWidget* parent = nullptr);

    // Shows the dialog modally, centred on the main window; the config is made in `folder`
    // (the wizard's folder when empty).
    void runModal(const QString& folder = QString());

public slots:
    void Button1Click();
    void Button2Click();

protected:
    void buildContents() override;

private:
    AppContext& m_ctx;
    QString m_folder;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};
