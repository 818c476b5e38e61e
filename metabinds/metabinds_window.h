// MetaBindsWindow, the MetaBinds insertion window: the user picks a MetaBind, chooses a key for
// each of its slots through the key choice dialog, and appends the finished script to the main
// editor or to the wizard's working document.
#pragma once

#include "metabinds/metabind_listing.h"
#include "state/app_context.h"
#include "state/key_request.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class MetaBindsWindow : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit MetaBindsWindow(AppContext& ctx, QWidget* parent = nullptr);

    // Where a finished MetaBind goes: the main editor, or the wizard's working document.
    enum class Target { Editor, Wizard };

    // Lists the MetaBinds afresh (the list and the path table are emptied first), for finished
    // MetaBinds to go to `target`.
    void FormShow(Target target = Target::Editor);
    const metabind::MetaBindPaths& metaBindPaths() const { return m_listing.paths; }

public slots:
    // Lists the MetaBinds and shows the window modally, centred on the main window.
    void openModal(Target target = Target::Editor);
    // The key choice dialog's answer for slot `slot` (1-based): the slot shows the key, and when
    // no slot is left without one the button offers "Вставить".
    void fillSlot(int slot, const QString& key);

    void lx_MeBClick();
    void lx_bindClick();
    void sb_bindClick();
    void Button1Click(); // "Выход"

signals:
    // A key is wanted for a slot (the request's index); the key choice dialog's answer comes to
    // fillSlot.
    void keyChoiceRequested(const KeyRequest& request);
    // A finished MetaBind for the wizard's working document (opened for Target::Wizard).
    void metaBindForWizard(const QString& block);
    // A finished MetaBind for the end of the editor's text (MetaBindTarget 1).
    void metaBindForEditor(const QString& block);
    // "Выход": the editor's caret goes to the end of its text.
    void closedForEditor();

protected:
    void buildContents() override;
    void showEvent(QShowEvent* e) override;

private:
    void resetSlotButton();
    void insertScript();

    AppContext& m_ctx;
    Target m_target = Target::Editor;
    metabind::Listing m_listing;
    // The script as read (the box shows it; it is also what gets filled and inserted).
    QString m_script;
    // The MetaBind whose script is shown, so an unreadable choice can give the selection back.
    int m_shownRow = -1;

    QLabel* Label1 = nullptr;
    QListWidget* lx_MeB = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* lx_bind = nullptr;
    QToolButton* sb_bind = nullptr;
    QPushButton* Button1 = nullptr;
    QPlainTextEdit* red_bind = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* mm_opis = nullptr;
};
