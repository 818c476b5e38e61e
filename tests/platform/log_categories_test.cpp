// The logging categories: quiet in a normal run, and once turned on a failure names its file and
// its cause.
#include "platform/log_categories.h"
#include "platform/text_file.h"
#include "platform/version_store.h"

#include <QDir>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Logged {
    QString category;
    QtMsgType type;
    QString text;
};
std::vector<Logged>* g_logged = nullptr;

// Collects what the categories send while it lives, and sets the rules back at the end.
class LogCapture {
public:
    LogCapture() {
        g_logged = &logged;
        m_previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                g_logged->push_back({QString::fromUtf8(context.category), type, text});
            });
    }
    ~LogCapture() {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
        g_logged = nullptr;
    }
    std::vector<Logged> logged;

private:
    QtMessageHandler m_previous = nullptr;
};

} // namespace

TEST(LogCategories, EachIsNamedForItsConcernAndQuietByDefault) {
    const std::pair<const QLoggingCategory&, const char*> categories[] = {
        {lcFiles(), "tessera.files"},         {lcVersions(), "tessera.versions"},
        {lcWizard(), "tessera.wizard"},       {lcLauncher(), "tessera.launcher"},
        {lcConfigRun(), "tessera.configrun"}, {lcMessages(), "tessera.messages"},
    };
    for (const auto& [category, name] : categories) {
        EXPECT_STREQ(category.categoryName(), name);
        EXPECT_FALSE(category.isDebugEnabled()) << name;
        EXPECT_FALSE(category.isInfoEnabled()) << name;
        EXPECT_FALSE(category.isWarningEnabled()) << name;
    }
}

TEST(LogCategories, AFailedWriteIsLoggedWithItsFileAndCauseOnceTurnedOn) {
    QTemporaryDir dir;
    const QString path = dir.path() + u"/no such folder/config.cfg"_s;
    LogCapture capture;
    EXPECT_FALSE(textfile::writeBytes(path, "bind x y").ok);
    EXPECT_TRUE(capture.logged.empty()); // a normal run prints nothing

    QLoggingCategory::setFilterRules(u"tessera.files.warning=true"_s);
    const textfile::WriteResult w = textfile::writeBytes(path, "bind x y");
    EXPECT_FALSE(w.ok);
    ASSERT_EQ(capture.logged.size(), 1u);
    EXPECT_EQ(capture.logged[0].category, u"tessera.files"_s);
    EXPECT_EQ(capture.logged[0].type, QtWarningMsg);
    EXPECT_TRUE(capture.logged[0].text.contains(path)) << capture.logged[0].text.toStdString();

    // Turned on whole, the category also tells what went well.
    QLoggingCategory::setFilterRules(u"tessera.*=true"_s);
    capture.logged.clear();
    const QString written = dir.path() + u"/config.cfg"_s;
    ASSERT_TRUE(textfile::writeBytes(written, "bind x y").ok);
    ASSERT_FALSE(capture.logged.empty());
    EXPECT_EQ(capture.logged.back().type, QtDebugMsg);
    EXPECT_TRUE(capture.logged.back().text.contains(written));
}

TEST(LogCategories, AWriteTheVersionsStoreCannotKeepIsLoggedThere) {
    QTemporaryDir dir;
    const QString config = dir.path() + u"/config.cfg"_s;
    ASSERT_TRUE(textfile::writeBytes(config, "bind x y").ok);
    // The store's folder cannot be made: a file stands where it would go.
    ASSERT_TRUE(textfile::writeBytes(dir.path() + u"/history"_s, "not a folder").ok);
    const VersionStore store(dir.path() + u"/history"_s);
    LogCapture capture;
    QLoggingCategory::setFilterRules(u"tessera.versions.warning=true"_s);
    EXPECT_FALSE(writeKeepingVersions(store, config, "bind x z", VersionSource::Save).ok);
    ASSERT_FALSE(capture.logged.empty());
    EXPECT_EQ(capture.logged[0].category, u"tessera.versions"_s);
    EXPECT_TRUE(capture.logged[0].text.contains(config)) << capture.logged[0].text.toStdString();
    EXPECT_EQ(textfile::readBytes(config).bytes, "bind x y");
}
