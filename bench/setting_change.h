// One wizard setting changed from what was read, as a player would change it: a radio group to
// its other button, a spin edit to its least or greatest value, a text field to another text.
// Shared by the benchmarks and tools that drive the wizard's apply.
#pragma once

#include "wizard/settings_catalogue.h"

inline void changeSetting(const WizardSetting& setting, WizardPageValues& values) {
    if (setting.choice)
        values.*setting.choice = values.*setting.choice == 1 ? 0 : 1;
    for (const FieldControl& field : setting.fields) {
        QString& text = values.*field.text;
        if (!field.spin)
            text += QStringLiteral("x");
        else
            text = QString::number(text == QString::number(field.minimum) ? field.maximum
                                                                          : field.minimum);
    }
}
