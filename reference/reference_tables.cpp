// The reference window's tables.
#include "reference/reference_tables.h"

namespace {

constexpr ReferencePageEntry kPages[] = {
    {u"TabSheet1", u"CMD", u"ListBox1"},
    {u"TabSheet2", u"CVAR", u"ListBox2"},
    {u"TabSheet3", u"DLZ", u"ListBox3"},
};

constexpr CategoryEntry kCmdCategories[] = {
    {u"Standart", u"Stcmd.dll", u""},       {u"(-,+)", u"Pmcmd.dll", u""},
    {u"Record", u"Reccmd.dll", u""},        {u"Other", u"Otcmd.dll", u""},
    {u"Weapons", u"Pushki.dll", u"", true},
};

constexpr CategoryEntry kCvarCategories[] = {
    {u"Standart", u"Stcvr.dll", u""},
    {u"Other", u"Otcvr.dll", u""},
    {u"Spectator", u"Speccvr.dll", u""},
    {u"Voice", u"Vccvr.dll", u"Значения для голосового общения"},
    {u"sv_...", u"Sv_cvr.dll", u""},
    {u"cl_...", u"Cl_cvr.dll", u""},
    {u"mp_...", u"Mp_cvr.dll", u""},
    {u"gl_...", u"Gl_cvr.dll", u""},
    {u"s_...", u"S_cvr.dll", u""},
    {u"r_...", u"R_cvr.dll", u""},
    {u"sk_(HalfLife)", u"Sk_cvr_hlife.dll", u"В sk_(HalfLife) значения для HalfLife"},
    {u"Joystick", u"Joycvr.dll", u""},
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

std::span<const CategoryEntry> categoryEntries(ReferencePage page) {
    switch (page) {
    case ReferencePage::Cmd:
        return kCmdCategories;
    case ReferencePage::Cvar:
        return kCvarCategories;
    case ReferencePage::Dlz:
        break;
    }
    return {};
}

std::span<const InsertButtonEntry> insertButtonEntries() {
    return kInsertButtons;
}
