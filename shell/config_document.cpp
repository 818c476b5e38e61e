// Document commands of the main editor.
#include "shell/config_document.h"

#include "shell/document_encoding.h"

#include "platform/encoded_lines.h"
#include "platform/text_file.h"
#include "platform/user_dialogs.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

ConfigDocument::ConfigDocument(DocumentView& view, UserDialogs& dialogs)
    : m_view(view), m_dialogs(dialogs) {}

QString ConfigDocument::untitled() {
    return u"Без имени"_s;
}

QString ConfigDocument::changedOnDiskQuestion() {
    return u"Файл изменён другой программой."_s;
}

QString ConfigDocument::defaultText() {
    return u"//Unknown's configuration file\n\nunbindall\nclear\n\n"_s;
}

QString ConfigDocument::metaBindTemplate() {
    return u"\n\n[MetaBind]\nname=\nbut=\nlabel="_s;
}

QString ConfigDocument::openFilter() {
    return u"Конфиги (*.cfg)|*.cfg|Текстовые файлы (*.txt)|*.txt|MetaBind (*.mtb)|*.mtb|Все файлы (*.*)|*.*"_s;
}

QString ConfigDocument::saveFilter() {
    return u"Все файлы (*.*)|*.*|Конфиги (*.cfg)|*.cfg|Текстовые файлы (*.txt)|*.txt|MetaBind (*.mtb)|*.mtb"_s;
}

QString ConfigDocument::extensionForFilter(int filterIndex) {
    switch (filterIndex) {
    case 2:
        return u"cfg"_s;
    case 3:
        return u"txt"_s;
    case 4:
        return u"mtb"_s;
    default:
        return QString();
    }
}

QString ConfigDocument::withExtension(const QString& fileName, const QString& extension) {
    if (extension.isEmpty())
        return fileName;
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = dot > slash ? fileName.left(dot) : fileName;
    return stem + u'.' + extension;
}

void ConfigDocument::setFileName(const QString& name) {
    if (name == untitled())
        m_disk = DiskStamp();
    m_fileName = name;
    m_view.showFileName(name);
}

void ConfigDocument::setTextForm(const textfile::TextForm& form) {
    m_form = form;
    m_view.showTextForm(form);
}

QString ConfigDocument::unencodableIn(const textfile::TextForm& form) const {
    return encodeDocument(m_view, form, {}).unencodable;
}

void ConfigDocument::chooseEncoding(textfile::Encoding encoding, bool bom) {
    textfile::TextForm form = m_form;
    form.encoding = encoding;
    form.bom = encoding == textfile::Encoding::Utf8 && bom;
    if (form == m_form)
        return;
    if (encoding == textfile::Encoding::Windows1251) {
        const QString lost = unencodableIn(form);
        if (!lost.isEmpty())
            m_dialogs.warning(u"Эти символы нельзя записать в кодировке Windows-1251: "_s + lost +
                              u"\nПри сохранении они будут записаны как \"?\"."_s);
    }
    setTextForm(form);
    m_view.setDocumentModified(true);
}

void ConfigDocument::chooseLineBreak(textfile::LineBreak lineBreak) {
    if (lineBreak == m_form.lineBreak)
        return;
    textfile::TextForm form = m_form;
    form.lineBreak = lineBreak;
    setTextForm(form);
    m_view.setDocumentModified(true);
}

