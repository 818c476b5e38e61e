// Applying the settings pages ("Применить настройки"): every setting is written into the working
// document row by row, in a fixed order, and the document is saved over the chosen file.
#pragma once

#include "wizard/wizard_files.h"

#include <QString>
#include <vector>

struct WizardWorkingSet;

struct ApplyRow {
    int number;      // 1 to 49
    QString setting; // what the row writes, for people reading the table
    void (*write)(WizardWorkingSet&);
};
const std::vector<ApplyRow>& applyRows();

// Writes all 49 rows into mem1. Refuses (false, mem1 untouched) when the chosen file could not
// be read.
bool applySettings(WizardWorkingSet& ws);

// Button8Click's work: applySettings, then saveChosenFile.
WizardSaveResult applyAndSave(WizardWorkingSet& ws);
