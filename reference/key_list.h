// The program's one list of key names, in the order the insert dialog lists them. Each name is
// written into a config exactly as it stands here; the key choice dialog and the wizard's free-key
// list take their copies from here.
#pragma once

#include <QStringList>

constexpr qsizetype kKeyCount = 109;

const QStringList& keyNames();
