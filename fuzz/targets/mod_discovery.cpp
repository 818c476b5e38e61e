// Mod discovery over a Half-Life folder built from the input: the mods, their maps, drivers,
// titles and icons. The file part of the input is every mod's "liblist.gam"; the choices lay out
// the folder tree.
// Seeds: demo/Half-Life/*/liblist.gam
#include "launcher/mod_discovery.h"
#include "launcher/liblist_reader.h"
#include "launcher/mod_picture.h"
#include "support.h"

#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace {

// Names the readers look for, in several letter cases, and a few that they must pass over.
const char* const kFolders[] = {"cstrike", "valve", "tfc", "CStrike", ".hidden", "my mod", "x"};
const char* const kFiles[] = {"settings.scr", "liblist.gam", "LibList.GAM",    "maps/de_a.bsp",
                              "maps/B.BSP",   "maps/.bsp",   "maps/c.bsp.txt", "gldrv/a.dll",
                              "gldrv/B.DLL",  "icon.ico",    "maps",           "settings.scr/x"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::FileAndChoices input = fuzz::splitInput(data, size);
    FuzzedDataProvider in(reinterpret_cast<const uint8_t*>(input.choices.constData()),
                          size_t(input.choices.size()));
    fuzz::clearScratch();
    const QString hl = fuzz::scratchDir() + QStringLiteral("/Half-Life");
    // Without choices: one mod with its liblist, so a plain seed file is read.
    const int entries = in.remaining_bytes() ? in.ConsumeIntegralInRange(0, 12) : 0;
    fuzz::writeFile(QStringLiteral("Half-Life/cstrike/settings.scr"), QByteArray());
    fuzz::writeFile(QStringLiteral("Half-Life/cstrike/liblist.gam"), input.file);
    for (int i = 0; i < entries && in.remaining_bytes(); ++i) {
        const QString folder = in.ConsumeBool()
                                   ? QString::fromLatin1(in.PickValueInArray(kFolders))
                                   : fuzz::takeText(in, 8).remove(u'/').remove(QChar());
        const QString file = in.ConsumeBool() ? QString::fromLatin1(in.PickValueInArray(kFiles))
                                              : fuzz::takeText(in, 8).remove(u'/').remove(QChar());
        if (folder.isEmpty() || folder == u".."_s || folder == u"."_s || file.isEmpty() ||
            file.startsWith(u".."_s))
            continue;
        const bool copy = file.endsWith(u".gam"_s, Qt::CaseInsensitive) || file.endsWith(u".ico"_s);
        fuzz::tryWriteFile(u"Half-Life/"_s + folder + u'/' + file, copy ? input.file : "x");
    }

    const QStringList found = discoverMods(hl);
    const QStringList choices = modChoices(hl);
    fuzz::check(!choices.isEmpty() && choices.first() == defaultMod(), "cstrike comes first");
    fuzz::check(choices.size() == QSet<QString>(choices.begin(), choices.end()).size(),
                "no mod twice", choices.join(u'|'));
    for (const QString& mod : found) {
        fuzz::check(mod == mod.toLower() && !mod.startsWith(u'.'), "plain lower-case names", mod);
        const QString folder = modFolder(hl, mod);
        const ModInfo info = readModInfo(folder);
        fuzz::check(!info.title.contains(u'"') && !info.version.contains(u'"'),
                    "values end at a quotation mark");
        QStringList maps;
        addMaps(maps, mapNames(folder + QStringLiteral("/maps")));
        for (const QString& m : maps)
            fuzz::check(!m.endsWith(u".bsp"_s, Qt::CaseInsensitive), "names lose .bsp", m);
        (void)loadPicture(modIconFile(hl, mod));
    }
    const QStringList drivers = driverChoices(hl);
    fuzz::check(!drivers.isEmpty() && drivers.first() == defaultDriver(), "Default comes first");
    return 0;
}
