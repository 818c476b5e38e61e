// The cleanup and its replace-all step agree with the definition they speed up: replace the
// first occurrence from the top, again and again, until there is none.
// Seeds: demo/Half-Life/cstrike/*.cfg
#include "shell/cleanup.h"
#include "platform/cp1251.h"
#include "support.h"

namespace {
QString naivePass(QString text, QStringView pattern, QStringView replacement) {
    for (qsizetype at; (at = text.indexOf(pattern)) >= 0;)
        text.replace(at, pattern.size(), replacement.toString());
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::FileAndChoices input = fuzz::splitInput(data, size);
    // The definition is quadratic: keep the text short enough to check every run.
    const QString text = cp1251::decode(input.file.left(4096));
    QString naive = text;
    for (const ReplacePass& pass : cleanupPasses())
        naive = naivePass(std::move(naive), pass.pattern, pass.replacement);
    fuzz::check(cleanupText(text) == naive, "cleanup agrees with the definition", text);

    // Any pattern and any shorter replacement, empty ones included.
    FuzzedDataProvider in(reinterpret_cast<const uint8_t*>(input.choices.constData()),
                          size_t(input.choices.size()));
    const QString pattern = fuzz::takeText(in, 6);
    const QString replacement = fuzz::takeText(in, 6);
    const QStringView r = replacement.isEmpty() ? QStringView() : QStringView(replacement);
    const QString fast = replaceToFixedPoint(text, pattern, r);
    if (!pattern.isEmpty() && replacement.size() < pattern.size())
        fuzz::check(fast == naivePass(text, pattern, replacement),
                    "the replace step agrees with the definition", pattern + u'|' + replacement);
    return 0;
}
