// A file's form: whatever the bytes, reading them in the form found and writing the text back in
// that form gives the same bytes, unless the line breaks were mixed; then it gives the same text.
// Seeds: demo/Half-Life/cstrike/*.cfg data/dlls/metabinds/*.mtb
#include "platform/text_form.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const textfile::TextForm form = textfile::detectForm(bytes);
    const QString text = textfile::decodeText(bytes, form);
    fuzz::check(!text.contains(u'\r'), "no CR in the text");
    QString lost;
    const QByteArray written = textfile::encodeText(text, form, &lost);
    fuzz::check(lost.isEmpty(), "a text read in a form can be written in it");
    if (!form.hadMixed)
        fuzz::check(written == bytes, "one kind of line break: the same bytes");
    fuzz::check(textfile::decodeText(written, form) == text, "the same text either way");
    const textfile::TextForm again = textfile::detectForm(written);
    fuzz::check(again.encoding == form.encoding && again.bom == form.bom,
                "the encoding is found again");
    return 0;
}
