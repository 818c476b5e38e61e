// Applying the settings pages to the working document.
#include "wizard/apply_settings.h"

#include "wizard/line_search.h"
#include "wizard/setting_rules.h"
#include "wizard/wizard_working_set.h"

#include <QRegularExpression>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

template <SettingId id> void writeById(WizardWorkingSet& ws) {
    writeSetting(ws, wizardSetting(id));
}

// The controls of a catalogue setting: its radio group and its fields.
bool controlsDiffer(const WizardSetting& s, const WizardPageValues& a, const WizardPageValues& b) {
    if (s.choice && a.*s.choice != b.*s.choice)
        return true;
    for (const FieldControl& f : s.fields)
        if (a.*f.text != b.*f.text)
            return true;
    return false;
}

template <SettingId id> bool changedById(const WizardPageValues& a, const WizardPageValues& b) {
    return controlsDiffer(wizardSetting(id), a, b);
}

bool consoleColourChanged(const WizardPageValues& a, const WizardPageValues& b) {
    // The same controls give the same value: only others are written out to compare.
    if (a.consoleColourEntry == b.consoleColourEntry && a.customRed == b.customRed &&
        a.customGreen == b.customGreen && a.customBlue == b.customBlue &&
        a.customColourText == b.customColourText)
        return false;
    return consoleColourValue(a) != consoleColourValue(b);
}

bool netGraphChanged(const WizardPageValues& a, const WizardPageValues& b) {
    return a.netGraph != b.netGraph ||
           (a.netGraph == 1 && a.netGraphPosition != b.netGraphPosition);
}

bool minutesChanged(const WizardPageValues& a, const WizardPageValues& b) {
    return a.mapChangeMinutes != b.mapChangeMinutes;
}

bool roundsChanged(const WizardPageValues& a, const WizardPageValues& b) {
    return a.mapChangeRounds != b.mapChangeRounds;
}

bool rateChanged(const WizardPageValues& a, const WizardPageValues& b) {
    if (a.rateFromList == b.rateFromList && a.rateEntry == b.rateEntry &&
        a.rateNumber == b.rateNumber)
        return false;
    return rateValueText(a) != rateValueText(b);
}

std::vector<ApplyRow> buildRows() {
    using S = SettingId;
    return {
        {1, u"name"_s, writeById<S::Name>, changedById<S::Name>},
        {2, u"cl_righthand"_s, writeById<S::RightHand>, changedById<S::RightHand>},
        {3, u"_ah"_s, writeById<S::AutoHelp>, changedById<S::AutoHelp>},
        {4, u"_vgui_menus"_s, writeById<S::VguiMenus>, changedById<S::VguiMenus>},
        {5, u"dm"_s, writeById<S::MapDescription>, changedById<S::MapDescription>},
        {6, u"con_color"_s, writeConsoleColour, consoleColourChanged},
        {7, u"r_drawviewmodel"_s, writeById<S::DrawViewModel>, changedById<S::DrawViewModel>},
        {8, u"hud_centerid"_s, writeById<S::CenterId>, changedById<S::CenterId>},
        {9, u"drawradar / hideradar"_s, writeRadar, changedById<S::Radar>},
        {10, u"gl_spriteblend"_s, writeById<S::SpriteBlend>, changedById<S::SpriteBlend>},
        {11, u"fastsprites"_s, writeById<S::FastSprites>, changedById<S::FastSprites>},
        {12, u"max_smokepuffs"_s, writeById<S::MaxSmokePuffs>, changedById<S::MaxSmokePuffs>},
        {13, u"max_shells"_s, writeById<S::MaxShells>, changedById<S::MaxShells>},
        {14, u"r_decals"_s, writeById<S::Decals>, changedById<S::Decals>},
        {15, u"net_graph, net_graphpos"_s, writeNetGraph, netGraphChanged},
        {16, u"gl_monolights"_s, writeById<S::MonoLights>, changedById<S::MonoLights>},
        {17, u"cl_observercrosshair"_s, writeById<S::ObserverCrosshair>,
         changedById<S::ObserverCrosshair>},
        {18, u"ghosts"_s, writeById<S::Ghosts>, changedById<S::Ghosts>},
        {19, u"adjust_crosshair"_s, writeCrosshairChange, changedById<S::CrosshairChange>},
        {20, u"cl_bob, cl_bobup, cl_bobcycle"_s, writeBobbing, changedById<S::Bobbing>},
        {21, u"hud_fastswitch"_s, writeById<S::FastSwitch>, changedById<S::FastSwitch>},
        {22, u"gl_wateramp"_s, writeById<S::WaterAmp>, changedById<S::WaterAmp>},
        {23, u"hud_saytext"_s, writeById<S::SayText>, changedById<S::SayText>},
        {24, u"m_filter"_s, writeById<S::MouseFilter>, changedById<S::MouseFilter>},
        {25, u"cl_dynamiccrosshair"_s, writeById<S::DynamicCrosshair>,
         changedById<S::DynamicCrosshair>},
        {26, u"sensitivity"_s, writeById<S::Sensitivity>, changedById<S::Sensitivity>},
        {27, u"zoom_sensitivity_ratio"_s, writeById<S::ZoomSensitivity>,
         changedById<S::ZoomSensitivity>},
        {28, u"scr_conspeed"_s, writeById<S::ConsoleSpeed>, changedById<S::ConsoleSpeed>},
        {29, u"mp_roundtime"_s, writeById<S::RoundTime>, changedById<S::RoundTime>},
        {30, u"mp_c4timer"_s, writeById<S::C4Timer>, changedById<S::C4Timer>},
        {31, u"mp_freezetime"_s, writeById<S::FreezeTime>, changedById<S::FreezeTime>},
        {32, u"mp_timelimit"_s, writeMapChangeMinutes, minutesChanged},
        {33, u"mp_maxrounds"_s, writeMapChangeRounds, roundsChanged},
        {34, u"mp_buytime"_s, writeById<S::BuyTime>, changedById<S::BuyTime>},
        {35, u"sv_restartround / sv_restart"_s, writeRestart, changedById<S::Restart>},
        {36, u"mp_winlimit"_s, writeById<S::WinLimit>, changedById<S::WinLimit>},
        {37, u"cl_corpsestay"_s, writeById<S::CorpseStay>, changedById<S::CorpseStay>},
        {38, u"hud_saytext_time"_s, writeById<S::SayTextTime>, changedById<S::SayTextTime>},
        {39, u"hud_deathnotice_time"_s, writeById<S::DeathNoticeTime>,
         changedById<S::DeathNoticeTime>},
        {40, u"mp_friendlyfire"_s, writeById<S::FriendlyFire>, changedById<S::FriendlyFire>},
        {41, u"mp_autokick"_s, writeById<S::AutoKick>, changedById<S::AutoKick>},
        {42, u"mp_limitteams, mp_autoteambalance"_s, writeTeamBalance, changedById<S::TeamBalance>},
        {43, u"mp_hostagepenalty"_s, writeById<S::HostagePenalty>, changedById<S::HostagePenalty>},
        {44, u"mp_forcechasecam"_s, writeSpectator, changedById<S::Spectator>},
        {45, u"mp_fadetoblack"_s, writeById<S::FadeToBlack>, changedById<S::FadeToBlack>},
        {46, u"mp_flashlight"_s, writeById<S::Flashlight>, changedById<S::Flashlight>},
        {47, u"mp_footsteps"_s, writeById<S::Footsteps>, changedById<S::Footsteps>},
        {48, u"mp_startmoney"_s, writeById<S::StartMoney>, changedById<S::StartMoney>},
        {49, u"rate"_s, writeRate, rateChanged},
    };
}

} // namespace

