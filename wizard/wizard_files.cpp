// Loading and saving the wizard's documents.
#include "wizard/wizard_files.h"

#include "language/config_set.h"
#include "platform/program_paths.h"
#include "platform/text_file.h"
#include "state/shared_state.h"
#include "wizard/wizard_working_set.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

QString unreadableDocumentLine() {
    return u"Файл не может быть отображен!"_s;
}

QString loadDocuments(WizardWorkingSet& ws, const QString& folder, const QString& fileName) {
    ws.chosenPath = folder + u'/' + fileName;
    // The game's own config.cfg, named exactly as at start-up (another spelling is another file
    // as far as the wizard knows).
    ws.autoexecMode = ws.chosenPath == ws.shared.games.startupGameDir + u"/config.cfg"_s;
    if (ws.autoexecMode) {
        ws.autoexecPath = ws.shared.games.startupGameDir + u"/autoexec.cfg"_s;
        if (QFileInfo::exists(ws.autoexecPath)) {
            const textfile::ReadResult autoexec = textfile::readEditableText(ws.autoexecPath);
            ws.autoexecReadable = autoexec.ok();
            ws.autoexecForm = autoexec.form;
            ws.mem2.setText(autoexec.ok() ? autoexec.text : QString());
        } else {
            // Created at once, so the key pages have a file to write their aliases into.
            ws.autoexecReadable = writeKeepingVersions(ws.shared.versions(), ws.autoexecPath,
                                                       QByteArray(), VersionSource::Wizard)
                                      .ok;
            ws.autoexecForm = {};
        }
    } else {
        ws.autoexecPath.clear();
        ws.autoexecReadable = false;
        ws.mem2.clear();
    }
    const textfile::ReadResult chosen = textfile::readEditableText(ws.chosenPath);
    ws.chosenForm = chosen.form;
    if (chosen.ok())
        ws.chosenFileRead(chosen.text);
    else
        ws.chosenFileUnreadable(unreadableDocumentLine());
    ws.foundPosition = -1;
    return chosen.ok() ? QString() : textfile::notOpenedMessage(ws.chosenPath, chosen);
}

QStringList wizardFileList(const QString& folder) {
    QStringList files = paths::listFiles(folder, u"*.cfg"_s);
    files.removeIf([](const QString& name) {
        return name.compare(launchCopyName(), Qt::CaseInsensitive) == 0;
    });
    return files;
}

WizardSaveResult WizardSaveResult::refusedUnreadable(const QString& path) {
    WizardSaveResult refused;
    refused.status = Status::RefusedUnreadable;
    refused.path = path;
    return refused;
}

QString WizardSaveResult::message() const {
    switch (status) {
    case Status::Saved:
        return QString();
    case Status::RefusedUnreadable:
        return u"Файл не удалось прочитать, поэтому мастер не будет его перезаписывать:\n"_s + path;
    case Status::WriteFailed:
        return u"Не удалось сохранить файл:\n"_s + textfile::describeFailure(path, reason);
    }
    return QString();
}

QString WizardSaveResult::savedNote() const {
    if (!ok())
        return QString();
    return u"Сохранено: "_s + QFileInfo(path).fileName();
}

QString unencodableWarning(const QString& characters) {
    if (characters.isEmpty())
        return QString();
    QStringList shown;
    for (const QChar c : characters)
        shown.append(QString(c));
    return u"Эти символы нельзя записать в кодировке Windows-1251, они будут сохранены как \"?\": "_s +
           shown.join(u' ');
}

namespace {

WizardSaveResult save(WizardWorkingSet& ws, const QString& path, const WizardDocument& document,
                      const textfile::TextForm& form, VersionSource source) {
    WizardSaveResult result;
    result.path = path;
    const QByteArray bytes = textfile::encodeText(document.content(), form, &result.unencodable);
    // The bytes replaced are kept in the versions store first; when they cannot be, nothing is
    // written.
    const textfile::WriteResult written =
        writeKeepingVersions(ws.shared.versions(), path, bytes, source);
    if (!written.ok) {
        result.status = WizardSaveResult::Status::WriteFailed;
        result.reason = written.reason;
    }
    return result;
}

} // namespace

WizardSaveResult saveChosenFile(WizardWorkingSet& ws, VersionSource source) {
    if (!ws.chosenReadable() || ws.chosenPath.isEmpty())
        return WizardSaveResult::refusedUnreadable(ws.chosenPath);
    return save(ws, ws.chosenPath, ws.mem1, ws.chosenForm, source);
}

WizardSaveResult saveAutoexecFile(WizardWorkingSet& ws, VersionSource source) {
    if (!ws.autoexecMode || !ws.autoexecReadable || ws.autoexecPath.isEmpty())
        return WizardSaveResult::refusedUnreadable(ws.autoexecPath);
    return save(ws, ws.autoexecPath, ws.mem2, ws.autoexecForm, source);
}
