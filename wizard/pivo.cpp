// Pivo: reading the documents into wizard state, and clearing a key's lines.
#include "wizard/pivo.h"

#include "language/key_names.h"
#include "wizard/line_search.h"
#include "wizard/setting_rules.h"
#include "wizard/settings_catalogue.h"
#include "wizard/wizard_working_set.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The document that holds the key scripts' aliases.
WizardDocument& aliasDocument(WizardWorkingSet& ws) {
    return ws.autoexecMode ? ws.mem2 : ws.mem1;
}

void readUnbindall(WizardWorkingSet& ws) {
    ws.unbindallPresent = hasCommand(ws.mem1, u"unbindall"_s);
}

void readWaitAlias(WizardWorkingSet& ws) {
    ws.waitAliasPresent = !aliasesNamed(aliasDocument(ws), u"ww"_s).isEmpty();
}

// An action's command as the buttons give it, with its own quotes: the bound text inside them.
QString unquoted(const QString& command) {
    if (command.size() >= 2 && command.startsWith(u'"') && command.endsWith(u'"'))
        return command.mid(1, command.size() - 2);
    return command;
}

// The combinations whose main key is `key`: the "+<mod>key" and "-<mod>key" aliases that bind
// it, the combination's own aliases, and the modifier's binding once no "+<mod>key" alias is
// left. Left behind, the first press of the modifier would bind the key again.
void removeCombinationsOf(WizardWorkingSet& ws, const QString& key) {
    WizardDocument& aliases = aliasDocument(ws);
    const QString& text = aliases.indexedText();
    QList<CommandSpan> gone;
    QStringList modifiers;
    for (const CommandSpan& alias : aliases.commandsNamed(u"alias"_s)) {
        const QStringView name = alias.word(text, 1);
        if (name.size() < 5 || (name[0] != u'+' && name[0] != u'-') ||
            !sameName(name.right(3), u"key"))
            continue;
        const QString body = joinedArguments(text, alias, 2);
        CommandScanner scanner(body);
        CommandSpan first;
        if (!scanner.next(first) || !sameName(first.word(body, 0), u"bind") ||
            !sameName(first.word(body, 1), key))
            continue;
        gone.append(alias);
        const QString modifier = console::foldedName(name.mid(1, name.size() - 4).toString());
        if (!modifiers.contains(modifier))
            modifiers.append(modifier);
    }
    if (gone.isEmpty())
        return;
    aliases.removeCommands(gone);
    const QString lowerKey = console::foldedName(key);
    for (const QString& modifier : modifiers) {
        const QString combo = u"Kaz-"_s + modifier + u'-' + lowerKey;
        removeAliases(aliases, combo);
        removeAliases(aliases, combo + u"_equip"_s);
        removeAliases(aliases, combo + u"_mes"_s);
        if (!aliasesNamed(aliases, u'+' + modifier + u"key"_s).isEmpty())
            continue;
        QList<CommandSpan> deadBindings;
        for (const CommandSpan& bind : bindingsOf(ws.mem1, modifier))
            if (sameName(bind.word(ws.mem1.indexedText(), 2), QString(u'+' + modifier + u"key"_s)))
                deadBindings.append(bind);
        ws.mem1.removeCommands(deadBindings);
    }
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

namespace {

// The action buttons' commands without their quotes. The window reads with the same list every
// time: the list made last is kept for it.
const QStringList& unquotedCommands(const QStringList& actionCommands) {
    thread_local QStringList quoted;
    thread_local QStringList commands;
    if (quoted == actionCommands)
        return commands;
    commands.clear();
    commands.reserve(actionCommands.size());
    for (const QString& command : actionCommands)
        commands.append(unquoted(command));
    quoted = actionCommands;
    return commands;
}

} // namespace

void pivoRead(WizardWorkingSet& ws, const QStringList& actionCommands) {
    ws.freeKeys = keyNames();
    ws.actionKeys = collectBoundKeysAndFindKeysFor(ws, unquotedCommands(actionCommands));
    ws.comboKeys = ws.freeKeys;
    if (ws.reloadOnly)
        return;
    readUnbindall(ws);
    readAllSettings(ws);
    ws.valuesAsRead = ws.values;
    ws.writeEverySetting = ws.mem1.commands().isEmpty();
}

void pivoClearUsedKey(WizardWorkingSet& ws, const QString& key) {
    const QString lower = console::foldedName(key);
    const QString alias = u"Kaz-"_s + lower;
    WizardDocument& aliases = aliasDocument(ws);
    removeAliases(aliases, alias);
    removeAliases(aliases, alias + u"_equip"_s);
    removeAliases(aliases, alias + u"_mes"_s);
    // Every combination alias of the key: the name goes on after "Kaz-<key>-", so another key's
    // aliases ("Kaz-f1-..." for the key "f") never match.
    removeAliasesStartingWith(aliases, alias + u'-');
    removeAliases(aliases, u'+' + lower + u"key"_s);
    removeAliases(aliases, u'-' + lower + u"key"_s);
    removeCombinationsOf(ws, key);
    removeBindings(ws.mem1, key);
}

void pivoFreeKey(WizardWorkingSet& ws, const QString& key, const QString& oldKey) {
    // The key pages write a key's aliases with the key in lower case, and in autoexec mode into
    // mem2; alias names compare without regard to case, so one removal finds every spelling.
    const QString alias = u"Kaz-"_s + key;
    for (const QString& name : {alias, alias + u"_equip"_s, alias + u"_mes"_s}) {
        removeAliases(ws.mem1, name);
        if (ws.autoexecMode)
            removeAliases(ws.mem2, name);
    }
    removeCombinationsOf(ws, key);
    removeBindings(ws.mem1, key);
    // An action without a key has no old binding to remove.
    if (!oldKey.isEmpty())
        removeBindings(ws.mem1, oldKey);
}

void pivoFindComboCommand(WizardWorkingSet& ws, const QString& key) {
    ws.comboPreviousCommand = boundCommand(ws.mem1, key);
}

