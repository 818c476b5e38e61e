// Dogy, the list loader: the entries of the list file that the reference window chose, or the
// message that says why they could not be loaded (the value list then keeps what it had).
#pragma once

#include <QString>
#include <QStringList>

struct ValueListLoad {
    bool ok = false;
    QStringList entries;
    QString message; // for the error box when !ok
};

ValueListLoad loadValueList(const QString& listFilePath);
