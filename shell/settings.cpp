// Reading and writing "Cfgneed.INI".
#include "shell/settings.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

int parseSettingInt(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : Settings::kAbsent;
}

textfile::TextForm Settings::fileForm() {
    textfile::TextForm form;
    form.encoding = textfile::Encoding::Utf8;
    form.bom = true;
    form.lineBreak = textfile::LineBreak::CrLf;
    return form;
}

void Settings::holdCopy() {
    m_copy.emplace(m_path);
    m_copy->load();
}

std::optional<QString> Settings::read(const QString& section, const QString& key) const {
    return m_copy ? m_copy->value(section, key) : IniProfile::read(m_path, section, key);
}

QString Settings::readText(const QString& section, const QString& key) const {
    const auto v = read(section, key);
    return v ? *v : absentText();
}

int Settings::readInt(const QString& section, const QString& key) const {
    const auto v = read(section, key);
    return v ? parseSettingInt(*v) : kAbsent;
}

textfile::WriteResult Settings::writeText(const QString& section, const QString& key,
                                          const QString& value) const {
    m_copy.reset();
    if (m_readOnly)
        return {};
    return IniProfile::write(m_path, section, key, value, fileForm());
}

textfile::WriteResult Settings::writeInt(const QString& section, const QString& key,
                                         int value) const {
    return writeText(section, key, QString::number(value));
}

QColor colorFromSetting(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int colorToSetting(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

int fontStyleCode(const QFont& font) {
    if (font.underline() || font.strikeOut())
        return 0;
    const bool bold = font.bold();
    const bool italic = font.italic();
    if (bold && italic)
        return 3;
    if (bold)
        return 1;
    if (italic)
        return 2;
    return 0;
}

void applyFontStyleCode(QFont& font, int code) {
    // Any other code leaves the style as it is.
    if (code == 1 || code == 3)
        font.setBold(true);
    if (code == 2 || code == 3)
        font.setItalic(true);
}

QPoint windowPosFromSettings(int left, int top) {
    return QPoint(std::clamp(left, -kMaxScreenCoordinate, kMaxScreenCoordinate),
                  std::clamp(top, -kMaxScreenCoordinate, kMaxScreenCoordinate));
}

QRect windowRectFromSettings(int left, int top, int width, int height) {
    return QRect(windowPosFromSettings(left, top),
                 QSize(std::clamp(width, 0, kMaxScreenCoordinate),
                       std::clamp(height, 0, kMaxScreenCoordinate)));
}

namespace {
int orDefault(int value, int fallback) {
    return value == Settings::kAbsent ? fallback : value;
}
} // namespace

CreationSettings readCreationSettings(const Settings& s) {
    CreationSettings c;
    c.background = colorFromSetting(orDefault(s.readInt(u"Color"_s, u"PrEdit"_s), 15247360));
    const int height = orDefault(s.readInt(u"MainForm"_s, u"Height"_s), 450);
    const int width = orDefault(s.readInt(u"MainForm"_s, u"Width"_s), 560);
    const int left = orDefault(s.readInt(u"MainForm"_s, u"Left"_s), 10);
    const int top = orDefault(s.readInt(u"MainForm"_s, u"Top"_s), 10);
    c.mainGeometry = windowRectFromSettings(left, top, width, height);
    c.gameDirChosen = s.readInt(u"Game"_s, u"dadir"_s) == 1 ? 1 : 0;
    return c;
}

FirstShowSettings readFirstShowSettings(const Settings& s) {
    FirstShowSettings f;
    const QString face = s.readText(u"Font"_s, u"NamePr"_s);
    if (face != Settings::absentText())
        f.fontFace = face;
    f.fontSize = orDefault(s.readInt(u"Font"_s, u"SizePr"_s), 10);
    f.fontColor = colorFromSetting(orDefault(s.readInt(u"Font"_s, u"ColorPr"_s), 0));
    f.styleCode = orDefault(s.readInt(u"Font"_s, u"StylePr"_s), 0);
    const QString forms = u"Forms"_s;
    auto get = [&](const char16_t* key, int fallback) {
        return orDefault(s.readInt(forms, QString::fromUtf16(key)), fallback);
    };
    const ToolGeometry fallback;
    const QRect& list = fallback.valueList;
    const QRect& reference = fallback.reference;
    f.tools.valueList =
        windowRectFromSettings(get(u"pani1L", list.left()), get(u"pani1T", list.top()),
                               get(u"pani1W", list.width()), get(u"pani1H", list.height()));
    f.tools.reference =
        windowRectFromSettings(get(u"ccdL", reference.left()), get(u"ccdT", reference.top()),
                               get(u"ccdW", reference.width()), get(u"ccdH", reference.height()));
    f.tools.popup =
        windowPosFromSettings(get(u"f6L", fallback.popup.x()), get(u"f6T", fallback.popup.y()));
    return f;
}

textfile::WriteResult writeCloseSettings(const Settings& settings, const CloseSettings& v) {
    if (settings.readOnly())
        return {};
    IniProfile ini(settings.path());
    ini.load();
    ini.writeInForm(Settings::fileForm());
    // A value the file cannot hold keeps its old line; the others are written all the same.
    QStringList refused;
    auto setText = [&](const QString& section, const QString& key, const QString& value) {
        if (!ini.setValue(section, key, value))
            refused.append(key);
    };
    auto setInt = [&](const QString& section, const QString& key, int value) {
        setText(section, key, QString::number(value));
    };
    setInt(u"Color"_s, u"PrEdit"_s, colorToSetting(v.background));
    setText(u"Font"_s, u"NamePr"_s, v.fontFace);
    setInt(u"Font"_s, u"SizePr"_s, v.fontSize);
    setInt(u"Font"_s, u"ColorPr"_s, colorToSetting(v.fontColor));
    setInt(u"Font"_s, u"StylePr"_s, v.styleCode);
    setInt(u"MainForm"_s, u"Left"_s, v.mainGeometry.left());
    setInt(u"MainForm"_s, u"Top"_s, v.mainGeometry.top());
    setInt(u"MainForm"_s, u"Width"_s, v.mainGeometry.width());
    setInt(u"MainForm"_s, u"Height"_s, v.mainGeometry.height());
    const QString forms = u"Forms"_s;
    setInt(forms, u"pani1H"_s, v.tools.valueList.height());
    setInt(forms, u"pani1W"_s, v.tools.valueList.width());
    setInt(forms, u"pani1L"_s, v.tools.valueList.left());
    setInt(forms, u"pani1T"_s, v.tools.valueList.top());
    setInt(forms, u"ccdH"_s, v.tools.reference.height());
    setInt(forms, u"ccdW"_s, v.tools.reference.width());
    setInt(forms, u"ccdL"_s, v.tools.reference.left());
    setInt(forms, u"ccdT"_s, v.tools.reference.top());
    setInt(forms, u"f6L"_s, v.tools.popup.x());
    setInt(forms, u"f6T"_s, v.tools.popup.y());
    setInt(u"Game"_s, u"dadir"_s, v.gameDirChosen);
    if (v.gameDirChosen == 1)
        setText(u"Game"_s, u"Catalog"_s, v.gameDir);
    textfile::WriteResult saved = ini.save();
    if (saved.ok && !refused.isEmpty())
        saved = {false, refused.join(u", "_s) + u": "_s + IniProfile::refusedReason()};
    return saved;
}
