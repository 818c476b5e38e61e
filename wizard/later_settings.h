// The settings of the wizard's chosen config that a file the game runs after it sets again: the
// game starts with autoexec.cfg before config.cfg and userconfig.cfg last (language/config_run.h),
// so a value written here may never reach the game. The settings pages say so at the control.
#pragma once

#include "language/config_run.h"

#include <QHash>
#include <QString>

// By setting name (lower case; a setinfo key as written): "в autoexec.cfg:12 задано 3: в игре
// будет 3".
QHash<QString, QString> laterSettingNotes(const configrun::Result& run);
