// Creating an empty config file in the wizard folder by name.
#pragma once

#include <QString>

struct NewConfigResult {
    enum Kind { EmptyName, Exists, Created, Failed } kind;
    QString path;
    QString reason; // for Failed: the system's reason
};

// Creates folder + "/" + name + ".cfg" as an empty file unless it exists.
NewConfigResult createEmptyConfig(const QString& folder, const QString& name);
