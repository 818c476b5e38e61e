// MetaBind files: any file reads to a header and a script, and filling the placeholders agrees
// with the definition (replace the first placeholder from the top until none is left).
// Seeds: data/dlls/metabinds/*.mtb
#include "metabinds/metabind_format.h"
#include "support.h"

namespace {
QString naiveFill(QString text, int slot, const QString& key) {
    const QString p = metabind::placeholder(slot);
    for (qsizetype at; (at = text.indexOf(p)) >= 0;)
        text.replace(at, p.size(), key);
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::FileAndChoices input = fuzz::splitInput(data, size);
    const metabind::MetaBindFile m =
        metabind::readMetaBind(fuzz::writeFile(QStringLiteral("m.mtb"), input.file));
    if (!m.ok())
        return 0;
    fuzz::check(m.header.slotCount >= 0 && m.header.slotCount <= metabind::kMaxSlots,
                "the slot count fits a byte");
    fuzz::check(m.file.text.startsWith(m.script), "the script is the text before the header");

    FuzzedDataProvider in(reinterpret_cast<const uint8_t*>(input.choices.constData()),
                          size_t(input.choices.size()));
    // The definition is quadratic: keep the script short enough to check every run.
    QString fast = m.script.left(2000);
    QString naive = fast;
    for (int slot = 1; slot <= 3 && in.remaining_bytes(); ++slot) {
        const QString key = fuzz::takeText(in, 6).remove(u'>');
        fast = metabind::fillSlot(fast, slot, key);
        naive = naiveFill(naive, slot, key);
        fuzz::check(fast == naive, "filling agrees with the definition", key);
    }
    return 0;
}
