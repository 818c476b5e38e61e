// Pivo: turns the documents into wizard state (state 0, reading a config into the pages, the key
// lists and the action captions) and removes a key's lines before the key pages write new ones
// (states 1 and 2), or reads the command of a combination's key (state 11). The caller sets
// ws.pivoState; states 1 and 2 set it back to 0. The window suspends its preview around a call.
#pragma once

#include <QString>
#include <QStringList>

struct WizardWorkingSet;

struct PivoInputs {
    // State 0: the command texts of the action buttons, each with its own quotes (`"+forward"`),
    // in button order; ws.actionKeys gets the key bound to each, in the same order.
    QStringList actionCommands;
    // States 1 and 11: the used-key list's current text.
    QString usedKey;
    // State 2: the key chosen in the key choice dialog, as listed there, and the action's old
    // key (the caption of its button, possibly empty).
    QString chosenKey;
    QString oldKey;
};

void Pivo(WizardWorkingSet& ws, const PivoInputs& inputs);

// The states one by one.
void pivoRead(WizardWorkingSet& ws, const QStringList& actionCommands);            // 0
void pivoClearUsedKey(WizardWorkingSet& ws, const QString& key);                   // 1
void pivoFreeKey(WizardWorkingSet& ws, const QString& key, const QString& oldKey); // 2
void pivoFindComboCommand(WizardWorkingSet& ws, const QString& key);               // 11

// The settings in the order reading takes them (WaitAliasPresent is read after r_decals).
void readAllSettings(WizardWorkingSet& ws);
