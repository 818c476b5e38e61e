// The wizard's documents on disk: loading the chosen config (and, for the game's own
// config.cfg, its autoexec.cfg) and saving them back through the one write routine, which keeps
// the bytes each save replaces in the versions store.
#pragma once

#include "platform/version_store.h"

#include <QString>
#include <QStringList>

struct WizardWorkingSet;

// What the preview shows for a file whose text cannot be read.
QString unreadableDocumentLine();

// Loads the documents for `fileName` chosen in `folder`: sets chosenPath, chosenReadable,
// autoexecMode (the chosen path equals the start-up game directory + "/config.cfg" exactly),
// autoexecPath and mem2 (creating an empty autoexec.cfg when it is missing), and mem1.
// Returns why the chosen file cannot be tuned ("Файл не открыт:", the path and the reason), or
// an empty text when it was read.
QString loadDocuments(WizardWorkingSet& ws, const QString& folder, const QString& fileName);

// The configs page 1 lists in `folder`, as Windows lists them, without the launcher's temporary
// copy of the edited config.
QStringList wizardFileList(const QString& folder);

struct WizardSaveResult {
    enum class Status {
        Saved,
        RefusedUnreadable, // the document holds the message line, not the file's text
        WriteFailed,       // the file (or its version) could not be written; the old file stays
    };
    Status status = Status::Saved;
    QString path;        // the file written (or refused)
    QString reason;      // the system's reason for a failure
    QString unencodable; // characters the file's encoding cannot hold, written as "?"
    bool ok() const { return status == Status::Saved; }
    // No write at all: the document does not hold the text of the file at `path`.
    static WizardSaveResult refusedUnreadable(const QString& path);
    // The Russian message for an error box (empty when saved).
    QString message() const;
    // The wizard's own line after a save: "Сохранено: config.cfg" (empty when the save failed).
    QString savedNote() const;
};

// Saves mem1 over the chosen file; the version replaced is kept as `source`'s.
WizardSaveResult saveChosenFile(WizardWorkingSet& ws, VersionSource source = VersionSource::Wizard);
// Saves mem2 over the autoexec file (autoexec mode only; refused when it could not be read).
WizardSaveResult saveAutoexecFile(WizardWorkingSet& ws,
                                  VersionSource source = VersionSource::Wizard);
// Message for characters that the save will write as "?" (empty when none).
QString unencodableWarning(const QString& characters);
