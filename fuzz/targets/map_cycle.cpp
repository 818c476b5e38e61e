// The map cycle file: any file reads, and writing what was read in the form it was found in (as
// the map cycle window does) then reading it again gives the same maps.
// Seeds: demo/Half-Life/cstrike/mapcycle.txt
#include "mapcycle/map_cycle_file.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzz::writeFile(QStringLiteral("mapcycle.txt"), fuzz::bytesOf(data, size));
    const mapcycle::MapCycleRead read = mapcycle::readMapCycle(path);
    if (!read.ok())
        return 0; // binary: refused with a message
    const QString copy = fuzz::scratchDir() + QStringLiteral("/copy.txt");
    const textfile::WriteResult w =
        mapcycle::writeMapCycle(VersionStore(), copy, read.maps, read.file.form);
    fuzz::check(w.ok, "write", w.reason);
    const mapcycle::MapCycleRead again = mapcycle::readMapCycle(copy);
    fuzz::check(again.ok() && again.maps == read.maps, "maps survive a write and a read",
                read.maps.join(u'|') + QStringLiteral(" / ") + again.maps.join(u'|'));
    return 0;
}
