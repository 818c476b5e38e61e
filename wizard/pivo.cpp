// Pivo: reading the documents into wizard state, and clearing a key's lines.
#include "wizard/pivo.h"

#include "reference/key_list.h"
#include "wizard/line_search.h"
#include "wizard/setting_rules.h"
#include "wizard/settings_catalogue.h"
#include "wizard/wizard_working_set.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString aliasPrefix(const QString& aliasName) {
    return u"alias \""_s + aliasName + u'"';
}

// A key's binding line, the key compared whole (`bind "F1"` never finds `bind "F10"`).
QString bindPrefix(const QString& key) {
    return u"bind \""_s + key + u'"';
}

// Deletes the line of `prefix` in mem1, or in mem2 when `inMem2`.
bool deleteLine(WizardWorkingSet& ws, const QString& prefix, bool inMem2) {
    return inMem2 ? deleteMem2Line(ws, prefix) : deleteSettingLine(ws, prefix);
}

void readUnbindall(WizardWorkingSet& ws) {
    ws.unbindallPresent =
        FindSettingValue(ws, u"unbindall"_s).found && ws.foundLineText().size() == 9;
}

void readWaitAlias(WizardWorkingSet& ws) {
    if (ws.autoexecMode)
        ws.waitAliasPresent = !FindInMem2(ws, u"alias \"ww\""_s).isEmpty();
    else
        ws.waitAliasPresent =
            FindSettingValue(ws, u"alias \"w"_s, MatchRule::Anywhere).value == u"w"_s;
}

} // namespace

void readAllSettings(WizardWorkingSet& ws) {
    using S = SettingId;
    static const S beforeWaitAlias[] = {
        S::Name,          S::RightHand,      S::AutoHelp,  S::ConsoleColour, S::VguiMenus,
        S::DrawViewModel, S::MapDescription, S::CenterId,  S::Radar,         S::SpriteBlend,
        S::FastSprites,   S::MaxSmokePuffs,  S::MaxShells, S::Decals,
    };
    static const S afterWaitAlias[] = {
        S::NetGraph,        S::MonoLights,   S::ObserverCrosshair, S::Ghosts,
        S::CrosshairChange, S::Bobbing,      S::FastSwitch,        S::WaterAmp,
        S::SayText,         S::MouseFilter,  S::DynamicCrosshair,  S::Sensitivity,
        S::ZoomSensitivity, S::ConsoleSpeed, S::RoundTime,         S::C4Timer,
        S::FreezeTime,      S::BuyTime,      S::MapChange,         S::Restart,
        S::WinLimit,        S::CorpseStay,   S::SayTextTime,       S::DeathNoticeTime,
        S::FriendlyFire,    S::AutoKick,     S::TeamBalance,       S::HostagePenalty,
        S::Spectator,       S::FadeToBlack,  S::Flashlight,        S::Footsteps,
        S::StartMoney,      S::Rate,
    };
    for (S id : beforeWaitAlias)
        readSetting(ws, wizardSetting(id));
    readWaitAlias(ws);
    for (S id : afterWaitAlias)
        readSetting(ws, wizardSetting(id));
}

void pivoRead(WizardWorkingSet& ws, const QStringList& actionCommands) {
    ws.freeKeys = keyNames();
    CollectBoundKeys(ws);
    ws.comboKeys = ws.freeKeys;
    QStringList commandTexts;
    for (const QString& command : actionCommands)
        commandTexts.append(u"\" "_s + command);
    ws.actionKeys = findKeysFor(ws, commandTexts);
    if (ws.reloadOnly)
        return;
    readUnbindall(ws);
    readAllSettings(ws);
}

void pivoClearUsedKey(WizardWorkingSet& ws, const QString& key) {
    const QString lower = asciiLower(key);
    const QString alias = u"Kaz-"_s + lower;
    const bool inMem2 = ws.autoexecMode;
    deleteLine(ws, aliasPrefix(alias), inMem2);
    deleteLine(ws, aliasPrefix(alias + u"_equip"_s), inMem2);
    deleteLine(ws, aliasPrefix(alias + u"_mes"_s), inMem2);
    // Every combination alias of the key: the name goes on after "Kaz-<key>-", so another key's
    // aliases ("Kaz-f1-..." for the key "f") never match.
    deleteEveryLineWith(ws, u"alias \""_s + alias + u'-', inMem2);
    deleteLine(ws, aliasPrefix(u'+' + lower + u"key"_s), inMem2);
    deleteLine(ws, aliasPrefix(u'-' + lower + u"key"_s), inMem2);
    deleteSettingLine(ws, bindPrefix(key));
    if (lower != key)
        deleteSettingLine(ws, bindPrefix(lower));
    ws.pivoState = 0;
}

void pivoFreeKey(WizardWorkingSet& ws, const QString& key, const QString& oldKey) {
    // The key pages write a key's aliases with the key in lower case, and in autoexec mode into
    // mem2: those are removed as well as the ones written with the key as listed.
    QStringList aliasKeys = {key};
    if (asciiLower(key) != key)
        aliasKeys.append(asciiLower(key));
    for (const QString& aliasKey : aliasKeys) {
        const QString alias = u"Kaz-"_s + aliasKey;
        for (const QString& name : {alias, alias + u"_equip"_s, alias + u"_mes"_s}) {
            deleteLine(ws, aliasPrefix(name), false);
            if (ws.autoexecMode)
                deleteLine(ws, aliasPrefix(name), true);
        }
    }
    if (!deleteSettingLine(ws, bindPrefix(key)) &&
        !deleteSettingLine(ws, bindPrefix(asciiLower(key))))
        deleteSettingLine(ws, bindPrefix(asciiUpper(key)));
    // An action without a key has no old binding to remove.
    if (!oldKey.isEmpty() && !deleteSettingLine(ws, bindPrefix(oldKey)) &&
        !deleteSettingLine(ws, bindPrefix(asciiUpper(oldKey))))
        deleteSettingLine(ws, bindPrefix(asciiLower(oldKey)));
    ws.pivoState = 0;
}

void pivoFindComboCommand(WizardWorkingSet& ws, const QString& key) {
    ws.comboPreviousCommand =
        FindSettingValue(ws, bindPrefix(asciiLower(key)) + u" \""_s, MatchRule::Anywhere).value;
    if (ws.comboPreviousCommand.isEmpty())
        ws.comboPreviousCommand =
            FindSettingValue(ws, bindPrefix(asciiUpper(key)) + u" \""_s, MatchRule::Anywhere).value;
}

void Pivo(WizardWorkingSet& ws, const PivoInputs& inputs) {
    switch (ws.pivoState) {
    case 0:
        pivoRead(ws, inputs.actionCommands);
        return;
    case 1:
        pivoClearUsedKey(ws, inputs.usedKey);
        return;
    case 2:
        pivoFreeKey(ws, inputs.chosenKey, inputs.oldKey);
        return;
    case 11:
        pivoFindComboCommand(ws, inputs.usedKey);
        return;
    default:
        return;
    }
}
