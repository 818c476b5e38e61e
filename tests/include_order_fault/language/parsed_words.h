// A language file that reaches up into shell/: the include order test must refuse this tree.
#pragma once

#include "shell/settings.h"
