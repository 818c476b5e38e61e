// KeyChoiceDialog, the key choice dialog: the key list in two columns. It answers one request at a
// time (a key for a slot of the MetaBinds window, or for an action of the wizard's key pages) and
// hands the request back with the key.
#pragma once

#include "state/app_context.h"
#include "state/key_request.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>

class QListWidget;
class QPushButton;

class KeyChoiceDialog : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit KeyChoiceDialog(AppContext& ctx, QWidget* parent = nullptr);

    // The key selected in the list, or empty.
    QString chosenKey() const;

public slots:
    // Shows the dialog modally, centred over the main window; when it closes with OK, keyChosen
    // carries `request` and the key.
    void chooseKey(const KeyRequest& request);
    void FormShow();
    void Button1Click();
    void Button2Click();
    // Closing by the window's button or Escape is Отмена.
    void reject() override;

signals:
    // The dialog closed with OK on `key` for `request`.
    void keyChosen(const KeyRequest& request, const QString& key);

protected:
    void showEvent(QShowEvent* e) override;
    void buildContents() override;

private:
    AppContext& m_ctx;
    // The request being answered, and the key OK accepted for it.
    KeyRequest m_request;
    QString m_accepted;
    QListWidget* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};
