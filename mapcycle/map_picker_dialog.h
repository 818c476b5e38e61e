// MapPickerDialog, the your-maps picker: puts the name of an installed map at the editor's caret.
#pragma once

#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>

class QListWidget;
class QPushButton;

class MapPickerDialog : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit MapPickerDialog(AppContext& ctx, QWidget* parent = nullptr);

    // Fills the list and shows the picker modally.
    void runModal();
    // The list gains the maps of the wizard folder; names found at earlier showings stay.
    void FormShow();

signals:
    // The chosen map's name, for the editor's caret.
    void mapChosen(const QString& name);

public slots:
    void Button1Click(); // "Добавить"
    void lb12DblClick();

protected:
    void buildContents() override;

private:
    AppContext& m_ctx;
    QStringList m_maps;

    QListWidget* lb12 = nullptr;
    QPushButton* Button1 = nullptr;
};
