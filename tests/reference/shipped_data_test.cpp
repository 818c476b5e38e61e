// The reference tree shipped with the program: every category file and value library reads as
// a line list, and every entry has an explanation where the reference windows look for one.
#include "language/line_list.h"
#include "platform/ini_profile.h"
#include "platform/program_paths.h"
#include "reference/reference_tables.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString shippedProgramDir() {
    return QStringLiteral(TESSERA_SOURCE_DIR) + u"/data/"_s;
}

bool explained(const IniProfile& file, const QString& entry) {
    const auto value = file.value(entry, u"q"_s);
    return value && !value->isEmpty() && *value != u"????"_s;
}

QStringList readEntries(const QString& path) {
    const LineListRead read = readLineList(path);
    EXPECT_TRUE(read.ok()) << path.toStdString() << ": " << read.reason.toStdString();
    EXPECT_FALSE(read.entries.isEmpty()) << path.toStdString();
    return read.entries;
}

} // namespace

TEST(ShippedData, EveryEntryHasAnExplanation) {
    const QString programDir = shippedProgramDir();
    if (!QFileInfo(programDir + u"dlls"_s).isDir())
        GTEST_SKIP() << "no data/dlls in the source tree yet";

    IniProfile general(paths::resolve(programDir, u"dlls\\ans1.pro"_s));
    general.load();
    IniProfile second(paths::resolve(programDir, u"dlls\\ans2.pro"_s));
    second.load();

    const struct {
        ReferencePage page;
        QString folder;
    } pages[] = {{ReferencePage::Cmd, u"DLLS\\"_s}, {ReferencePage::Cvar, u"DLLS\\CVARDLL\\"_s}};
    for (const auto& page : pages) {
        for (const CategoryEntry& category : categoryEntries(page.page)) {
            const QString path = paths::resolve(programDir, page.folder + category.file.toString());
            for (const QString& entry : readEntries(path)) {
                EXPECT_TRUE(explained(general, entry))
                    << category.file.toString().toStdString() << ": " << entry.toStdString();
                if (category.weaponPictures) {
                    const QString picture =
                        paths::resolve(programDir, u"dlls\\cvardll\\guns\\"_s + entry + u".jpg"_s);
                    EXPECT_TRUE(QFileInfo(picture).isFile()) << picture.toStdString();
                }
            }
        }
    }

    const QString libraryFolder = paths::resolve(programDir, u"dlls\\dlz"_s);
    const QStringList libraries = paths::listFiles(libraryFolder, u"*.dlz"_s);
    EXPECT_FALSE(libraries.isEmpty());
    for (const QString& file : libraries) {
        IniProfile own(paths::resolve(libraryFolder, file.chopped(4) + u".pro"_s));
        own.load();
        for (const QString& entry : readEntries(libraryFolder + u"/"_s + file))
            EXPECT_TRUE(explained(own, entry) || explained(second, entry) ||
                        explained(general, entry))
                << file.toStdString() << ": " << entry.toStdString();
    }
}
