// The editor's document, opened from the command line and from the Open dialog and saved again:
// any file is either refused with a message or shown and written back byte for byte (a file
// with mixed line breaks gets the majority's everywhere).
// Seeds: demo/Half-Life/cstrike/*.cfg data/dlls/metabinds/*.mtb
#include "platform/text_file.h"
#include "platform/user_dialogs.h"
#include "shell/config_document.h"
#include "support.h"

namespace {

class MemoryView final : public DocumentView {
public:
    QString documentText() const override { return text; }
    void setDocumentText(const QString& t, bool) override { text = t; }
    bool isDocumentModified() const override { return modified; }
    void setDocumentModified(bool m) override { modified = m; }
    void showFileName(const QString&) override {}
    void showStatus(const QString&) override {}
    QString idleStatus() const override { return QString(); }
    QFont documentFont() const override { return QFont(); }
    QString printTitle() const override { return QString(); }
    QString text;
    bool modified = false;
};

// Answers Yes, chooses `file` in the Open dialog and counts the error boxes.
class AnsweringDialogs final : public UserDialogs {
public:
    void warning(const QString&) override {}
    void error(const QString&) override { ++errors; }
    void information(const QString&) override {}
    Answer confirmYesNo(const QString&) override { return Answer::Yes; }
    Answer confirmYesNoCancel(const QString&) override { return Answer::Yes; }
    void message(const QString&) override {}
    FileDialogResult openFile(const FileDialogOptions&) override { return {true, file, 1}; }
    FileDialogResult saveFile(const FileDialogOptions&) override { return {false, {}, 1}; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
    bool printText(const QString&, const QFont&, const QString&) override { return false; }
    QString file;
    int errors = 0;
};

bool editable(const QByteArray& bytes) {
    return !bytes.contains('\0') && bytes.size() <= textfile::kMaxEditableBytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::writeFile(QStringLiteral("doc.cfg"), bytes);
    const textfile::TextForm form = textfile::detectForm(bytes);
    const QByteArray expected =
        form.hadMixed ? textfile::encodeText(textfile::decodeText(bytes, form), form) : bytes;

    MemoryView view;
    AnsweringDialogs dialogs;
    ConfigDocument doc(view, dialogs);
    doc.initialise({path});
    fuzz::check(editable(bytes) == (doc.fileName() == path), "the command line opens text");
    fuzz::check(dialogs.errors == (editable(bytes) ? 0 : 1), "a refused file is reported");
    if (!editable(bytes)) {
        fuzz::check(view.text == ConfigDocument::defaultText(), "refused: the default text");
        dialogs.file = path;
        doc.open();
        fuzz::check(dialogs.errors == 2 && doc.isUntitled(), "Open refuses it too");
        return 0;
    }
    fuzz::check(!view.modified, "opened unmodified");
    view.modified = true; // as if typed: Save writes
    fuzz::check(doc.save(), "save");
    fuzz::check(textfile::readBytes(path).bytes == expected,
                "save changes nothing but mixed breaks");

    // The Open dialog reads it back to the same text.
    const QString before = view.text;
    dialogs.file = path;
    doc.open();
    fuzz::check(view.text == before && !view.modified, "Open shows what was saved");
    return 0;
}
