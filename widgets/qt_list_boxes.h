// List box behaviour the reference windows share.
#pragma once

#include <QStringList>
#include <functional>

class QListWidget;

// Runs `handler` on a list box "click": the user picked an item with the mouse (also the item
// already selected) or moved the selection with the keys, or the program selected an item with
// the list's signals on. Merely focusing a list does not count, nor does clearing the selection.
void onListClick(QListWidget* list, std::function<void()> handler);

// Shows `items` in the list, in their order; the item selected before stays selected when it is
// still there. Runs no click.
void fillList(QListWidget* list, const QStringList& items);

// The selected item's text, or empty.
QString selectedText(const QListWidget* list);

// The texts of all the list's items, in order.
QStringList listTexts(const QListWidget* list);

// The row of the selected item, or -1. A list can have a current row without a selection (it
// takes one on focus), and that does not count as the user's choice.
int selectedRow(const QListWidget* list);

// Drops the selection (no item selected, none current). Runs no click.
void dropSelection(QListWidget* list);

// Lays the list out in two columns that share its visible width: the items run down the first
// column and on into the next, and the list scrolls sideways. The columns follow resizes.
void showInTwoColumns(QListWidget* list);
