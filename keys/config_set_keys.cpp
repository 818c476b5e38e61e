// The rest of the config set, for the keyboard map.
#include "keys/config_set_keys.h"

#include "language/config_set.h"

using configrun::Kind;

ConfigSetKeys configSetKeys(const configrun::Result& run) {
    ConfigSetKeys set;
    const int document = run.watched;
    for (const configrun::Final& f : run.finals) {
        if (document >= 0 && f.place.file == document)
            continue; // the document's own lines say it
        const configrun::Place* before =
            document >= 0 ? run.placeBeforeWatched(f.kind, f.name) : nullptr;
        const bool setBefore = before && *before == f.place;
        if (f.kind == Kind::Alias) {
            set.aliases.insert(f.name, {f.value, run.fileOf(f.place), document >= 0 && !setBefore});
        } else if (f.kind == Kind::Key && document >= 0) {
            set.binds.insert(f.name, {f.value, f.cleared, run.placeText(f.place), setBefore});
        }
    }
    return set;
}

configrun::Result runForDocument(const QString& gameDir, const QString& documentPath,
                                 const QString& documentText, const Vocabulary& words) {
    configrun::Options options;
    options.gameDir = gameDir;
    if (!documentPath.isEmpty() && configset::gameDirKnown(gameDir)) {
        options.watch = configrun::standInName(gameDir, documentPath, true);
        if (!options.watch.isEmpty())
            options.standIns.insert(options.watch, {documentText, console::Bytes::Single, {}});
    }
    return configrun::run(options, words);
}
