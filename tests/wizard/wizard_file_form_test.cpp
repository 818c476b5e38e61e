// The wizard's rewrites of config.cfg and autoexec.cfg keep each file's encoding and line breaks.
#include "wizard/apply_settings.h"
#include "wizard/pivo.h"
#include "wizard/wizard_files.h"
#include "wizard_test_support.h"

#include "test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(WizardFiles, RewritesKeepEachFilesForm) {
    const QByteArray bom = "\xEF\xBB\xBF";
    const struct {
        const char* name;
        QByteArray config;
        QByteArray autoexec;
    } cases[] = {
        {"LF", "// mine\nunbindall\nbind \"w\" \"+forward\"\ncl_bob \"0.02\"\n",
         "alias \"ww\" \"wait\"\n"},
        {"UTF-8 with BOM", bom + u"// мой конфиг ✓\r\nunbindall\r\ncl_bob \"0.02\"\r\n"_s.toUtf8(),
         u"// автоэкзек ✓\nalias \"ww\" \"wait\"\n"_s.toUtf8()},
        {"Windows-1251", "// \xEC\xEE\xE9\r\nunbindall\r\ncl_bob \"0.02\"\r\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        SharedState shared;
        shared.games.startupGameDir = dir.path();
        WizardWorkingSet ws(shared);
        put(dir.filePath(u"config.cfg"_s), c.config);
        if (!c.autoexec.isEmpty())
            put(dir.filePath(u"autoexec.cfg"_s), c.autoexec);
        clearPageValuesForNewFile(ws.values);
        loadDocuments(ws, dir.path(), u"config.cfg"_s);
        pivoRead(ws, {});
        ws.values.bobbing = 0; // the player changes one setting
        ASSERT_TRUE(applyAndSave(ws).ok());
        ws.mem2.appendLine(u"alias \"Kaz-f\" \"x\""_s);
        ws.mem2.appendLine(u"alias \"Kaz-g\" \"y\""_s);
        ASSERT_TRUE(saveAutoexecFile(ws).ok());

        // Only the lines the wizard wrote changed, in the file's own line breaks.
        const QByteArray config = slurp(dir.filePath(u"config.cfg"_s));
        const QByteArray configBreak = c.config.contains("\r\n") ? "\r\n" : "\n";
        EXPECT_TRUE(config.startsWith(c.config.left(c.config.indexOf(configBreak))));
        EXPECT_TRUE(config.contains("cl_bob \"0\"" + configBreak));
        EXPECT_TRUE(config.contains("cl_bobcycle \"0.8\"")); // appended in the same form
        EXPECT_EQ(config.count("\r\n"), configBreak == "\n" ? 0 : config.count('\n'));
        // An autoexec.cfg the wizard had to create is a new file, with CR LF; one that was there
        // keeps its form.
        const QByteArray autoexec = slurp(dir.filePath(u"autoexec.cfg"_s));
        if (c.autoexec.isEmpty())
            EXPECT_EQ(autoexec, "alias \"Kaz-f\" \"x\"\r\nalias \"Kaz-g\" \"y\"");
        else
            EXPECT_EQ(autoexec, c.autoexec + "alias \"Kaz-f\" \"x\"\nalias \"Kaz-g\" \"y\"\n");
    }
}