void ConfigDocument::initialise(const QStringList& arguments) {
    if (!arguments.isEmpty())
        m_arguments = arguments;
    if (m_newMetaBindRequest) {
        m_newMetaBindRequest = false;
        m_view.setDocumentText(metaBindTemplate(), false);
        setTextForm({});
        m_view.setDocumentModified(false);
        return;
    }
    // Whatever is there but a folder is tried, so a FIFO or a device is refused with a message
    // rather than passed over in silence.
    const QFileInfo argument(m_arguments.isEmpty() ? QString() : m_arguments.first());
    if (!m_commandLineLoaded && !m_arguments.isEmpty() && argument.exists() && !argument.isDir()) {
        m_commandLineLoaded = true;
        const QString name = m_arguments.first();
        const EditorRead read = readForEditor(name);
        if (read.result.ok()) {
            setFileName(name);
            takeFileText(name, read, Placing::CaretAtEnd);
            return;
        }
        m_dialogs.error(textfile::notOpenedMessage(name, read.result));
    }
    m_view.setDocumentText(defaultText(), true);
    setTextForm({});
    m_view.setDocumentModified(false);
}

ConfigDocument::SaveAnswer ConfigDocument::askToSave() {
    if (!m_view.isDocumentModified())
        return SaveAnswer::NotSaved;
    switch (m_dialogs.confirmYesNoCancel(u"Сохранить файл?"_s)) {
    case UserDialogs::Answer::Yes:
        return save() ? SaveAnswer::Saved : SaveAnswer::Cancelled;
    case UserDialogs::Answer::No:
        return SaveAnswer::NotSaved;
    default:
        return SaveAnswer::Cancelled;
    }
}

void ConfigDocument::newDocument() {
    const bool wasModified = m_view.isDocumentModified();
    const SaveAnswer answer = askToSave();
    // A "Yes" saves and ends the command: the saved text stays in the editor.
    if (answer == SaveAnswer::Cancelled || (wasModified && answer == SaveAnswer::Saved)) {
        m_newMetaBindRequest = false;
        return;
    }
    setFileName(untitled());
    initialise();
}

void ConfigDocument::newMetaBind() {
    m_newMetaBindRequest = true;
    newDocument();
    m_newMetaBindRequest = false;
}

void ConfigDocument::open() {
    // A failed or cancelled save stops the command, so unsaved text is never dropped.
    const bool proceed = askToSave() != SaveAnswer::Cancelled;
    m_view.showStatus(u"Открываем..."_s);
    if (!proceed) {
        m_view.showStatus(m_view.idleStatus());
        return;
    }
    UserDialogs::FileDialogOptions options;
    options.filter = openFilter();
    options.filterIndex = 1;
    if (!isUntitled())
        options.directory = QFileInfo(m_fileName).absolutePath();
    const UserDialogs::FileDialogResult chosen = m_dialogs.openFile(options);
    const bool opened = chosen.accepted && loadFrom(chosen.fileName, true);
    if (opened)
        setFileName(chosen.fileName);
    // The progress word goes once the command is over, however it ended; a file that cannot be
    // written says so now rather than at the first save.
    m_view.showStatus(opened && !QFileInfo(chosen.fileName).isWritable() ? readOnlyNotice()
                                                                         : m_view.idleStatus());
}

bool ConfigDocument::openPath(const QString& path) {
    if (askToSave() == SaveAnswer::Cancelled) {
        m_view.showStatus(m_view.idleStatus());
        return false;
    }
    const bool opened = loadFrom(path, true);
    if (opened)
        setFileName(path);
    m_view.showStatus(opened && !QFileInfo(path).isWritable() ? readOnlyNotice()
                                                             : m_view.idleStatus());
    return opened;
}

namespace {

// The characters a text document takes as the end of a paragraph: the editor shows each as a
// line break and a save writes a line break for it. A UTF-8 file may hold them.
QString paragraphBreaksIn(QStringView text) {
    QString found;
    for (const char16_t c : {u'\u2029', u'\uFDD0', u'\uFDD1'})
        if (text.contains(QChar(c)))
            found += (found.isEmpty() ? u"U+"_s : u", U+"_s) +
                     QString::number(unsigned(c), 16).toUpper();
    return found;
}

} // namespace

ConfigDocument::EditorRead ConfigDocument::readForEditor(const QString& path) {
    EditorRead read;
    read.before = DiskStamp::identityOf(path);
    read.result = textfile::readEditableText(path);
    return read;
}

