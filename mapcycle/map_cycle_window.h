// MapCycleWindow, the map cycle editor: builds the server's "mapcycle.txt" in the wizard folder
// from the maps installed there and shows each map's description.
#pragma once

#include "platform/text_form.h"
#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>
#include <QIcon>
#include <QList>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class MapCycleWindow : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit MapCycleWindow(AppContext& ctx, QWidget* parent = nullptr);

    // Fills the lists and shows the window modally, centred on the main window.
    void runModal();
    // The steps before showing: the all-maps list gains the folder's maps, a missing map cycle
    // file is created, the cycle list is loaded. False (after an error box) when the map cycle
    // file can neither be created nor read: there is nothing to edit then.
    bool FormShow();

public slots:
    void LB1Click();
    void LB2Click();
    void LB1DblClick();
    void LB2DblClick();
    void Spee1Click();   // add to the cycle
    void Spee2Click();   // remove from the cycle
    void Spee3Click();   // move up
    void Spee4Click();   // move down
    void Button8Click(); // "Применить"
    void Button1Click(); // "Отмена"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void buildContents() override;

private:
    void showDescriptionOf(const QListWidget* list);
    void moveSelected(int step);
    QStringList cycle() const;

    AppContext& m_ctx;
    // The all-maps list's names, kept for the whole run (also those of earlier folders).
    QStringList m_allMaps;
    // The map cycle file the window was shown for.
    QString m_cyclePath;
    textfile::TextForm m_cycleForm; // the file's encoding and line breaks, kept when it is written

    QLabel* Label1 = nullptr;
    QListWidget* LB1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* LB2 = nullptr;
    QToolButton* Spee1 = nullptr;
    QToolButton* Spee2 = nullptr;
    QToolButton* Spee3 = nullptr;
    QToolButton* Spee4 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* LabelNote = nullptr; // a map added that the cycle already holds
    QPlainTextEdit* Ric1 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button1 = nullptr;
    // The buttons' pictures: 0 move down, 1 move up, 2 add, 3 remove.
    QList<QIcon> ImL1;
};
