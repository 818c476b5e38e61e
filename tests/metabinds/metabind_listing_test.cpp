// Listing the MetaBind files of the program directory.
#include "metabinds/metabind_listing.h"
#include "platform/cp1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace metabind;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray metaBind(const QByteArray& name) {
    return "bind \"<<1>>\" \"+jump\"\r\n[MetaBind]\r\nname=" + name + "\r\nbut=1\r\nlabel=\r\n";
}

} // namespace

TEST(MetaBindListing, NamedFilesInNameOrder) {
    QTemporaryDir root;
    const QString program = root.path() + u"/"_s;
    // The folder in other capitals, as the library set-up window may have made it.
    const QString folder = program + u"DLLS/MetaBinds/"_s;
    QDir().mkpath(folder);
    writeFile(folder + u"b.MTB"_s, metaBind(cp1251::encode(u"Второй"_s)));
    writeFile(folder + u"A.mtb"_s, metaBind("First"));
    writeFile(folder + u"c.mtb"_s, metaBind("error"));
    writeFile(folder + u"d.mtb"_s, metaBind(""));
    writeFile(folder + u"e.mtb"_s, metaBind("Binary") + QByteArray("\0", 1));
    writeFile(folder + u"f.txt"_s, metaBind("Not a MetaBind"));
    QDir().mkpath(folder + u"g.mtb"_s);

    const Listing listing = listMetaBinds(ProgramHome::portable(program));
    EXPECT_EQ(listing.names, (QStringList{u"First"_s, u"Второй"_s}));
    ASSERT_EQ(listing.paths.count(), 2);
    EXPECT_EQ(listing.paths.at(0), folder + u"A.mtb"_s);
    EXPECT_EQ(listing.paths.at(1), folder + u"b.MTB"_s);
    EXPECT_EQ(listing.paths.at(2), QString());
    EXPECT_EQ(listMetaBinds(ProgramHome::portable(root.path() + u"/none/"_s)).names, QStringList());
}

TEST(MetaBindListing, NothingPastTheTable) {
    MetaBindPaths table;
    for (int i = 0; i < MetaBindPaths::kCapacity; ++i)
        ASSERT_TRUE(table.append(u"p"_s));
    EXPECT_FALSE(table.append(u"one more"_s));
    EXPECT_EQ(table.count(), 10000);

    QTemporaryDir root;
    const QString folder = root.path() + u"/dlls/metabinds/"_s;
    QDir().mkpath(folder);
    for (int i = 0; i < 5; ++i)
        writeFile(folder + u"m%1.mtb"_s.arg(i), metaBind(QByteArray::number(i)));
    const Listing listing = listMetaBinds(ProgramHome::portable(root.path() + u"/"_s), 3);
    EXPECT_EQ(listing.paths.count(), 3);
    EXPECT_EQ(listing.names, (QStringList{u"0"_s, u"1"_s, u"2"_s}));
}
