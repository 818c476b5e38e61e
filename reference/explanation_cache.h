// The explanation files, parsed once and kept: a click in the value list looks an entry up in a
// hash instead of reading and parsing the file again. A file is read again when it changes on
// disk, and everything is dropped when a library is installed or removed.
#pragma once

#include "platform/ini_profile.h"
#include "platform/program_home.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <optional>

class ExplanationCache {
public:
    // The value of `key` in section `section` of the program's file `relative`
    // ("dlls\ans1.pro"), found without regard to letter case; nullopt when the file, the
    // section or the key is missing.
    std::optional<QString> value(const ProgramHome& home, const QString& relative,
                                 const QString& section, const QString& key);

    // Forgets every file (a library was installed or removed).
    void clear() { m_files.clear(); }

    // How often a file was read and parsed; for tests.
    int loads() const { return m_loads; }

private:
    // What tells a file's versions apart: its modification time and size (a missing file has
    // neither).
    struct Stamp {
        bool exists = false;
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);

    struct File {
        QString path; // as resolved on disk
        Stamp stamp;
        IniProfile::Index index;
    };

    QHash<QString, File> m_files; // by relative name
    int m_loads = 0;
};
