// BIND: lines into the documents, the documents onto disk, the key lists after them.
#include "wizard/script_binding.h"

#include "language/config_commands.h"
#include "platform/text_file.h"
#include "wizard/line_search.h"
#include "wizard/pivo.h"
#include "wizard/wizard_working_set.h"

using namespace Qt::Literals::StringLiterals;

namespace script {

WizardDocument& aliasDocument(WizardWorkingSet& ws) {
    return ws.autoexecMode ? ws.mem2 : ws.mem1;
}

namespace {

void appendAll(WizardDocument& document, const QStringList& lines) {
    for (const QString& line : lines)
        document.appendLine(line);
}

} // namespace

void bindlaska(WizardWorkingSet& ws, const BindRequest& request) {
    // A deletion only takes lines away; the shared wait alias and "unbindall" wait for a script.
    const bool writes = !(request.mode == BindMode::UsedKey && request.deletion);
    WizardDocument& aliases = aliasDocument(ws);
    const Fragments fragments = buildFragments(request.composition);

    if (writes && !ws.waitAliasPresent) {
        aliases.appendLine(waitAliasLine());
        ws.waitAliasPresent = true;
    }
    if (writes && !ws.unbindallPresent) {
        ws.mem1.insertAtStart(u"unbindall"_s);
        ws.unbindallPresent = true;
    }

    switch (request.mode) {
    case BindMode::NewKey: {
        const AliasNames names = aliasNamesFor(request.key);
        appendAll(aliases, aliasBlock(names, fragments));
        ws.mem1.appendLine(keyBindLine(request.key, names));
        break;
    }
    case BindMode::UsedKey: {
        pivoClearUsedKey(ws, request.key);
        if (!request.deletion) {
            const AliasNames names = aliasNamesFor(request.key);
            appendAll(aliases, aliasBlock(names, fragments));
            ws.mem1.appendLine(keyBindLine(request.key, names));
        }
        break;
    }
    case BindMode::Combination: {
        pivoFindComboCommand(ws, request.key);
        const AliasNames names = aliasNamesFor(request.modifier + u"-"_s + request.key);
        appendAll(aliases, aliasBlock(names, fragments));
        aliases.appendLine(plusModifierLine(request.modifier, request.key));
        aliases.appendLine(
            minusModifierLine(request.modifier, request.key, ws.comboPreviousCommand));
        ws.mem1.appendLine(modifierBindLine(request.modifier));
        break;
    }
    }
}

void updateKeyLists(WizardWorkingSet& ws, const BindRequest& request,
                    const QStringList& actionCommands) {
    if (request.mode == BindMode::NewKey) {
        ws.freeKeys.removeOne(request.key);
        // A reading would no longer offer a bound key for a combination either.
        ws.comboKeys.removeOne(request.key);
        ws.usedKeys.append(request.key);
        return;
    }
    ws.usedKeys.clear();
    ws.reloadOnly = true;
    pivoRead(ws, actionCommands);
    ws.reloadOnly = false;
}

// An alias named after such a key would be split or skipped by the console where the script
// calls it bare: ";", quotes, "'", ",", "(", ")", "{", "}", ":", blanks and non-ASCII letters.
bool keySplitsInConsole(const QString& key) {
    return !key.isEmpty() && valueNeedsQuotes(key);
}

// The longest of the alias names the script writes: the equipment's and the message's only when
// it has them.
QString longestAliasName(const BindRequest& request, const QString& scriptName) {
    const AliasNames names = aliasNamesFor(scriptName);
    const Fragments f = buildFragments(request.composition);
    QString longest = names.main.mid(1, names.main.size() - 2);
    if (!f.equipment.isEmpty() && names.equipment.size() > longest.size())
        longest = names.equipment;
    if (!(f.radio + f.chat).isEmpty() && names.message.size() > longest.size())
        longest = names.message;
    return longest;
}

QString refusalFor(const WizardWorkingSet& ws, const BindRequest& request) {
    if (request.key.isEmpty() ||
        (request.mode == BindMode::Combination && request.modifier.isEmpty()))
        return u"Выберите клавишу и нажмите <BIND>"_s;
    if (ws.chosenPath.isEmpty() || !ws.chosenReadable())
        return u"Файл \"%1\" не удалось прочитать, поэтому сценарий клавиши в него не "
               u"записан. Выберите на первой странице файл, который можно открыть."_s.arg(
                   ws.chosenPath);
    if (ws.autoexecMode && !ws.autoexecReadable)
        return u"Файл \"%1\" не удалось прочитать, поэтому сценарий клавиши не записан."_s.arg(
            ws.autoexecPath);
    const bool deletion = request.mode == BindMode::UsedKey && request.deletion;
    if (!deletion) {
        for (const QString& key : {request.key, request.modifier}) {
            if (keySplitsInConsole(key))
                return u"Клавишу «%1» нельзя использовать в сценарии: консоль игры делит "
                       u"команды на этом знаке, и сценарий никогда не запустится. Выберите "
                       u"другую клавишу."_s.arg(key);
        }
        const QString scriptName = request.mode == BindMode::Combination
                                       ? request.modifier + u"-"_s + request.key
                                       : request.key;
        const QString longest = longestAliasName(request, scriptName);
        if (longest.size() > kMaxAliasNameLength)
            return u"Имя сценария «%1» длиннее %2 знаков: игра его не примет. Выберите "
                   u"клавишу или сочетание с более коротким названием."_s.arg(longest)
                       .arg(kMaxAliasNameLength);
    }
    if (!deletion && !chatTextIsSafe(request.composition.chatText))
        return unsafeChatTextMessage();
    if (!deletion && !chatTextIsSent(request.composition.chatText))
        return unsentChatTextMessage();
    if (!deletion && chatTextIsComment(request.composition.chatText))
        return commentChatTextMessage();
    // The game could not show them, and the file would hold "?" instead.
    QString lost;
    textfile::toFileBytes(request.composition.chatText, &lost);
    if (!deletion && !lost.isEmpty())
        return unencodableChatTextMessage(lost);
    return {};
}

BindOutcome runBind(WizardWorkingSet& ws, const BindRequest& request,
                    const QStringList& actionCommands,
                    const std::function<void(const std::function<void()>&)>& onDocumentsPage) {
    BindOutcome outcome;
    outcome.message = refusalFor(ws, request);
    if (!outcome.message.isEmpty()) {
        outcome.status = BindOutcome::Status::Refused;
        return outcome;
    }
    auto onPage = [&](const std::function<void()>& work) {
        if (onDocumentsPage)
            onDocumentsPage(work);
        else
            work();
    };
    // What a failed save puts back: nothing of a BIND that did not reach the disk stays.
    const QString mem1Before = ws.mem1.content();
    const QString mem2Before = ws.mem2.content();
    const bool waitAliasBefore = ws.waitAliasPresent;
    const bool unbindallBefore = ws.unbindallPresent;
    onPage([&] { bindlaska(ws, request); });

    auto keep = [&](const WizardSaveResult& saved) {
        outcome.saves.push_back(saved);
        if (saved.ok())
            return true;
        outcome.status = BindOutcome::Status::SaveFailed;
        outcome.message = saved.message();
        return false;
    };
    // The aliases go first: a config that binds a key to an alias the game never learnt would
    // leave the key dead, so when the autoexec file cannot be written the config is not either.
    auto restore = [&](bool autoexecWritten) {
        ws.mem1.setText(mem1Before);
        ws.mem2.setText(mem2Before);
        ws.waitAliasPresent = waitAliasBefore;
        ws.unbindallPresent = unbindallBefore;
        outcome.message += u"\n\nСценарий клавиши не записан, конфиг остался прежним."_s;
        // The autoexec file already holds the new aliases: it gets its old text back.
        if (autoexecWritten && !saveAutoexecFile(ws, VersionSource::Bind).ok())
            outcome.message +=
                u" Файл \"%1\" не удалось вернуть к прежнему виду."_s.arg(ws.autoexecPath);
    };
    if (ws.autoexecMode && !keep(saveAutoexecFile(ws, VersionSource::Bind))) {
        restore(false);
        return outcome;
    }
    if (!keep(saveChosenFile(ws, VersionSource::Bind))) {
        restore(ws.autoexecMode);
        return outcome;
    }

    if (request.mode == BindMode::NewKey)
        updateKeyLists(ws, request, actionCommands);
    else
        onPage([&] { updateKeyLists(ws, request, actionCommands); });
    return outcome;
}

} // namespace script
