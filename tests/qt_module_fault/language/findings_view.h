// A tree the Qt-module check must refuse: a widget in the language layer.
#pragma once

#include <QString>
#include <QListView>