void ConfigDocument::takeFileText(const QString& path, const EditorRead& read, Placing placing) {
    const textfile::ReadResult& r = read.result;
    if (placing == Placing::KeepCaretLine)
        m_view.reloadDocumentText(r.text);
    else
        m_view.setDocumentText(r.text, placing == Placing::CaretAtEnd);
    setTextForm(r.form);
    if (EncodedLines* lines = m_view.encodedLines())
        lines->keepRead(r.bytes, r.form);
    m_view.setDocumentModified(false);
    m_disk = DiskStamp::ofRead(read.before, r.bytes);
    // Windows-1251 has no byte for any of them: only a UTF-8 file is looked through.
    const QString breaks =
        r.form.encoding == textfile::Encoding::Utf8 ? paragraphBreaksIn(r.text) : QString();
    if (!breaks.isEmpty())
        m_dialogs.warning(u"В файле "_s + path + u" есть символы разрыва абзаца ("_s + breaks +
                          u"). Редактор показывает их как переводы строк, и при сохранении они "
                          u"будут записаны как переводы строк. Чтобы файл остался прежним, "
                          u"сохраните правку под другим именем."_s);
}

bool ConfigDocument::loadFrom(const QString& path, bool caretAtEnd) {
    const EditorRead read = readForEditor(path);
    if (!read.result.ok()) {
        m_dialogs.error(textfile::notOpenedMessage(path, read.result));
        return false;
    }
    takeFileText(path, read, caretAtEnd ? Placing::CaretAtEnd : Placing::CaretAtStart);
    return true;
}

bool ConfigDocument::reload() {
    const EditorRead read = readForEditor(m_fileName);
    if (!read.result.ok()) {
        m_dialogs.error(textfile::notOpenedMessage(m_fileName, read.result));
        return false;
    }
    takeFileText(m_fileName, read, Placing::KeepCaretLine);
    return true;
}

bool ConfigDocument::takeChangesFromDisk() {
    if (isUntitled() || m_view.isDocumentModified() || !m_disk.changedOnDisk(m_fileName))
        return false;
    // A file that cannot be read now (binary, too large) stays as the editor has it, and the
    // next save asks before writing over it.
    const EditorRead read = readForEditor(m_fileName);
    if (!read.result.ok())
        return false;
    takeFileText(m_fileName, read, Placing::KeepCaretLine);
    return true;
}

QString ConfigDocument::readOnlyNotice() {
    return u"Файл только для чтения: изменения можно сохранить через «Сохранить как…»"_s;
}

bool ConfigDocument::writeTo(const QString& path, bool* saveAsChosen) {
    // The text is encoded in chunks straight into the new file; the question about characters
    // the encoding cannot hold comes before the new file replaces the old one.
    textfile::AtomicWrite file(path);
    // What was written is remembered, to tell another program's change of the file later: the
    // bytes the editor keeps of its lines, or else a fingerprint made as they go out.
    EncodedLines* lines = m_view.encodedLines();
    ContentDigest digest;
    qint64 written = 0;
    const DocumentEncoding encoded = encodeDocument(m_view, m_form, [&](QByteArrayView bytes) {
        if (!lines)
            digest.addData(bytes);
        written += bytes.size();
        return file.append(bytes);
    });
    const QString& lost = encoded.unencodable;
    if (encoded.ok && !lost.isEmpty()) {
        const QString encoding =
            m_form.encoding == textfile::Encoding::Utf8 ? u"UTF-8"_s : u"Windows-1251"_s;
        const auto answer = m_dialogs.confirmYesNo(
            u"Эти символы нельзя записать в кодировке "_s + encoding + u": "_s + lost +
            u"\nОни будут записаны как \"?\". Сохранить файл?"_s);
        if (answer != UserDialogs::Answer::Yes) {
            file.cancel();
            return false;
        }
    }
    const textfile::WriteResult w = file.commit();
    if (!w.ok) {
        const QString failure =
            u"Файл не сохранён:\n"_s + textfile::describeFailure(path, w.reason);
        if (saveAsChosen)
            *saveAsChosen =
                m_dialogs.chooseOfThree(failure + u"\n\nСохранить текст в другой файл?"_s,
                                        u"Сохранить как…"_s, QString(),
                                        u"Отмена"_s) == UserDialogs::Answer::Yes;
        else
            m_dialogs.error(failure);
        return false;
    }
    if (!lines)
        m_disk = DiskStamp::ofWrite(path, written, digest.result());
    else if (EncodedLines::Bytes kept = lines->keptBytes())
        m_disk = DiskStamp::ofWrite(path, written, std::move(kept));
    else // characters were written as "?": the bytes are not kept
        m_disk = DiskStamp::ofFile(path);
    // The file now has one kind of line break.
    if (m_form.hadMixed) {
        textfile::TextForm kept = m_form;
        kept.hadMixed = false;
        setTextForm(kept);
    }
    return true;
}

