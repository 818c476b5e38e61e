// The wizard's key pages: page 9's movement cross, page 10 with its buy panel and page 11 with
// the radio and chat keys, "MetaBinds" and "Применить настройки". Built into TForm2's pages from
// the action table; each action button opens the key choice dialog and binds the key it gives.
#pragma once

#include "app/app_context.h"
#include "keys/key_choice_dialog.h"

#include <QObject>
#include <QRect>
#include <vector>

class QFrame;
class QPushButton;
class QWidget;

class KeyPages final : public QObject, public KeyChoiceClient {
    Q_OBJECT
public:
    KeyPages(TForm2& form, AppContext& ctx);

    // The button of an action (objectName "Button4" ... "Button55"), or nullptr.
    QPushButton* actionButton(const QString& name) const;

    // KeyChoiceClient.
    WizardWorkingSet& workingSet() override;
    void runOnDocuments(const std::function<void()>& work) override;
    void showActionCaptions() override;
    QString actionHoldingKey(const QString& key) const override;

public slots:
    // Every action button: its command is the one being assigned, then kompot.
    void ActionButtonClick(QPushButton* button);
    // Binds the key the key choice dialog gives to the action being assigned.
    void kompot();
    void TbS9Show();
    void Button38Click(); // ">>>": the buy keys
    void Button51Click(); // "X"
    void Button49Click(); // "MetaBinds"
    void Button50Click(); // "Применить настройки"

private:
    void buildMovementCross(QWidget* page);
    void buildOtherActions(QWidget* page);
    void buildBuyPanel(QWidget* page);
    void buildRadioPage(QWidget* page);
    QPushButton* makeActionButton(int row, QWidget* parent);

    TForm2& m_form;
    AppContext& m_ctx;
    // In action table order, so that the read keys (workingSet().actionKeys) match by index.
    std::vector<QPushButton*> m_buttons;
    QFrame* Panel2 = nullptr;
    QPushButton* Button38 = nullptr;
    QPushButton* Button51 = nullptr;
    QPushButton* Button49 = nullptr;
    QPushButton* Button50 = nullptr;
};

// Builds the key pages into the wizard; they live as long as it does.
KeyPages* installKeyPages(TForm2& form, AppContext& ctx);
