// The main editor's one document: its file name and flags, the text a new document starts
// with, and the commands New, New MetaBind, Open, Save, Save As, Print and the close query.
// The editor itself stays behind the DocumentView interface, so the commands are plain logic.
#pragma once

#include "platform/text_file.h"
#include "platform/text_form.h"
#include "shell/disk_stamp.h"
#include "shell/document_view.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

class UserDialogs;

class ConfigDocument {
public:
    ConfigDocument(DocumentView& view, UserDialogs& dialogs);

    static QString untitled();
    static QString defaultText();
    static QString metaBindTemplate();
    static QString openFilter();
    static QString saveFilter();
    // The extension the save dialog adds for its file type (1-based entry).
    static QString extensionForFilter(int filterIndex);
    // The file name with its last extension replaced; the name unchanged for an empty extension.
    static QString withExtension(const QString& fileName, const QString& extension);

    const QString& fileName() const { return m_fileName; }
    bool isUntitled() const { return m_fileName == untitled(); }

    // The encoding and line breaks the next save writes: those the file had when it was read,
    // Windows-1251 with CR LF for a new document.
    const textfile::TextForm& textForm() const { return m_form; }
    // Changes them for the next save (the document counts as modified). Choosing Windows-1251
    // names, in a warning, the characters of the text it cannot hold.
    void chooseEncoding(textfile::Encoding encoding, bool bom);
    void chooseLineBreak(textfile::LineBreak lineBreak);

    // Sets up the text: a pending MetaBind template, else the command-line file (once), else the
    // default text.
    void initialise(const QStringList& arguments = {});

    void newDocument();
    void newMetaBind();
    void open();
    // Opens `path` as open() does once the file is chosen (asking about unsaved changes first);
    // false when it was not opened.
    bool openPath(const QString& path);
    // True when the text was written.
    bool save();
    bool saveAs();
    void print();
    // True when the program may close.
    bool closeQuery();

    // The file may have been changed by another program: with no unsaved change the editor
    // takes the new text at once (true); with one, the next save asks what to do.
    bool takeChangesFromDisk();
    // The question a save asks when the file changed on disk since it was read.
    static QString changedOnDiskQuestion();
    // What the status bar says when a file opened cannot be written.
    static QString readOnlyNotice();

private:
    enum class SaveAnswer { Saved, NotSaved, Cancelled };
    SaveAnswer askToSave();
    bool saveAsTitled(const QString& title);
    // Writes the text; on failure shows the error and returns false. With `saveAsChosen`, the
    // error offers "Сохранить как…" and says whether the player took it.
    bool writeTo(const QString& path, bool* saveAsChosen = nullptr);
    bool loadFrom(const QString& path, bool caretAtEnd);
    enum class Placing { CaretAtStart, CaretAtEnd, KeepCaretLine };
    // Shows a file's text as read, unmodified, and notes the file as it is on disk.
    // The editor's read of a file, and what the file system said of the file just before it.
    struct EditorRead {
        DiskStamp::Identity before;
        textfile::ReadResult result;
    };
    static EditorRead readForEditor(const QString& path);
    void takeFileText(const QString& path, const EditorRead& read, Placing placing);
    // Takes the file's text again, keeping the caret's line.
    bool reload();
    void setFileName(const QString& name);
    void setTextForm(const textfile::TextForm& form);
    // The characters the text cannot hold in `form`.
    QString unencodableIn(const textfile::TextForm& form) const;

    DocumentView& m_view;
    UserDialogs& m_dialogs;
    QString m_fileName = untitled();
    textfile::TextForm m_form;
    bool m_newMetaBindRequest = false;
    bool m_commandLineLoaded = false;
    QStringList m_arguments;
    // The save dialog's remembered file type and the extension it adds.
    int m_saveFilterIndex = 1;
    QString m_defaultExtension;
    // The file as the editor last read or wrote it.
    DiskStamp m_disk;
};
