// Pivo: turns the documents into wizard state (reading a config into the pages, the key lists
// and the action captions) and removes a key's lines before the key pages write new ones, or
// reads the command of a combination's key. The window suspends its preview around a call.
#pragma once

#include <QString>
#include <QStringList>

struct WizardWorkingSet;

// The steps one by one: reading the documents into the pages, the key lists and the action
// captions (`actionCommands`: the command texts of the action buttons, each with its own quotes,
// `"+forward"`, in button order; ws.actionKeys gets the key bound to each, in the same order);
// clearing a used key's lines; freeing a key chosen in the key choice dialog for an action
// (`oldKey`: the caption of its button, possibly empty); reading the command of a combination's
// key.
void pivoRead(WizardWorkingSet& ws, const QStringList& actionCommands);
void pivoClearUsedKey(WizardWorkingSet& ws, const QString& key);
void pivoFreeKey(WizardWorkingSet& ws, const QString& key, const QString& oldKey);
void pivoFindComboCommand(WizardWorkingSet& ws, const QString& key);

// The settings in the order reading takes them (WaitAliasPresent is read after r_decals).
void readAllSettings(WizardWorkingSet& ws);
