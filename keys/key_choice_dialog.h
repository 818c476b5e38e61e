// Tbinds, the key choice dialog: the key list in two columns, for the wizard's action buttons
// (KeySlot 0) or for one key slot of the MetaBinds window (KeySlot n >= 1).
#pragma once

#include "app/app_context.h"
#include "shell/qt_built_on_first_show.h"

#include <QDialog>
#include <functional>

class QListWidget;
class QPushButton;
struct WizardWorkingSet;

// What the dialog needs of the wizard's key pages when it takes a key from another action.
class KeyChoiceClient {
public:
    virtual ~KeyChoiceClient() = default;
    virtual WizardWorkingSet& workingSet() = 0;
    // Runs document work inside the wizard's page switch and returns to the key page.
    virtual void runOnDocuments(const std::function<void()>& work) = 0;
    // Shows the key of every action on its button again (after the lists were read anew).
    virtual void showActionCaptions() = 0;
    // The caption of the action whose button shows `key` now, or empty.
    virtual QString actionHoldingKey(const QString& key) const = 0;
};

// The question before a key is taken from what holds it now (`holder`: an action's caption,
// or empty when the config binds it to something else).
QString reassignmentQuestion(const QString& key, const QString& holder);

class Tbinds : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit Tbinds(AppContext& ctx, QWidget* parent = nullptr);

    // The wizard's key pages, for the wizard mode.
    void setClient(KeyChoiceClient* client) { m_client = client; }
    // The key selected in the list, or empty.
    QString chosenKey() const;

public slots:
    // Shows the dialog modally, centred over the main window, in the mode KeySlot asks for.
    void chooseKey();
    void FormShow();
    void Button1Click();
    void Button2Click();
    // Closing by the window's button or Escape is Отмена.
    void reject() override;

signals:
    // MetaBinds mode: slot `slot` (1-based) gets `key`.
    void metaBindSlotChosen(int slot, const QString& key);

protected:
    void showEvent(QShowEvent* e) override;
    void buildContents() override;

private:
    void acceptForWizard(const QString& key);

    AppContext& m_ctx;
    KeyChoiceClient* m_client = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};
