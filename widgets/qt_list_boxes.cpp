// List box clicks and filling.
#include "widgets/qt_list_boxes.h"

#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QSignalBlocker>
#include <memory>

void onListClick(QListWidget* list, std::function<void()> handler) {
    // A press on a new item changes the selection first and reports the click after; the click
    // must then not run the handler a second time.
    auto handledByPress = std::make_shared<bool>(false);
    QObject::connect(list, &QListWidget::itemSelectionChanged, list,
                     [list, handler, handledByPress] {
                         if (list->selectedItems().isEmpty())
                             return;
                         *handledByPress = QApplication::mouseButtons() != Qt::NoButton;
                         handler();
                     });
    QObject::connect(list, &QListWidget::itemClicked, list, [handler, handledByPress] {
        if (std::exchange(*handledByPress, false))
            return;
        handler();
    });
}

void fillList(QListWidget* list, const QStringList& items) {
    const QString selected = selectedText(list);
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(items);
    if (selected.isEmpty())
        return;
    const auto found = list->findItems(selected, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!found.isEmpty()) {
        list->setCurrentItem(found.first());
        found.first()->setSelected(true);
    }
}

QStringList listTexts(const QListWidget* list) {
    QStringList texts;
    texts.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

int selectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

QString selectedText(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void dropSelection(QListWidget* list) {
    const QSignalBlocker block(list);
    list->clearSelection();
    list->setCurrentRow(-1);
}

namespace {

// Keeps the grid at half the viewport's width.
class TwoColumnFitter final : public QObject {
public:
    explicit TwoColumnFitter(QListWidget* list)
        : QObject(list), m_list(list), m_viewport(list->viewport()) {}

    void fit() {
        const int rowHeight = m_list->fontMetrics().height() + 2;
        m_list->setGridSize(QSize(std::max(1, m_list->viewport()->width() / 2), rowHeight));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        // The viewport is compared by its pointer: events still come while the list is torn down.
        if (watched == m_viewport && e->type() == QEvent::Resize)
            fit();
        return false;
    }

private:
    QListWidget* m_list;
    QWidget* m_viewport;
};

} // namespace

void showInTwoColumns(QListWidget* list) {
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setUniformItemSizes(true);
    auto* fitter = new TwoColumnFitter(list);
    list->viewport()->installEventFilter(fitter);
    fitter->fit();
}
