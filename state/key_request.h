// What a window asks the key choice dialog for. The dialog hands the request back with the key it
// gives, so the answer finds the control that asked: a key slot of the MetaBinds window or an
// action button of the wizard's key pages.
#pragma once

#include <QString>
#include <functional>

struct KeyRequest {
    enum class Asker {
        Nobody,       // the dialog shown without a request: its answer goes nowhere
        MetaBindSlot, // `index`: the slot of the shown MetaBind, 1-based
        WizardAction, // `index`: the action's row in the key pages' action table
    };
    Asker asker = Asker::Nobody;
    int index = 0;
    // Asked at OK with the selected key: false keeps the dialog open for another choice (the
    // asker's question about taking the key from what holds it got No). Empty: any key will do.
    std::function<bool(const QString& key)> accepts;
};
