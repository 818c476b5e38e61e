// The program's settings file "Cfgneed.INI" beside the executable: the two access operations
// (read a text or an integer setting, with "error" and -1 for absent) and the values the main
// window reads at creation and first show and writes at close.
#pragma once

#include "platform/ini_profile.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class Settings {
public:
    static constexpr int kAbsent = -1;
    static QString absentText() { return QStringLiteral("error"); }

    // A read-only settings file is read but never written: the program was told at start that
    // its settings folder cannot be made, and each write succeeds without touching the disk.
    explicit Settings(QString iniPath, bool readOnly = false)
        : m_path(std::move(iniPath)), m_readOnly(readOnly) {}

    // Each access opens the file afresh, unless a copy is held (below).
    QString readText(const QString& section, const QString& key) const;
    // -1 when the key is absent or not a decimal integer.
    int readInt(const QString& section, const QString& key) const;
    textfile::WriteResult writeText(const QString& section, const QString& key,
                                    const QString& value) const;
    textfile::WriteResult writeInt(const QString& section, const QString& key, int value) const;

    const QString& path() const { return m_path; }
    bool readOnly() const { return m_readOnly; }

    // From holdCopy() to releaseCopy() the reads answer from one reading of the file instead of
    // opening it for each value: the start reads some twenty values in a row. A write drops
    // the copy, so no read ever answers from an outdated one.
    void holdCopy();
    void releaseCopy() { m_copy.reset(); }

    static QString fileName() { return QStringLiteral("Cfgneed.INI"); }
    // The one form the program writes its settings in: UTF-8 with a byte-order mark, CR LF. The
    // mark makes every file it wrote read back as UTF-8, so a game folder's name comes back as
    // it was saved; a file without one (older, or made by hand) is read by its bytes.
    static textfile::TextForm fileForm();

private:
    std::optional<QString> read(const QString& section, const QString& key) const;

    QString m_path;
    bool m_readOnly = false;
    mutable std::optional<IniProfile> m_copy;
};

// -1 when `text` is not a decimal integer.
int parseSettingInt(const QString& text);

// Colours are stored as 0x00BBGGRR.
QColor colorFromSetting(int value);
int colorToSetting(const QColor& color);

// 1 bold, 2 italic, 3 bold italic, 0 any other combination (none, or with underline/strike-out).
int fontStyleCode(const QFont& font);
void applyFontStyleCode(QFont& font, int code);

// Window coordinates no screen goes beyond; positions and sizes read from the file are kept
// within it, so a damaged file cannot overflow a rectangle's arithmetic.
constexpr int kMaxScreenCoordinate = 32767;
// A window's place from the file's left, top, width and height, each clamped to what a screen
// can hold (sizes are never negative).
QRect windowRectFromSettings(int left, int top, int width, int height);
QPoint windowPosFromSettings(int left, int top);

// The tool windows' remembered geometry: value list left, top, width, height; reference window
// left, top, width, height; explanation pop-up left, top. Without settings they stand beside
// the main window's default place, none over another: the value list, the reference window to
// its right, the pop-up under the value list.
struct ToolGeometry {
    QRect valueList{575, 10, 150, 385};
    QRect reference{740, 10, 135, 315};
    QPoint popup{575, 435};
    bool operator==(const ToolGeometry&) const = default;
};

// What the main window reads at its creation.
struct CreationSettings {
    QColor background;
    QRect mainGeometry; // left, top, width, height
    int gameDirChosen = 0;
};
CreationSettings readCreationSettings(const Settings& settings);

// What the main window reads when it is first shown (the game directory is read separately).
struct FirstShowSettings {
    QString fontFace; // empty when absent: the caller keeps its default face
    int fontSize = 10;
    QColor fontColor;
    int styleCode = 0;
    ToolGeometry tools;
};
FirstShowSettings readFirstShowSettings(const Settings& settings);

// Everything written at close, in the order it is written.
struct CloseSettings {
    QColor background;
    QString fontFace;
    int fontSize = 10;
    QColor fontColor;
    int styleCode = 0;
    QRect mainGeometry;
    ToolGeometry tools;
    int gameDirChosen = 0;
    QString gameDir;
};
// Writes all values in one pass over the file (lines it does not change are kept).
textfile::WriteResult writeCloseSettings(const Settings& settings, const CloseSettings& values);
