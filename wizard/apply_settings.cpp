// Applying the settings pages to the working document.
#include "wizard/apply_settings.h"

#include "wizard/setting_rules.h"
#include "wizard/wizard_working_set.h"

using namespace Qt::Literals::StringLiterals;

namespace {

template <SettingId id> void writeById(WizardWorkingSet& ws) {
    writeSetting(ws, wizardSetting(id));
}

std::vector<ApplyRow> buildRows() {
    using S = SettingId;
    return {
        {1, u"name"_s, writeById<S::Name>},
        {2, u"cl_righthand"_s, writeById<S::RightHand>},
        {3, u"_ah"_s, writeById<S::AutoHelp>},
        {4, u"_vgui_menus"_s, writeById<S::VguiMenus>},
        {5, u"dm"_s, writeById<S::MapDescription>},
        {6, u"con_color"_s, writeConsoleColour},
        {7, u"r_drawviewmodel"_s, writeById<S::DrawViewModel>},
        {8, u"hud_centerid"_s, writeById<S::CenterId>},
        {9, u"drawradar / hideradar"_s, writeRadar},
        {10, u"gl_spriteblend"_s, writeById<S::SpriteBlend>},
        {11, u"fastsprites"_s, writeById<S::FastSprites>},
        {12, u"max_smokepuffs"_s, writeById<S::MaxSmokePuffs>},
        {13, u"max_shells"_s, writeById<S::MaxShells>},
        {14, u"r_decals"_s, writeById<S::Decals>},
        {15, u"net_graph, net_graphpos"_s, writeNetGraph},
        {16, u"gl_monolights"_s, writeById<S::MonoLights>},
        {17, u"cl_observercrosshair"_s, writeById<S::ObserverCrosshair>},
        {18, u"ghosts"_s, writeById<S::Ghosts>},
        {19, u"adjust_crosshair"_s, writeCrosshairChange},
        {20, u"cl_bob, cl_bobup, cl_bobcycle"_s, writeBobbing},
        {21, u"hud_fastswitch"_s, writeById<S::FastSwitch>},
        {22, u"gl_wateramp"_s, writeById<S::WaterAmp>},
        {23, u"hud_saytext"_s, writeById<S::SayText>},
        {24, u"m_filter"_s, writeById<S::MouseFilter>},
        {25, u"cl_dynamiccrosshair"_s, writeById<S::DynamicCrosshair>},
        {26, u"sensitivity"_s, writeById<S::Sensitivity>},
        {27, u"zoom_sensitivity_ratio"_s, writeById<S::ZoomSensitivity>},
        {28, u"scr_conspeed"_s, writeById<S::ConsoleSpeed>},
        {29, u"mp_roundtime"_s, writeById<S::RoundTime>},
        {30, u"mp_c4timer"_s, writeById<S::C4Timer>},
        {31, u"mp_freezetime"_s, writeById<S::FreezeTime>},
        {32, u"mp_timelimit"_s, writeMapChangeMinutes},
        {33, u"mp_maxrounds"_s, writeMapChangeRounds},
        {34, u"mp_buytime"_s, writeById<S::BuyTime>},
        {35, u"sv_restartround / sv_restart"_s, writeRestart},
        {36, u"mp_winlimit"_s, writeById<S::WinLimit>},
        {37, u"cl_corpsestay"_s, writeById<S::CorpseStay>},
        {38, u"hud_saytext_time"_s, writeById<S::SayTextTime>},
        {39, u"hud_deathnotice_time"_s, writeById<S::DeathNoticeTime>},
        {40, u"mp_friendlyfire"_s, writeById<S::FriendlyFire>},
        {41, u"mp_autokick"_s, writeById<S::AutoKick>},
        {42, u"mp_limitteams, mp_autoteambalance"_s, writeTeamBalance},
        {43, u"mp_hostagepenalty"_s, writeById<S::HostagePenalty>},
        {44, u"mp_forcechasecam"_s, writeSpectator},
        {45, u"mp_fadetoblack"_s, writeById<S::FadeToBlack>},
        {46, u"mp_flashlight"_s, writeById<S::Flashlight>},
        {47, u"mp_footsteps"_s, writeById<S::Footsteps>},
        {48, u"mp_startmoney"_s, writeById<S::StartMoney>},
        {49, u"rate"_s, writeRate},
    };
}

} // namespace

const std::vector<ApplyRow>& applyRows() {
    static const std::vector<ApplyRow> rows = buildRows();
    return rows;
}

bool applySettings(WizardWorkingSet& ws) {
    if (!ws.chosenReadable)
        return false;
    for (const ApplyRow& row : applyRows())
        row.write(ws);
    ws.exactLineMode = false;
    return true;
}

WizardSaveResult applyAndSave(WizardWorkingSet& ws) {
    if (!applySettings(ws)) {
        WizardSaveResult refused;
        refused.status = WizardSaveResult::Status::RefusedUnreadable;
        refused.path = ws.chosenPath;
        return refused;
    }
    return saveChosenFile(ws);
}
