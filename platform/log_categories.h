// The program's logging categories. Each is quiet by default, so a normal run prints nothing;
// QT_LOGGING_RULES turns one on, or all of them:
//     QT_LOGGING_RULES='tessera.*=true' tessera            # everything, with the details
//     QT_LOGGING_RULES='tessera.files.warning=true' tessera # the failures of reading and writing
// A failure the user is shown is logged as a warning with its cause; what went well, as debug.
#pragma once

#include <QLoggingCategory>

// Reading and writing files (platform/text_file.h).
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
// The versions store: bytes kept before a write, changes found on disk (platform/version_store.h).
Q_DECLARE_LOGGING_CATEGORY(lcVersions)
// The wizard's apply and its saves (wizard/).
Q_DECLARE_LOGGING_CATEGORY(lcWizard)
// Starting the game and putting its config back (launcher/).
Q_DECLARE_LOGGING_CATEGORY(lcLauncher)
// The run of the config set at the game's start (language/config_run.h).
Q_DECLARE_LOGGING_CATEGORY(lcConfigRun)
// Every warning and error box the user is shown (platform/qt_user_dialogs.cpp).
Q_DECLARE_LOGGING_CATEGORY(lcMessages)
