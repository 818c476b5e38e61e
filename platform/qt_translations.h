// Qt's own texts (the buttons and labels of the file, colour and print dialogs) in Russian.
#pragma once

class QCoreApplication;
class QTranslator;

// Loads Qt's Russian translation from the system's Qt translations folder and installs it (owned
// by `app`); null when it is not installed there (Qt's texts then stay in English).
QTranslator* installRussianQtTranslation(QCoreApplication& app);
