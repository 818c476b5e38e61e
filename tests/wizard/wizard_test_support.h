// Shared helpers of the wizard's tests: a working set over a fresh shared state, and readable
// QString output in failure messages.
#pragma once

#include "state/shared_state.h"
#include "wizard/setting_rules.h"
#include "wizard/settings_catalogue.h"
#include "wizard/wizard_working_set.h"

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

struct Wizard {
    SharedState shared;
    WizardWorkingSet ws{shared};
    explicit Wizard(const QString& text = {}) {
        ws.chosenFileRead(text);
        clearPageValuesForNewFile(ws.values);
    }
    void read(SettingId id) { readSetting(ws, wizardSetting(id)); }
    QString write(SettingId id) {
        writeSetting(ws, wizardSetting(id));
        return ws.mem1.content();
    }
};
