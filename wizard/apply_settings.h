// Applying the settings pages ("Применить настройки"): every setting the player changed since
// the config was read is written into the working document, row by row in a fixed order, and
// the document is saved over the chosen file. A setting whose controls still show what reading
// put there stays exactly as the file has it.
#pragma once

#include "wizard/wizard_files.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct WizardPageValues;
struct WizardWorkingSet;

struct ApplyRow {
    int number;      // 1 to 49
    QString setting; // what the row writes, for people reading the table
    void (*write)(WizardWorkingSet&);
    // Whether the player changed what this row writes: the values now against those read.
    bool (*changed)(const WizardPageValues& now, const WizardPageValues& read);
};
const std::vector<ApplyRow>& applyRows();
// The names of the commands a row writes ("net_graph", "net_graphpos").
QStringList settingNames(const ApplyRow& row);

// Writes the rows the player changed into mem1 (every row when the document held no command
// when it was read: a new config gets every line). Refuses (false, mem1 untouched) when the
// chosen file could not be read.
bool applySettings(WizardWorkingSet& ws);

// Button8Click's work: applySettings, then saveChosenFile. `beforeSave` sees the applied text
// first (the window warns about characters the file cannot hold). A failed save puts mem1 back
// as it was before applying, so the next apply writes the same changes again.
WizardSaveResult applyAndSave(WizardWorkingSet& ws,
                              const std::function<void(const QString&)>& beforeSave = {});
