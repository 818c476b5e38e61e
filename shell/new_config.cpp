// The new-config dialog's logic.
#include "shell/new_config.h"

#include "platform/text_file.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

NewConfigResult createEmptyConfig(const QString& folder, const QString& name) {
    if (name.isEmpty())
        return {NewConfigResult::EmptyName, QString(), QString()};
    const QString path = folder + u"/"_s + name + u".cfg"_s;
    if (QFileInfo::exists(path))
        return {NewConfigResult::Exists, path, QString()};
    // A name with a folder separator would create the file somewhere else.
    if (name.contains(u'/') || name.contains(u'\\'))
        return {NewConfigResult::Failed, path, u"Имя не может содержать \"/\" или \"\\\""_s};
    const textfile::WriteResult w = textfile::writeBytes(path, QByteArray());
    if (!w.ok)
        return {NewConfigResult::Failed, path, w.reason};
    return {NewConfigResult::Created, path, QString()};
}
