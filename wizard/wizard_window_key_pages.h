// The wizard's key pages: page 9's movement cross, page 10 with its buy panel and page 11 with
// the radio and chat keys, "MetaBinds" and "Применить настройки". Built into ConfigWizard's pages
// from the action table; each action button asks the wizard's key choice (a request the program
// wires to the key choice dialog) and binds the key that comes back. This object is what the
// wizard's frame talks to about its key pages, page 9's script area included.
#pragma once

#include "state/app_context.h"
#include "wizard/wizard_key_part.h"

#include <QObject>
#include <QRect>
#include <functional>
#include <vector>

class ConfigWizard;
class QFrame;
class QPushButton;
class QWidget;
class ScriptKeyArea;
struct WizardWorkingSet;

class KeyPages final : public QObject, public WizardKeyPart {
    Q_OBJECT
public:
    KeyPages(ConfigWizard& form, AppContext& ctx);

    // The button of an action (objectName "Button4" ... "Button55"), or nullptr.
    QPushButton* actionButton(const QString& name) const;
    // Page 9's movement cross and its four buttons, which the script area lays out beside its
    // own controls.
    QWidget* movementCross() const { return m_movementCross; }
    QList<QWidget*> movementButtons() const;

    WizardWorkingSet& workingSet();
    // Runs the document work of a reassignment inside the wizard's page switch; the captions are
    // shown anew before the key page comes back.
    void runOnDocuments(const std::function<void()>& work);
    // Shows the key of every action on its button again (after the lists were read anew).
    void showActionCaptions();
    // The caption of the action whose button shows `key` now, or empty.
    QString actionHoldingKey(const QString& key) const;

    // What the wizard's frame tells its key pages. A config was clicked on page 1: the chat
    // message's recipient is chosen again for each config.
    void configClicked() override;
    // The wizard closes: the buy panel is put away.
    void wizardClosing() override;

public slots:
    // Every action button: asks for a key for its action; kompot binds the key that comes back.
    void ActionButtonClick(QPushButton* button);
    // Binds `key`, chosen for the action of row `row` of the action table.
    void kompot(int row, const QString& key) override;
    void TbS9Show();
    void Button38Click(); // ">>>": the buy keys
    void Button51Click(); // "X"
    void Button49Click(); // "MetaBinds"
    void Button50Click(); // "Применить настройки"

private:
    // The key choice dialog's OK for action `row`: a key another action holds is taken only after
    // Yes to the question, and the documents are changed at once. False keeps the dialog open.
    bool acceptsKey(int row, const QString& key);
    void buildMovementCross(QWidget* page);
    void buildOtherActions(QWidget* page);
    void buildBuyPanel(QWidget* page);
    void buildRadioPage(QWidget* page);
    QPushButton* makeActionButton(int row, QWidget* parent);

    ConfigWizard& m_form;
    AppContext& m_ctx;
    // In action table order, so that the read keys (workingSet().actionKeys) match by index.
    std::vector<QPushButton*> m_buttons;
    QWidget* m_movementCross = nullptr;
    ScriptKeyArea* m_scriptArea = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* Button38 = nullptr;
    QPushButton* Button51 = nullptr;
    QPushButton* Button49 = nullptr;
    QPushButton* Button50 = nullptr;
};

// Builds the key pages (page 9's script area included) into the wizard; they live as long as it
// does.
KeyPages* installKeyPages(ConfigWizard& form, AppContext& ctx);
