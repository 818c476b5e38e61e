// The wizard's documents: any config (with the autoexec.cfg beside it when it is the game's own
// config.cfg) is loaded, read into the pages and the key lists, applied and saved again.
// Seeds: demo/Half-Life/cstrike/*.cfg
#include "state/shared_state.h"
#include "support.h"
#include "wizard/apply_settings.h"
#include "wizard/pivo.h"
#include "wizard/wizard_files.h"
#include "wizard/wizard_working_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::FileAndChoices input = fuzz::splitInput(data, size);
    fuzz::writeFile(QStringLiteral("config.cfg"), input.file);
    fuzz::writeFile(QStringLiteral("autoexec.cfg"), input.choices);
    SharedState shared;
    shared.games.startupGameDir = shared.games.wizardFolder = fuzz::scratchDir();
    WizardWorkingSet ws(shared);
    loadDocuments(ws, fuzz::scratchDir(), QStringLiteral("config.cfg"));
    pivoRead(ws, {QStringLiteral("\"+forward\""), QStringLiteral("\"+attack\"")});
    const WizardSaveResult saved = applyAndSave(ws);
    fuzz::check(saved.ok() || !saved.message().isEmpty(), "a failed save says why");
    return 0;
}
