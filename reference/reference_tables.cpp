// The reference window's tables.
#include "reference/reference_tables.h"

namespace {

constexpr ReferencePageEntry kPages[] = {
    {u"TabSheet1", u"CMD", u"ListBox1"},
    {u"TabSheet2", u"CVAR", u"ListBox2"},
    {u"TabSheet3", u"DLZ", u"ListBox3"},
};

constexpr InsertButtonEntry kInsertButtons[] = {
    {u"SBut10", u"SetInfo", u"SetInfo - выберите из списка", 0},
    {u"SBut7", u"Bind", u"Bind - выберите клавишу для присвоения", 1},
    {u"SBut8", u"Alias", u"Alias - наберите имя команды", 2},
};

} // namespace

std::span<const ReferencePageEntry> referencePageEntries() {
    return kPages;
}

std::span<const InsertButtonEntry> insertButtonEntries() {
    return kInsertButtons;
}
