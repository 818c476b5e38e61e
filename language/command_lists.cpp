// The command and variable list files.
#include "language/command_lists.h"

namespace {

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

} // namespace

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
