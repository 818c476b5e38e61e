// The system's reasons in Russian, the size limit in the refusal, and Qt's own texts in Russian.
#include "platform/qt_translations.h"
#include "platform/system_reasons.h"
#include "platform/text_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(SystemReasons, CommonReasonsAreRussianOthersStayAsGiven) {
    const std::pair<QString, QString> cases[] = {
        {u"Permission denied"_s, u"Нет прав доступа"_s},
        {u"Operation not permitted"_s, u"Нет прав доступа"_s},
        {u"Existing file /tmp/a/config.cfg is not writable"_s, u"Нет прав на запись"_s},
        {u"No space left on device"_s, u"На диске нет свободного места"_s},
        {u"Disk quota exceeded"_s, u"Превышена дисковая квота"_s},
        {u"Read-only file system"_s, u"Файловая система доступна только для чтения"_s},
        {u"No such file or directory"_s, u"Нет такого файла или папки"_s},
        {u"Is a directory"_s, u"Это папка, а не файл"_s},
        {u"File too large"_s, u"Файл слишком большой"_s},
        {u"Input/output error"_s, u"Input/output error"_s},
        {QString(), QString()},
    };
    for (const auto& [system, russian] : cases)
        EXPECT_EQ(russianSystemReason(system), russian) << system.toStdString();
}

TEST(SystemReasons, RealFailuresComeInRussian) {
    QTemporaryDir dir;
    const auto w = textfile::writeText(dir.filePath(u"no/such/folder/x.cfg"_s), u"x"_s);
    ASSERT_FALSE(w.ok);
    EXPECT_EQ(w.reason, u"Нет такого файла или папки"_s);

    // The editor's refusal of a large file says where the limit is.
    const QString big = dir.filePath(u"big.cfg"_s);
    QFile f(big);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(textfile::kMaxEditableBytes + 1));
    f.close();
    const auto r = textfile::readEditableText(big);
    EXPECT_EQ(r.error, textfile::ReadError::TooLarge);
    EXPECT_EQ(r.reason, u"Файл слишком большой (больше 16 МБ)"_s);
    EXPECT_EQ(tooLargeReason(1000), u"Файл слишком большой (больше 1000 байт)"_s);
}

TEST(QtTranslation, TheStandardDialogsSpeakRussian) {
    QTranslator* russian = installRussianQtTranslation(*QCoreApplication::instance());
    ASSERT_NE(russian, nullptr) << "qt6-translations-l10n is not installed";
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), u"&Имя файла:"_s);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Отмена"_s);
    QCoreApplication::removeTranslator(russian);
    delete russian;
}
