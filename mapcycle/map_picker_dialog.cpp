// The your-maps picker.
#include "mapcycle/map_picker_dialog.h"
#include "widgets/qt_widget_helpers.h"

#include "mapcycle/installed_maps.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

MapPickerDialog::MapPickerDialog(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx) {
    setObjectName(u"Maps_menu"_s);
    setWindowTitle(u"Ваши карты:"_s);
    setWindowFlags(kFixedDialogFlags);
}

void MapPickerDialog::buildContents() {
    lb12 = new QListWidget(this);
    lb12->setObjectName(u"lb12"_s);
    Button1 = new QPushButton(u"Добавить"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lb12, 1);
    layout->addWidget(Button1);
    setFixedSize(166, 283);
    connect(Button1, &QPushButton::clicked, this, &MapPickerDialog::Button1Click);
    connect(lb12, &QListWidget::itemDoubleClicked, this, &MapPickerDialog::lb12DblClick);
}

void MapPickerDialog::runModal() {
    FormShow();
    // The picker's own place on the screen, wherever the main window is.
    move(357, 209);
    exec();
}

void MapPickerDialog::FormShow() {
    ensureBuilt();
    mapcycle::mergeMapNames(m_maps, mapcycle::installedMaps(m_ctx.state.games.wizardFolder));
    lb12->clear();
    lb12->addItems(m_maps);
    lb12->setFocus();
}

void MapPickerDialog::Button1Click() {
    const QList<QListWidgetItem*> selected = lb12->selectedItems();
    if (selected.isEmpty())
        return;
    emit mapChosen(selected.first()->text());
    accept();
}

void MapPickerDialog::lb12DblClick() {
    Button1Click();
}
