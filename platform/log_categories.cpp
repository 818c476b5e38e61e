// The program's logging categories, each quiet (only critical messages, which the program does not
// send) until QT_LOGGING_RULES turns it on.
#include "platform/log_categories.h"

Q_LOGGING_CATEGORY(lcFiles, "tessera.files", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcVersions, "tessera.versions", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcWizard, "tessera.wizard", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcLauncher, "tessera.launcher", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcConfigRun, "tessera.configrun", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcMessages, "tessera.messages", QtCriticalMsg)