const std::vector<ApplyRow>& applyRows() {
    static const std::vector<ApplyRow> rows = buildRows();
    return rows;
}

QStringList settingNames(const ApplyRow& row) {
    static const QRegularExpression separators(u"[ ,/]+"_s);
    return row.setting.split(separators, Qt::SkipEmptyParts);
}

namespace {

bool rowKeptInConfigCfg(const WizardWorkingSet& ws, const ApplyRow& row) {
    if (!ws.keptInConfigCfg || !ws.autoexecMode || !ws.autoexecReadable)
        return true;
    for (const QString& name : settingNames(row))
        if (!ws.keptInConfigCfg(name))
            return false;
    return true;
}

// The row writes into autoexec.cfg, as the wizard's scripts do, and what config.cfg held of it
// goes: the game would drop it there at its next exit.
void writeToAutoexec(WizardWorkingSet& ws, const ApplyRow& row) {
    for (const QString& name : settingNames(row))
        removeCommandsNamed(ws.mem1, name);
    const int found = ws.foundPosition;
    const bool written = ws.lineWritten;
    std::swap(ws.mem1, ws.mem2);
    row.write(ws);
    std::swap(ws.mem1, ws.mem2);
    ws.foundPosition = found;
    ws.lineWritten = written;
    ws.movedToAutoexec.append(row.setting);
}

} // namespace

bool applySettings(WizardWorkingSet& ws) {
    if (!ws.chosenReadable())
        return false;
    ws.movedToAutoexec.clear();
    // The rows' edits are gathered and written in one rewrite of the text.
    ws.mem1.gatherEdits(true);
    for (const ApplyRow& row : applyRows()) {
        if (!ws.writeEverySetting && !row.changed(ws.values, ws.valuesAsRead))
            continue;
        if (rowKeptInConfigCfg(ws, row))
            row.write(ws);
        else
            writeToAutoexec(ws, row);
    }
    ws.mem1.gatherEdits(false);
    // The document now holds what the pages show: applying again writes nothing new.
    ws.valuesAsRead = ws.values;
    ws.writeEverySetting = false;
    return true;
}

WizardSaveResult applyAndSave(WizardWorkingSet& ws,
                              const std::function<void(const QString&)>& beforeSave) {
    if (!ws.chosenReadable())
        return WizardSaveResult::refusedUnreadable(ws.chosenPath);
    const QString before = ws.mem1.content();
    const QString autoexecBefore = ws.mem2.content();
    const WizardPageValues readBefore = ws.valuesAsRead;
    const bool everyBefore = ws.writeEverySetting;
    const auto undo = [&] {
        // Nothing of a failed apply stays: the next apply writes the same changes again.
        ws.mem1.setText(before);
        ws.valuesAsRead = readBefore;
        ws.writeEverySetting = everyBefore;
    };
    applySettings(ws);
    if (beforeSave)
        beforeSave(ws.mem1.content());
    // autoexec.cfg first: a setting moved there is never only in the text of neither file.
    if (!ws.movedToAutoexec.isEmpty()) {
        const WizardSaveResult autoexec = saveAutoexecFile(ws);
        if (!autoexec.ok()) {
            undo();
            ws.mem2.setText(autoexecBefore);
            ws.movedToAutoexec.clear();
            return autoexec;
        }
    }
    WizardSaveResult saved = saveChosenFile(ws);
    if (!saved.ok())
        undo();
    return saved;
}
