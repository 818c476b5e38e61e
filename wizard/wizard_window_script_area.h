// The scripted key area of the wizard's page 9: the "Оружие" group, the equipment list with its
// picture and prices, the "Сообщения" group with the radio preview, and the BIND controls that
// attach the composed script to a key. The controls live on the page itself (beside the
// movement keys); this object owns their handlers and turns them into calls of the script logic.
#pragma once

#include "wizard/script_binding.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <functional>
#include <memory>

struct AppContext;
class ConfigWizard;
class WavPlayer;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QAction;
class QRadioButton;
class QToolButton;
class QWidget;

// What the area takes from the key pages around it: the movement cross it lays out beside its
// controls, the cross's buttons for the Tab order, and the showing of every action's key on its
// button again after a reload.
struct KeyPagesShare {
    QWidget* movementCross = nullptr;
    QList<QWidget*> movementButtons;
    std::function<void()> showActionCaptions;
};

class ScriptKeyArea final : public QObject {
    Q_OBJECT
public:
    // Builds the area on the form's page 9, around the movement cross of the key pages, and
    // follows the form's readings of the documents.
    ScriptKeyArea(ConfigWizard& form, AppContext& ctx, KeyPagesShare keyPages);
    ~ScriptKeyArea() override;

    // Tests hand in a player of their own.
    void setWavPlayer(std::unique_ptr<WavPlayer> player);

    enum class PlayerButton { Play, Stop };

    // What the page's controls have composed.
    script::Composition composition() const;
    // Neither chat recipient is chosen.
    void clearChatRecipient();

public slots:
    void ComboBox3Select(int index);
    void ComboBox4Select(int index);
    void ComboBox5Select(int index);
    void CheckListBox1ClickCheck(QListWidgetItem* item);
    void ComboBox8Change();
    void mp_radioClick(ScriptKeyArea::PlayerButton button);
    void RadioButton49Click();
    void RadioButton50Click();

    void ComboBox6Change();
    void ComboBox7Change();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void popua1Click();
    void PMenu1Popup();

    // The key lists of the working set into ComboBox6, ComboBox7 and ComboBox9.
    void showKeyLists();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // wizard_window_script_area.cpp: the controls and the buy and message handlers.
    void buildWeapons(QWidget* page);
    void buildEquipment(QWidget* page);
    void buildMessages(QWidget* page);
    void buildBindControls(QWidget* page);
    void layOutPage(QWidget* page);
    void vivi(const QString& pictureName);
    void ShowPurchaseCost();
    void enableChatText();
    static void paintSwitchable(QWidget* w, bool on);
    void setPlayerButtonsEnabled(bool enabled, const QString& whyNot = {});
    void tellOnce(const QString& reason);
    void resetComposition();

    // wizard_window_script_bind.cpp: BIND.
    void runRebindStep();
    // The request of the used-key BIND (a combination when its list is on), or "Удалить".
    script::BindRequest usedKeyRequest() const;
    // Says why the request cannot be done, if it cannot: true when refused.
    bool refused(const script::BindRequest& request);
    bool bind(const script::BindRequest& request);
    void setComboBox9On(bool on);

    ConfigWizard& m_form;
    AppContext& m_ctx;
    KeyPagesShare m_keyPages;
    std::unique_ptr<WavPlayer> m_player;
    QSet<QString> m_toldReasons;

    int m_rifleCost = 0;
    int m_pistolCost = 0;
    int m_equipmentCost = 0;
    // The Tag of popua1: set while "Удалить" runs the rebind step.
    bool m_deleting = false;

    QGroupBox* GroupBoxWeapons = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* m_bindHint = nullptr;
    QLabel* Label92 = nullptr;
    QLabel* Label93 = nullptr;

    QGroupBox* GroupBoxMessages = nullptr;
    QComboBox* ComboBox8 = nullptr;
    QWidget* mp_radio = nullptr;
    QToolButton* m_play = nullptr;
    QToolButton* m_stop = nullptr;
    QLineEdit* Edit3 = nullptr;
    QRadioButton* RadioButton49 = nullptr;
    QRadioButton* RadioButton50 = nullptr;

    QComboBox* ComboBox6 = nullptr;
    QComboBox* ComboBox7 = nullptr;
    QComboBox* ComboBox9 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QMenu* PMenu1 = nullptr;
    QAction* popua1 = nullptr;
};
