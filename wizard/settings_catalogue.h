// The 48 settings of the wizard's pages 2 to 8 as one table: which controls each setting has,
// their captions, the config lines behind them, and the plain struct of values the window copies
// to and from those controls. The table is the one place that says which control writes which
// config line; the window builds its settings pages from it.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

enum class SettingId {
    Name,
    RightHand,
    AutoHelp,
    ConsoleColour,
    VguiMenus,
    DrawViewModel,
    MapDescription,
    CenterId,
    Radar,
    SpriteBlend,
    FastSprites,
    MaxSmokePuffs,
    MaxShells,
    Decals,
    NetGraph,
    MonoLights,
    ObserverCrosshair,
    Ghosts,
    Bobbing,
    CrosshairChange,
    FastSwitch,
    MouseFilter,
    DynamicCrosshair,
    Sensitivity,
    ZoomSensitivity,
    ConsoleSpeed,
    RoundTime,
    C4Timer,
    FreezeTime,
    BuyTime,
    MapChange,
    Restart,
    WinLimit,
    CorpseStay,
    SayTextTime,
    DeathNoticeTime,
    FriendlyFire,
    AutoKick,
    TeamBalance,
    HostagePenalty,
    Spectator,
    FadeToBlack,
    Flashlight,
    Footsteps,
    WaterAmp,
    SayText,
    StartMoney,
    Rate,
};
constexpr int kSettingCount = 48;

enum class SettingKind {
    RadioPair,       // two radio buttons standing for "1" and "0"
    UserInfoPair,    // as RadioPair; the line may also stand as setinfo "<name>" "<value>"
    Field,           // a spin edit or a text field whose text is the value
    ConsoleColour,   // the colour list
    Radar,           // the bare keywords drawradar / hideradar
    CrosshairChange, // the bare keyword adjust_crosshair
    Bobbing,
    NetGraph,  // with its position list
    MapChange, // minutes or rounds
    Restart,
    TeamBalance,
    Spectator,
    Rate, // the connection list or a free number
};

// The values of the settings pages. A radio group is an int: -1 while no button of it is
// selected, otherwise the value of the selected button as the catalogue gives it. A field is
// its text; an empty text means "no value".
struct WizardPageValues {
    // Page 2.
    QString name; // Edit1
    int rightHand = -1;
    int autoHelp = -1;
    // ColorBox1: 0 is the custom entry, 1 to 16 the standard colours.
    int consoleColourEntry = 0;
    int customRed = 255;
    int customGreen = 175;
    int customBlue = 95;
    // A con_color value that is not three whole numbers 0 to 255 separated by single blanks: it
    // is written back exactly as it was while the custom entry is selected. The window clears
    // it when the user picks a colour.
    QString customColourText;
    int vguiMenus = -1;
    int drawViewModel = -1;
    int mapDescription = -1;
    int centerId = -1;
    int radar = -1; // 1 drawradar, 0 hideradar
    int spriteBlend = -1;
    // Page 3.
    QString fastSprites;   // SpinEdit2
    QString maxSmokePuffs; // SpinEdit3
    QString maxShells;     // SpinEdit1
    QString decals;        // SpinEdit4
    int netGraph = -1;
    int netGraphPosition = -1; // the entry of ComboBox2, -1 for none
    int monoLights = -1;
    // Page 4.
    int observerCrosshair = -1;
    int ghosts = -1;
    int bobbing = -1;
    int crosshairChange = -1;
    int fastSwitch = -1;
    int mouseFilter = -1;
    int dynamicCrosshair = -1;
    QString sensitivity;     // SpinEdit6
    QString zoomSensitivity; // SpinEdit7
    QString consoleSpeed;    // SpinEdit8
    // Page 5.
    QString roundTime;        // SpinEdit9
    QString c4Timer;          // SpinEdit10
    QString freezeTime;       // SpinEdit11
    QString buyTime;          // Edit2
    QString mapChangeMinutes; // SpinEdit12
    QString mapChangeRounds;  // SpinEdit13
    QString restart;          // SpinEdit14
    QString winLimit;         // SpinEdit15
    QString corpseStay;       // SpinEdit19
    QString sayTextTime;      // SpinEdit20
    QString deathNoticeTime;  // SpinEdit21
    // Page 6.
    int friendlyFire = -1;
    int autoKick = -1;
    QString teamBalance;    // SpinEdit16
    QString hostagePenalty; // SpinEdit17
    int spectator = -1;     // 1, 2 or 0
    // Page 7.
    int fadeToBlack = -1;
    int flashlight = -1;
    int footsteps = -1;
    int waterAmp = -1;
    int sayText = -1;
    QString startMoney; // SpinEdit18
    // Page 8: RadioButton17 (1) takes the number from the list ComboBox1, RadioButton18 (0)
    // the free number SpinEdit5.
    int rateFromList = 1;
    int rateEntry = 0;  // the entry of ComboBox1, -1 for none
    QString rateNumber; // SpinEdit5

    bool operator==(const WizardPageValues&) const = default;
};

struct RadioChoice {
    QString control; // objectName, e.g. "RadioButton1"
    QString caption; // may be empty
    int value;       // what the group's int holds while this button is selected
};

struct FieldControl {
    QString control; // "SpinEdit12", "Edit1"
    bool spin;       // a spin edit (else a free text field)
    int minimum;
    int maximum;
    int step;
    QString initialText; // the text the window is created with
    QString WizardPageValues::*text;
};

struct WizardSetting {
    SettingId id;
    int page; // 2 to 8
    SettingKind kind;
    // The group or label caption first, then hints and units in the order they stand.
    QStringList captions;
    QStringList configNames;
    QList<RadioChoice> radios;
    int WizardPageValues::*choice = nullptr; // the radio group's value, when it has radios
    QList<FieldControl> fields;
    QString listControl; // "ColorBox1", "ComboBox1", "ComboBox2", or empty
};

// All 48 settings in page order, each page's settings in the order they stand on it.
const std::vector<WizardSetting>& wizardSettings();
const WizardSetting& wizardSetting(SettingId id);
// The captions of pages 2 to 8 (index 0 is page 2).
const QStringList& settingsPageCaptions();

// The console colour list: entry 0 is the custom colour, entries 1 to 16 the standard colours.
struct StandardColour {
    QString name;         // as the platform's colour list names it
    QString triple;       // the value written and recognised, "165 25 10"
    int red, green, blue; // the colour shown
};
const std::array<StandardColour, 16>& standardColours(); // entries 1 to 16
QString customColourName();

// The net graph positions of ComboBox2 and the net_graphpos value of each.
const QStringList& netGraphPositions();
const QStringList& netGraphPositionValues();

// The connections of ComboBox1 and the rate of each ("Никакое" first, rate 0).
const QStringList& rateEntries();
const QList<int>& rateValues();

// The values the window is created with (the initial texts of the fields and lists).
WizardPageValues creationPageValues();
// What choosing a file does to the pages before they are read: every field of pages 3 to 7 and
// both text fields emptied, every radio group of pages 2 to 7 unselected, the connection list
// selected on "Никакое". The net graph position and the free number keep what they held.
void clearPageValuesForNewFile(WizardPageValues& values);
