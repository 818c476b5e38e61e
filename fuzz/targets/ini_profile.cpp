// The INI profile and the settings readers over any file: reading never fails, a written value
// reads back, every line the write does not touch is kept, and window places from the settings
// stay within what a screen can hold.
// Seeds: fuzz/seeds/ini/*
#include "platform/ini_profile.h"
#include "shell/settings.h"
#include "support.h"

namespace {
bool plainName(const QString& s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!c.isLetterOrNumber())
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::FileAndChoices input = fuzz::splitInput(data, size);
    FuzzedDataProvider in(reinterpret_cast<const uint8_t*>(input.choices.constData()),
                          size_t(input.choices.size()));
    const QString section = in.remaining_bytes() ? fuzz::takeText(in, 12) : QStringLiteral("Game");
    const QString key = in.remaining_bytes() ? fuzz::takeText(in, 12) : QStringLiteral("Catalog");
    const QString value = fuzz::takeText(in, 40);
    const QString path = fuzz::writeFile(QStringLiteral("Cfgneed.INI"), input.file);

    const Settings settings(path);
    const CreationSettings created = readCreationSettings(settings);
    const FirstShowSettings shown = readFirstShowSettings(settings);
    for (const QRect& r : {created.mainGeometry, shown.tools.valueList, shown.tools.reference})
        fuzz::check(qAbs(r.left()) <= kMaxScreenCoordinate && r.width() >= 0 &&
                        r.width() <= kMaxScreenCoordinate,
                    "window places stay on a screen's scale");

    IniProfile ini(path);
    ini.load();
    const QStringList before = ini.lines();
    (void)ini.value(section, key);
    const bool stored = ini.setValue(section, key, value);
    fuzz::check(stored == (IniProfile::canStore(section) && IniProfile::canStore(key) &&
                           IniProfile::canStore(value)),
                "only line breaks are refused");
    if (!stored) {
        fuzz::check(ini.lines() == before, "a refused value changes nothing");
        return 0;
    }
    fuzz::check(ini.lines().size() - before.size() <= 2, "one key adds at most two lines");
    const textfile::WriteResult saved = ini.save();
    fuzz::check(saved.ok, "save", saved.reason);

    // The value reads back when the names and the value are plain enough to be read as written
    // (no brackets or "=" in the names, nothing that trimming or quote removal would change).
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (plainName(section) && plainName(key) && value == value.trimmed() && !quoted) {
        IniProfile again(path);
        again.load();
        const auto read = again.value(section, key);
        fuzz::check(read && *read == value, "a written value reads back",
                    section + u'/' + key + u'=' + value);
    }
    return 0;
}