bool ConfigDocument::save() {
    if (isUntitled())
        return saveAsTitled(u"Сохранить"_s);
    if (m_disk.changedOnDisk(m_fileName)) {
        switch (m_dialogs.chooseOfThree(changedOnDiskQuestion(), u"Загрузить заново"_s,
                                        u"Сохранить поверх"_s, u"Отмена"_s)) {
        case UserDialogs::Answer::Yes:
            reload();
            return false;
        case UserDialogs::Answer::No:
            break;
        default:
            return false;
        }
    }
    // A file that cannot be written (read-only, its folder gone) is offered Save As.
    bool saveAsChosen = false;
    if (!writeTo(m_fileName, &saveAsChosen))
        return saveAsChosen && saveAs();
    m_view.setDocumentModified(false);
    m_view.showStatus(u"Сохранено..."_s);
    return true;
}

bool ConfigDocument::saveAs() {
    return saveAsTitled(u"Сохранить как"_s);
}

bool ConfigDocument::saveAsTitled(const QString& title) {
    m_view.showStatus(u"Сохраняем..."_s);
    UserDialogs::FileDialogOptions options;
    options.title = title;
    options.filter = saveFilter();
    options.filterIndex = m_saveFilterIndex;
    if (!isUntitled())
        options.directory = QFileInfo(m_fileName).absolutePath();
    const UserDialogs::FileDialogResult chosen = m_dialogs.saveFile(options);
    // The file type last chosen sets the extension, also when the dialog was cancelled; the
    // next dialog opens on that type, so what it shows is what it will do.
    m_defaultExtension = extensionForFilter(chosen.filterIndex);
    m_saveFilterIndex = chosen.filterIndex;
    bool written = false;
    if (chosen.accepted) {
        const QString target = withExtension(chosen.fileName, m_defaultExtension);
        bool write = true;
        if (QFileInfo::exists(target))
            write = m_dialogs.confirmYesNo(target + u"\nЗаменить данный файл?"_s) ==
                    UserDialogs::Answer::Yes;
        if (write && writeTo(target)) {
            written = true;
            setFileName(target);
            m_view.setDocumentModified(false);
        }
        m_saveFilterIndex = 1;
        m_defaultExtension.clear();
    }
    m_view.showStatus(m_view.idleStatus());
    return written;
}

void ConfigDocument::print() {
    m_dialogs.printText(m_view.documentText(), m_view.documentFont(), m_view.printTitle());
}

bool ConfigDocument::closeQuery() {
    if (!m_view.isDocumentModified())
        return true;
    // An untitled text is saved through Save As; cancelled or failed, the program goes on.
    switch (m_dialogs.confirmYesNoCancel(u"Сохранить файл?"_s)) {
    case UserDialogs::Answer::Yes:
        return save();
    case UserDialogs::Answer::No:
        return true;
    default:
        return false;
    }
}
