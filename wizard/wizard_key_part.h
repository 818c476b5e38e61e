// The wizard's key pages as the wizard's frame sees them: built into its pages while it builds
// them, told of a key chosen for an action, of a config clicked in the list and of the wizard
// closing. The program hands the wizard the function that builds them (app/window_wiring.cpp),
// so the frame does not include the pages that include it.
#pragma once

#include <QString>
#include <functional>

class ConfigWizard;
struct AppContext;

class WizardKeyPart {
public:
    virtual ~WizardKeyPart() = default;
    // Binds `key` to the action of row `row` (the answer of the key choice).
    virtual void kompot(int row, const QString& key) = 0;
    // The wizard closes.
    virtual void wizardClosing() = 0;
    // A config was clicked on page 1.
    virtual void configClicked() = 0;
};

// Builds the key pages into the wizard's pages; they live as long as the wizard does.
using WizardKeyPartInstaller = std::function<WizardKeyPart*(ConfigWizard& form, AppContext& ctx)>;
