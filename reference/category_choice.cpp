// Reference window clicks.
#include "reference/category_choice.h"

#include "state/shared_state.h"

using namespace Qt::Literals::StringLiterals;

void CategoryChoice::applyTo(ReferenceState& reference) const {
    if (lastRefPage)
        reference.lastRefPage = *lastRefPage;
    if (weaponPictures)
        reference.weaponPictures = *weaponPictures;
    reference.listFilePath = listFilePath;
}

CategoryChoice chooseCategory(const ProgramHome& home, ReferencePage page, qsizetype index) {
    CategoryChoice choice;
    const auto categories = categoryEntries(page);
    if (index < 0 || index >= qsizetype(categories.size()))
        return choice;
    const CategoryEntry& category = categories[size_t(index)];
    const QString name = category.caption.toString();
    if (page == ReferencePage::Cmd) {
        choice.lastRefPage = kLastRefPageCmd;
        choice.weaponPictures = category.weaponPictures;
        choice.statusText = u"Выбрано: (CMD) "_s + name;
        choice.caption = u"Выбор: (CMD) "_s + name;
        choice.listFilePath = home.find(u"dlls\\"_s + category.file.toString());
    } else {
        choice.lastRefPage = kLastRefPageCvar;
        choice.cvarListHint = category.hint.toString();
        choice.statusText = u"Выбрано: (CVAR) "_s + name;
        choice.caption = u"Выбор: (CVAR) "_s + name;
        choice.listFilePath = home.find(u"dlls\\cvardll\\"_s + category.file.toString());
    }
    return choice;
}

CategoryChoice chooseLibrary(const ProgramHome& home, const QString& library) {
    CategoryChoice choice;
    choice.statusText = u"Выбрано: (DLZ) "_s + library;
    choice.caption = u"Выбор: (DLZ) "_s + library;
    choice.listFilePath = libraryListPath(home, library);
    return choice;
}

QString libraryListPath(const ProgramHome& home, const QString& library) {
    return home.find(u"dlls\\dlz\\"_s + library + u".dlz"_s);
}
