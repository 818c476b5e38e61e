// The installed value libraries (".dlz" in "dlls\dlz\") and MetaBinds (".mtb" in
// "dlls\metabinds\"): the two sorted lists of the library set-up window and the disk operations
// behind its buttons. The lists are the program's master copy: the library listing only adds
// to them, and an entry goes only when its file was deleted. Installed, the listings show the
// shipped files and the user's; installing writes and removing deletes in the user layer
// only, so the shipped files are never written.
#pragma once

#include "platform/program_home.h"

#include <QString>
#include <QStringList>

// Which kind the open dialog's file type makes of a chosen file (its 1-based filter index).
enum class LibraryKind { Library = 1, MetaBind = 2 };

// The filter of the "Добавить" dialog, in the order of LibraryKind.
QString libraryFileFilter();

// What "Добавить" makes of a chosen file: a ".mtb" file is a MetaBind and a ".dlz" file a
// library whatever file type the dialog showed (a name typed into it does not follow the type);
// another file is of the dialog's type and is installed with that kind's extension added, so
// the listings and the windows that read the folders find it.
LibraryKind installedKind(const QString& fileName, LibraryKind filterKind);
QString installedFileName(const QString& fileName, LibraryKind kind);

// A library's name: its file name without the last four characters (".dlz"); further dots stay.
QString libraryNameOf(const QString& fileName);

// Inserts `item` where a sorted list box puts it: by name without regard to case, then by case.
void insertSorted(QStringList& list, const QString& item);

struct LibraryChange {
    bool ok = true;
    QString error; // for the error box when !ok
};

class LibrarySet {
public:
    explicit LibrarySet(ProgramHome home = {}) : m_home(std::move(home)) {}

    const QStringList& libraries() const { return m_libraries; }
    const QStringList& metaBinds() const { return m_metaBinds; }

    // The library listing: every "*.dlz" file of "dlls\dlz\" not listed yet is added. Returns
    // the names added, in the order the files were found.
    QStringList listLibraries();
    // Every "*.mtb" file of "dlls\metabinds\" not listed yet is added.
    void listMetaBinds();

    // "Добавить": copies the chosen file (with a library, first the ".pro" file of the same
    // base name beside it, when there is one) into the program's tree, replacing a file of the
    // same name, and lists it unless it is listed already. Its kind and name as below. Nothing
    // is listed when a copy failed.
    LibraryChange install(const QString& chosenPath, LibraryKind filterKind);

    // "Удалить": deletes the library's ".dlz" (its ".pro" stays) or the MetaBind file and
    // removes the entry. A file that is gone already counts as deleted; a file that cannot be
    // deleted stays listed, and so does a shipped file of the same name that the deleted one
    // covered. A shipped file alone is not deleted: that is an error.
    LibraryChange removeLibrary(const QString& name);
    LibraryChange removeMetaBind(const QString& fileName);

private:
    LibraryChange remove(const QString& relative);

    ProgramHome m_home;
    QStringList m_libraries;
    QStringList m_metaBinds;
};
