// Explanation files (".pro"): any file and any entry name give a value of bounded length or
// the "????" marker, in the library's file, the second-choice file and the general one.
// Seeds: data/dlls/*.pro data/dlls/dlz/*.pro
#include "reference/explanations.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::FileAndChoices input = fuzz::splitInput(data, size);
    FuzzedDataProvider in(reinterpret_cast<const uint8_t*>(input.choices.constData()),
                          size_t(input.choices.size()));
    const bool libraryPage = in.ConsumeBool();
    const QString entry = in.remaining_bytes() ? fuzz::takeText(in, 24) : QStringLiteral("bind");
    const QByteArray& file = input.file;
    const QString programDir = fuzz::scratchDir() + u'/';
    const QString path = fuzz::writeFile(QStringLiteral("dlls/dlz/lib.pro"), file);
    fuzz::writeFile(QStringLiteral("dlls/ans2.pro"), file.left(file.size() / 2));
    fuzz::writeFile(QStringLiteral("dlls/ans1.pro"), file.mid(file.size() / 2));

    const QString value = readExplanationValue(path, entry);
    fuzz::check(value.size() <= kMaxExplanationLength, "an explanation is bounded", value);
    const QString shown =
        ReadIni2(ProgramHome::portable(programDir), QStringLiteral("lib"), entry, libraryPage);
    fuzz::check(shown.startsWith(u' '), "ExplanationText starts with a blank", shown);
    fuzz::check(shown.size() <= kMaxExplanationLength + 1, "ExplanationText is bounded");
    return 0;
}
