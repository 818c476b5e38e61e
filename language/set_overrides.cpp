// What the files run after this one undo of it.
#include "language/set_overrides.h"

#include "language/config_run.h"
#include "language/config_set.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using configrun::Kind;

namespace {

constexpr qsizetype kMaxCheckedChars = 1024 * 1024;

QString undoneBy(const configrun::Result& run, const configrun::Final& f) {
    const QString where = run.placeText(f.place);
    switch (f.kind) {
    case Kind::Variable:
        return u"Перекрыто: %1 задаёт «%2 %3» после этого файла"_s.arg(where, f.name, f.value);
    case Kind::Key:
        return f.cleared
                   ? u"Перекрыто: %1 снимает клавишу %2 после этого файла"_s.arg(where, f.name)
                   : u"Перекрыто: %1 назначает клавише %2 «%3» после этого файла"_s.arg(
                         where, f.name, f.value);
    case Kind::Alias:
        return u"Перекрыто: %1 задаёт алиас «%2» заново после этого файла"_s.arg(where, f.name);
    case Kind::UserInfo:
        return u"Перекрыто: %1 задаёт «setinfo %2 %3» после этого файла"_s.arg(where, f.name,
                                                                                 f.value);
    }
    return {};
}

} // namespace

void setOverrides(const ParsedConfig& config, const QString& gameDir, const CheckedFile& file,
                  const Vocabulary& words, FindingList& findings) {
    if (file.name.isEmpty() || !configset::gameDirKnown(gameDir) ||
        config.text.size() > kMaxCheckedChars)
        return;
    configrun::Options options;
    options.gameDir = gameDir;
    options.watch = configrun::standInName(gameDir, file.name, true);
    if (options.watch.isEmpty())
        return;
    options.standIns.insert(options.watch, {config.text.toString(), file.bytes, {}});
    const configrun::Result run = configrun::run(options, words);
    if (run.watched < 0)
        return;
    QList<std::pair<int, QString>> undone;
    for (const configrun::Final& f : run.finals) {
        if (f.place.file == run.watched)
            continue;
        const configrun::Place* before = run.placeBeforeWatched(f.kind, f.name);
        if (before && *before == f.place)
            continue; // set before this file ran, and left alone by it
        for (const configrun::Place& p : f.overridden)
            if (p.file == run.watched)
                undone.append({p.line, undoneBy(run, f)});
    }
    std::stable_sort(undone.begin(), undone.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, message] : std::as_const(undone))
        findings.addWritten(line, ConfigFinding::Kind::Hint, ConfigReport::Form::OverriddenInSet,
                            message);
}
