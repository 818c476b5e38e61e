// LauncherWindow, the launcher window: the map and the player count on the left; the launch
// options, the mod, the OpenGL driver and the mod's picture, title and version in a right column
// that folds away.
#pragma once

#include "launcher/game_start.h"
#include "launcher/launch_options.h"
#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class LauncherWindow : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit LauncherWindow(AppContext& ctx, QWidget* parent = nullptr);

    // Shows the window modally, centred on the main window; true when it was confirmed.
    bool runModal();
    // The mod, map, mlook choice and parameters of the last confirmation.
    LaunchChoice choice() const;

    // The narrowest folded width, the right column's narrowest width, how far the window moves
    // when it unfolds, and the least height.
    static constexpr int kFoldedWidth = 199;
    static constexpr int kRightWidth = 200;
    static constexpr int kFoldShift = 122;
    static constexpr int kHeight = 268;
    // The window's widths folded and unfolded: wider than the narrowest where the controls'
    // texts, the fold button's caption or the title need it (known once the window is built).
    int foldedWidth() const { return m_foldedWidth; }
    int unfoldedWidth() const { return m_unfoldedWidth; }

public slots:
    void FormShow();
    void FormClose();
    void ComB1Change();
    void lx_mapClick();
    void Et1Change();
    void CLB1Click();
    void CLB1ClickCheck();
    void CheckBox1Click();
    void CB2Click();
    void CheckBox2Click();
    void SpeedButton1Click();
    void Button2Click();
    void bok_panelClick();

protected:
    void buildContents() override;
    void showEvent(QShowEvent* e) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* buildLeftColumn();
    QWidget* buildRightColumn();
    void fold(bool unfolded);
    void showPicture(const QString& iconFile);
    OptionsState optionsState() const;
    void applyOptionsState(const OptionsState& state);
    void CLB1ItemChanged(QListWidgetItem* item);

    AppContext& m_ctx;
    QStringList m_arguments;
    int m_foldedWidth = kFoldedWidth;
    int m_unfoldedWidth = kFoldedWidth + 1 + kRightWidth;
    int m_height = kHeight;
    QWidget* m_right = nullptr; // the right column, hidden while folded
    bool m_settingChecks = false;

    // Left column.
    QLabel* Label1 = nullptr;
    QListWidget* lx_map = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Et1 = nullptr;
    QLabel* Label2 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* bok_panel = nullptr;
    // Right column.
    QLabel* Label3 = nullptr;
    QListWidget* CLB1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QComboBox* ComB1 = nullptr;
    QCheckBox* CB2 = nullptr;
    QComboBox* ComB2 = nullptr;
    QLabel* im1 = nullptr;
    QLabel* game_name = nullptr;
    QLabel* game_ver = nullptr;
    QPlainTextEdit* memo1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
};
