#!/usr/bin/env python3
# Collects the whole GoldSrc console vocabulary (commands, variables, key names) from public game
# code and from configs the game itself wrote, and writes data/dlls/goldsrc.voc, which the config
# check, completion and highlighting read. The explained reference (data/dlls/*.dll, ans1.pro) is
# separate and keeps its own lists.
#
# Run:  python3 tools/data/gen_vocabulary.py SOURCES
# SOURCES is a folder with one sub-folder per repository, named owner+name (for example
# SOURCES/dreamstalker+rehlds), each a checkout or a bare git directory (then its HEAD is read,
# or the branch a config below names; a folder "repo" inside is looked for too). The repositories:
#   ValveSoftware/halflife          the Half-Life SDK (client and game libraries)
#   dreamstalker/rehlds             an open rebuild of the engine (dedicated server, HLTV)
#   iCHOPPERi/reGS                  an open rebuild of the whole engine (the client side)
#   FWGS/xash3d-fwgs                an open engine of its own, compatible with GoldSrc
#   Counter-Strike-16/OpenGoldSrc   key table of the engine, command list taken from CS 1.6
#   s1lentq/ReGameDLL_CS            an open rebuild of the CS game library
#   Velaron/cs16-client             an open rebuild of the CS client library
#   SmileyAG/HLSDK20                the Half-Life 1.1.0.7 release of July 2001 (valve_binaries)
#   Ch0wW/docker-hlds-won2          Counter-Strike 1.5 as released (config/cstrike)
# and the repositories of GAME_CONFIGS below (configs the game wrote). Needs python3 and git.
# The last two are the era's own files (era_files.py reads their binaries' names); the names
# they gave are written to tools/data/era_names.txt, which check_data.py holds the file to.
# Nothing fetched is kept: only the names, each with the repository and file it was found in.
# The generated file is committed; CI never runs this script.
#
# Each name gets what it is: the first game version that has it, or the one rebuild whose own
# additions are its only source (then the game has no such name at all):
#   15          CS 1.5 or earlier (no note in the check)
#   16          CS 1.6 / the first Steam releases
#   later       the Steam updates after those (2013 and on)
#   rehlds, regamedll, cs16client, xash
#               only in that rebuild's own additions (or that engine's own code): not the game's
# A name is the game's only when code built from the original game registers it (the HL SDK, the
# rebuilds' code outside their own switches), when a config the game wrote holds it, when the CS
# 1.6 command list holds it, or when the era's own files hold it. The rebuilds reconstruct the
# Steam releases, so their code says only that a name is the game's; what 1.5 had, the era's files
# settle: a name they hold is 15, one they lack is 16 or later whatever the rebuilds' code says.
# Every line records the rule that decided (the "rule" column):
#   era-registered the Half-Life 1.1.0.7 engine or launcher or CS 1.5's libraries register it: 15
#   era-string     code of the game registers it and one of those files holds it as a string: 15
#   era-readme     CS 1.5's change log (readme.txt, 1.0 to 1.5) quotes it as a new variable or
#                  setinfo item, or names a variable code of the game registers: 15
#   era-voice      the engine's talk command and voice switches (era_files.ERA_VOICE): voice came
#                  after the 1.1.0.7 engine and before 1.5, whose libraries hold its halves: 15
#   era-config     a setting the pre-Steam game (its launcher) writes into config.cfg: 15
#   steam-release  code of the game registers it (the rebuilds, the 2013 SDK seed, the CS 1.6
#                  command list) and no file of the 1.5 era has it: 16
#   sdk-later      only later commits of the HL SDK: later
#   steam-engine   an engine name of the Steam releases (STEAM_ERA_ENGINE): 16
#   steam-update   a name the Steam updates after 1.6 brought (STEAM_UPDATES): later
#   cs16-game      a feature CS 1.6 brought to the game (bots, shield, buy shortcuts ...): 16
#   build-latest   the CS game rebuild's BUILD_LATEST code (the latest official builds): later
#   game-config    a setting a config written by a Steam release holds: 16 or later (its build)
#   engine         (keys only) the engine's key table
#   rehlds-own, regamedll-own   code under the rebuild's own REHLDS_ / REGAMEDLL_ switches
#   cs16client-own  only the CS client rebuild has it, and nothing of the game shows it
#   xash-own       only the GoldSrc-compatible engine has it, and nothing of the game shows it
# A name that only Half-Life's own code has (the HL SDK's client and game, and nothing of CS or of
# the engine: weapon_crowbar, centerview) is Half-Life's, not Counter-Strike's: it is left out.
# The reference of this program (written for CS 1.5) dates nothing; where it explains a name the
# era's files lack, the script says so.
# A variable is marked "saved" when the game keeps it in config.cfg: code built from the original
# game registers it as archived (FCVAR_ARCHIVE), or a config the game wrote holds it.
# Where a name is registered matters to the check too: an alias named like a command of the
# engine or the client library never runs (the console looks for commands first), while
# commands the game server handles (buy commands, "say") go to the server and can be shadowed.

import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
OUT = os.path.join(ROOT, "data", "dlls", "goldsrc.voc")

sys.dont_write_bytecode = True
sys.path.insert(0, HERE)
import content_commands  # noqa: E402
import content_cvars  # noqa: E402
import era_files  # noqa: E402

HL = "ValveSoftware/halflife"
REHLDS = "dreamstalker/rehlds"
REGS = "iCHOPPERi/reGS"
XASH = "FWGS/xash3d-fwgs"
OGS = "Counter-Strike-16/OpenGoldSrc"
REGAME = "s1lentq/ReGameDLL_CS"
CSCLIENT = "Velaron/cs16-client"
HL_SEED = "de70fad"  # "initial seed of Half-Life 1 SDK", 2013-08-30
ERA_OUT = os.path.join(HERE, "era_names.txt")
# The rules that date by the era's files, the strongest first.
ERA_RULES = ("era-registered", "era-string", "era-readme", "era-voice", "era-config")

# Engine names of the Steam releases (the master server regions, HTTP downloads, the LAN rate): the
# engine rebuild reproduces the Steam engine, these were not in 1.5's (the script stops if an era
# file shows one; the rcon banning, the LAN switch and in-game downloads are the 2001 engine's).
STEAM_ERA_ENGINE = {
    "sv_region", "sv_downloadurl", "sv_lan_rate",
    "sv_allow_dlfile", "sv_logblocks", "sv_filetransfercompression", "sv_version",
    # the HTTP download stop
    "httpstop",
    # detail textures and the vertical sync switch of the Steam client
    "r_detailtextures", "gl_vsync",
}
# Names the Steam updates after 1.6 brought, which the rebuilds carry without a switch: the query
# rate limits and the old-query switch of 2013's engine, the map change config, the SDL port's
# mouse (raw input, grabbing, double clicks) and anisotropic filtering, the 2023 anniversary
# update's frame rate switch.
STEAM_UPDATES = {
    "fps_override", "max_queries_sec", "max_queries_sec_global", "max_queries_window",
    "sv_enableoldqueries", "mapchangecfgfile", "m_rawinput", "cl_mousegrab", "gl_ansio",
    "sdl_double_click_size", "sdl_double_click_time", "m_mousethread_sleep",
}
# Names the reference explains that are a rebuild's own additions all the same (the reference says
# so): the ban list file's name is the engine rebuild's setting, the game always writes listip.cfg.
REBUILD_NAMES_IN_REFERENCE = {"listipcfgfile"}
# Saved settings that no code above registers and that came late all the same: the spectator mode's
# is the 1.6 client's; the scoreboard's avatars and short headers and the single-player decal limit
# came with the Steam updates. Every other such setting is the engine's own, dated by its lineage.
CONFIG_ONLY_16 = {"spec_mode_internal"}
CONFIG_ONLY_LATER = {"scoreboard_shortheaders", "scoreboard_showavatars", "sp_decals",
                     "gl_lowlatency", "gl_use_shaders", "gl_widescreen_yfov",
                     "r_prefertexturefiltering"}
# The CS game library's commands of Condition Zero's career mode (the game rebuild shares them).
LATER_GAME = re.compile(r"^career_")

# Configs the game wrote (a name there is the game's; a variable there is a saved one): the
# repository, the branch (None: HEAD) and file, the version to date the names by, and what wrote
# it. The first is the default config.cfg of the dedicated server as Valve shipped it: binds and
# settings in the layout the pre-Steam launcher writes (its cvars are exactly the launcher's
# list below), under the header the Steam engine adds ("era-layout": the launcher's settings
# are the era's, the rest the Steam build's). A config the 1.5 game wrote would be "era-config":
# each of its names 15.
GAME_CONFIGS = [
    ("Drazendrazan/cstrike_steamcmd_archive", "5787", "cstrike/config.cfg", "15",
     "era-layout", "the pre-Steam launcher's settings (the default config.cfg of HLDS build 5787)"),
    ("sciblob/CS", None, "cstrike/config.cfg", "16", "game-config", "CS 1.6, Steam, before 2013"),
    ("CarlosAMC1/Counter-Strike-WaRzOnE", None, "cstrike/config.cfg", "16", "game-config",
     "CS 1.6, Steam, before 2013"),
    ("TangoCash/TPB_GUI", None, "cstrike/config.cfg", "16", "game-config",
     "CS 1.6, Steam, before 2013"),
    ("Drazendrazan/cstrike_steamcmd_archive", "8308", "cstrike/config.cfg", "later", "game-config",
     "CS 1.6, Steam, HLDS build 8308 (2013 and on)"),
    ("notaLonelyDay/config1.6", None, "cstrike/config.cfg", "later", "game-config",
     "CS 1.6, Steam, after the 2023 update"),
    ("FatihEjderYa/Half-Life", None, "cstrike/config.cfg", "later", "game-config",
     "CS 1.6, Steam, after the 2023 update"),
]
# The pre-Steam launcher (WON hl.exe, build 1792 of September 2001, the CS 1.3 era) keeps these
# settings of config.cfg and writes them back (its CGameClientConfig: CfgFloatField and
# CFG_WriteConfig in oxiKKK/re-goldsrc-won-launcher-1792, a reconstruction from the binary).
# check_data.py holds the generated file to this list.
WON_LAUNCHER = "oxiKKK/re-goldsrc-won-launcher-1792"
WON_LAUNCHER_SETTINGS = [
    "lookstrafe", "m_pitch", "lookspring", "crosshair", "_windowed_mouse", "m_filter", "joystick",
    "sv_aim", "console", "cl_himodels", "d_spriteskip", "sensitivity", "viewsize", "brightness",
    "gamma", "bgmvolume", "suitvolume", "hisound", "volume", "voice_scale", "voice_modenable",
    "s_a3d", "s_eax", "rate", "model", "topcolor", "bottomcolor", "name",
]

# Families of the GoldSrc-compatible engine that are its own (touch screens, game pads, its own
# menus and renderers, SDL) and that no config of the game could hold: left out of the vocabulary.
XASH_LEFT_OUT = re.compile(
    r"^(touch_|ui_|joy_|ref_|vk_|gl_msaa|r_vbo|sdl_|android|xash|_vid_|vid_|net_ws|voice_inputfromfile"
    r"|con_charset|con_fontscale|con_fontnum|host_allow_materials|cl_charset|m_ignore|m_grab)")

# Key names of the game pads and touch screens of the GoldSrc-compatible engine.
PAD_KEYS = re.compile(r"BUTTON|DPAD|STICK|PADDLE|TOUCHPAD|TRIGGER|INTERNATIONAL|^(BACK|MODE|START)$")

CMD_CALL = re.compile(
    r"\b(?:Cmd_AddCommand\w*|Cmd_AddRestrictedCommand|Cmd_AddClientCommand|Cmd_AddHUDCommand|"
    r"Cmd_AddGameCommand|pfnAddCommand|pfnAddServerCommand|HOOK_COMMAND|ADD_SERVER_COMMAND|"
    r"AddServerCommand|RegisterCommand|ADD_COMMAND)\s*\(\s*(?:[\w.>-]+\s*,\s*)?\"([^\"]+)\"")
# A variable registered by name: the name, then the rest of the call (its flags).
CVAR_CALL = re.compile(
    r"\b(?:CVAR_CREATE|pfnRegisterVariable|Cvar_Get|Cvar_RegisterVariable)\s*\(\s*\"([^\"]+)\"([^;]*)")
# A variable defined as a structure (registered elsewhere by its address): the variable, the name,
# the rest of the definition (its flags).
CVAR_STRUCT = re.compile(
    r"\bcvar_t\s+(\w+)\s*=\s*\{\s*(?:const_cast<char\s*\*>\(\s*)?\"([^\"]+)\"([^;]*)")
CVAR_DEFINE = re.compile(r"\bCVAR_DEFINE\s*\(\s*\w+\s*,\s*\"([^\"]+)\"([^;]*)")
CVAR_DEFINE_AUTO = re.compile(r"\bCVAR_DEFINE_AUTO\s*\(\s*(\w+)([^;]*)")
# The registration of a structure: by its address.
CVAR_REGISTER_REF = re.compile(
    r"\b(?:Cvar_RegisterVariable|CVAR_REGISTER|pfnCVarRegister|pfnCvar_RegisterVariable)\s*\(\s*&\s*(\w+)")
# Code of the game reading a variable by name: the engine had that variable.
CVAR_READ = re.compile(
    r"\b(?:pfnGetCvarPointer|pfnGetCvarFloat|pfnGetCvarString|CVAR_GET_POINTER|CVAR_GET_FLOAT|"
    r"CVAR_GET_STRING|CVAR_SET_FLOAT|CVAR_SET_STRING|pfnCVarGetPointer|pfnCVarGetFloat|"
    r"pfnCVarGetString|pfnCVarSetFloat|pfnCVarSetString|pfnCvar_Set|pfnCvar_SetValue)\s*\(\s*\"([^\"]+)\"")
CLIENT_COMMAND = re.compile(r"\bFStrEq\s*\(\s*(?:pcmd|pszCommand|pCmd|cmd)\s*,\s*\"([^\"]+)\"")
WEAPON_CLASS = re.compile(r"\bLINK_ENTITY_TO_CLASS\s*\(\s*(weapon_\w+)")
KEY_ENTRY = re.compile(r"\{\s*\"([^\"]+)\"\s*,\s*(?:K_\w+|'.'|\d+)")
NAME = re.compile(r"^[A-Za-z0-9_+\-.]+$")

# The order in which attestations win: the earliest game version, then the rebuilds.
ORDER = {"15": 0, "16": 1, "later": 2, "rehlds": 3, "regamedll": 4, "cs16client": 5, "xash": 6}
PLACE_RANK = {"engine": 0, "client": 1, "game": 2, "gamecmd": 3, "demo": 4, "hltv": 5,
              "console": 6, "config": 7}


class Repo:
    """Reads files of a checkout or of a bare git directory (its HEAD or a given commit)."""

    def __init__(self, sources, name):
        base = os.path.join(sources, name.replace("/", "+"))
        if os.path.isdir(os.path.join(base, "repo")):
            base = os.path.join(base, "repo")
        self.name = name
        self.base = base
        self.git = not os.path.isdir(os.path.join(base, ".git")) and os.path.isfile(
            os.path.join(base, "HEAD"))
        if not os.path.isdir(base):
            sys.exit("missing source: %s (expected %s)" % (name, base))

    def files(self, commit="HEAD"):
        if self.git or commit != "HEAD":
            out = subprocess.run(["git", "--git-dir" if self.git else "-C",
                                  self.base if self.git else self.base, "ls-tree", "-r",
                                  "--name-only", commit], capture_output=True, text=True, check=True)
            return out.stdout.splitlines()
        found = []
        for folder, _, names in os.walk(self.base):
            if ".git" in folder.split(os.sep):
                continue
            for n in names:
                found.append(os.path.relpath(os.path.join(folder, n), self.base).replace(os.sep, "/"))
        return found

    def read_bytes(self, path, commit="HEAD"):
        if self.git or commit != "HEAD":
            args = ["git", "--git-dir", self.base] if self.git else ["git", "-C", self.base]
            out = subprocess.run(args + ["show", "%s:%s" % (commit, path)], capture_output=True)
            return out.stdout if out.returncode == 0 else None
        full = os.path.join(self.base, path)
        if not os.path.isfile(full):
            return None
        with open(full, "rb") as f:
            return f.read()

    def read(self, path, commit="HEAD"):
        data = self.read_bytes(path, commit)
        return data.decode("latin-1") if data is not None else ""


def code_files(repo, folders, commit="HEAD"):
    for path in repo.files(commit):
        if path.endswith((".c", ".cpp", ".h")) and any(path.startswith(f) for f in folders):
            yield path


def lines_with_switches(text):
    """Yields (line, switch) with a small #if tracker: "own" for a line inside a block opened by a
    condition naming REHLDS_ or REGAMEDLL_ (the rebuild's own code; its #else branch is not),
    "latest" inside a BUILD_LATEST block (the code of the latest official builds), "test" inside
    a block of an engine's unit tests (XASH_ENGINE_TESTS: no console name of the game), else
    None."""
    stack = []
    for line in text.split("\n"):
        s = line.strip()
        m = re.match(r"#\s*(ifdef|ifndef|if|elif|else|endif)\b(.*)", s)
        if m:
            kind, cond = m.group(1), m.group(2)
            if re.search(r"\w_TESTS\b", cond):
                mark = "test"
            elif re.search(r"REHLDS_|REGAMEDLL_", cond):
                mark = "own"
            elif re.search(r"\bBUILD_LATEST\b", cond):
                mark = "latest"
            else:
                mark = None
            if kind in ("ifdef", "if"):
                stack.append(mark)
            elif kind == "ifndef":
                stack.append(None)
            elif kind == "elif" and stack:
                stack[-1] = mark
            elif kind == "else" and stack:
                stack[-1] = None
            elif kind == "endif" and stack:
                stack.pop()
            continue
        switch = None
        for mark in stack:
            if mark == "test":
                switch = "test"
                break
            if mark == "own":
                switch = "own"
            elif mark == "latest" and switch is None:
                switch = "latest"
        yield line, switch


class Collector:
    """Every name with all that attests it: (version, rule, source) from each source read."""

    def __init__(self):
        self.entries = {}  # (lower name, is key) -> dict
        # Whether a command outranks a variable of the same name (see add).
        self.promote = True

    def add(self, name, kind, place, version, rule, source, saved=False):
        name = name.strip()
        if not NAME.match(name) or len(name) < 2 and kind != "key":
            return
        key = (name.lower(), kind == "key")
        e = self.entries.get(key)
        if e is None:
            e = self.entries[key] = {"name": name, "kind": kind, "place": place, "attests": [],
                                     "saved": None}
        else:
            # A command of the engine or client outranks the others (it is the one the console
            # finds first), and a command outranks a variable.
            # (The CS 1.6 command list lists variables too: it promotes nothing.)
            if kind == "cmd" and e["kind"] == "cvar" and place in ("engine", "client") \
                    and self.promote:
                e["kind"], e["place"] = kind, place
            elif kind == e["kind"] and PLACE_RANK.get(place, 9) < PLACE_RANK.get(e["place"], 9):
                e["place"] = place
        e["attests"].append((version, rule, source))
        # A command the game writes into config.cfg as a setting (gl_texturemode) is saved too.
        if saved and kind != "key" and e["saved"] is None:
            e["saved"] = source

    def attest(self, name, version, rule, source):
        """Another source for a name: a new one is the engine's variable."""
        e = self.entries.get((name.lower(), False))
        if e is None:
            self.add(name, "cvar", "engine", version, rule, source)
        else:
            e["attests"].append((version, rule, source))

    def has(self, name):
        return (name.lower(), False) in self.entries

    def is_half_lifes(self, e):
        """Whether only Half-Life's own code (the HL SDK's client and game) shows the name."""
        return e["kind"] != "key" and all(
            s.startswith(HL + ":") and r in ("sdk-seed", "sdk-later") for _, r, s in e["attests"])

    def is_games(self, name):
        """Whether something of the game (not a rebuild's own code) shows the name."""
        e = self.entries.get((name.lower(), False))
        return e is not None and any(ORDER[v] <= ORDER["later"] for v, _, _ in e["attests"])

    def decided(self, e):
        """The attestation that decides: a file of the 1.5 era (15); else the earliest version,
        where a name the game's code registers but no era file has is 16 (or later, where only
        later sources show it); and a name of the lists of the Steam releases is theirs whatever
        else shows it (the HL SDK's seed of 2013 and the rebuilds carry the Steam engine's names
        too)."""
        low = e["name"].lower()
        best = min(e["attests"], key=lambda a: ORDER[a[0]])
        if e["kind"] == "key":
            return best
        era = [a for a in e["attests"] if a[1] in ERA_RULES]
        if era:
            return min(era, key=lambda a: ERA_RULES.index(a[1]))
        if best[0] == "15":
            steam = [a for a in e["attests"] if a[0] in ("16", "later")]
            # Named by a source of the game, not by the extension code that also has it.
            games = [a for a in e["attests"] if a[0] == "15" and
                     not a[2].startswith((XASH + ":", CSCLIENT + ":"))] or [best]
            best = min(steam, key=lambda a: ORDER[a[0]]) if steam else \
                ("16", "steam-release", games[0][2])
        if e["kind"] != "key" and ORDER[best[0]] < ORDER["later"] and low in STEAM_UPDATES:
            return "later", "steam-update", best[2]
        if e["kind"] != "key" and ORDER[best[0]] < ORDER["16"] and low in STEAM_ERA_ENGINE:
            return "16", "steam-engine", best[2]
        return best


def scan(repo, folders, place, version_rule, col, commit="HEAD", skip=(), archive=True,
         only=None):
    """Registrations in code: commands, variables, game client commands and weapon names.
    version_rule(name, switch, path) gives (version, rule) or (version, rule, source), or None to leave the name out. A
    variable defined as a structure is dated by where it is registered (by its address), when
    that is found. With `archive`, a variable registered as archived is a saved one. With `only`,
    a name is taken only when only(name) holds."""
    found = []  # (name, kind, place, switch, path, archived)
    structs = {}  # variable -> (name, switch, path, archived)
    registered = {}  # variable -> switch of its registration
    for path in code_files(repo, folders, commit):
        if any(s in path for s in skip):
            continue
        text = repo.read(path, commit)
        for line, switch in lines_with_switches(text):
            if switch == "test":
                continue
            for m in CMD_CALL.finditer(line):
                found.append((m.group(1), "cmd", place, switch, path, False))
            for m in CVAR_STRUCT.finditer(line):
                structs.setdefault(m.group(1), (m.group(2), switch, path,
                                                "FCVAR_ARCHIVE" in m.group(3)))
            for rx in (CVAR_CALL, CVAR_DEFINE, CVAR_DEFINE_AUTO):
                for m in rx.finditer(line):
                    found.append((m.group(1), "cvar", place, switch, path,
                                  "FCVAR_ARCHIVE" in m.group(2)))
            for m in CVAR_REGISTER_REF.finditer(line):
                # A registration outside any switch stands over one inside.
                if m.group(1) not in registered or switch is None:
                    registered[m.group(1)] = switch
            for m in CLIENT_COMMAND.finditer(line):
                found.append((m.group(1), "cmd", "gamecmd", switch, path, False))
            for m in WEAPON_CLASS.finditer(line):
                found.append((m.group(1), "cmd", "gamecmd", switch, path, False))
    for var, (name, switch, path, archived) in structs.items():
        found.append((name, "cvar", place, registered.get(var, switch), path, archived))
    for name, kind, where, switch, path, archived in found:
        if only and not only(name):
            continue
        decided = version_rule(name, switch, path)
        if decided:
            version, rule = decided[:2]
            source = decided[2] if len(decided) > 2 else "%s:%s" % (repo.name, path)
            own = ORDER[version] > ORDER["later"]
            col.add(name, kind, where, version, rule, source,
                    saved=archive and archived and not own)
            if archive and archived and own:
                # A rebuild's archived name the era's files show to be the game's after all.
                col.entries[(name.lower(), kind == "key")].setdefault("own_archived", source)


def reference_names():
    names = set()
    for module in (content_commands, content_cvars):
        for value in vars(module).values():
            if isinstance(value, list):
                for item in value:
                    if isinstance(item, tuple) and item and isinstance(item[0], str):
                        names.add(item[0].lower())
    return names


CS16_GAME = re.compile(r"^(bot_|tutor_|cv_bot|mp_shield|autobuy|rebuy|cl_autobuy|cl_rebuy|"
                       r"cl_setautobuy|cl_setrebuy|shield$|famas$|galil$|defender$|clarion$)")
CS16_GAME_FILES = ("/bot/", "tutor", "cs_bot", "/hostage/hostage_improv")


def config_lines(text):
    """The words of every line of a config the game wrote (quotes taken off)."""
    for raw in text.replace("\r", "").split("\n"):
        line = raw.strip()
        if not line or line.startswith("//"):
            continue
        words = [a or b for a, b in re.findall(r"\"([^\"]*)\"|(\S+)", line)]
        if words:
            yield words


# The configs above that are the game's defaults as shipped (no player changed them): the commands
# their keys are bound to are the game's too.
PRISTINE = {"Drazendrazan/cstrike_steamcmd_archive"}

# The HLTV proxy's command tables (the proxy's console and its system), as the engine rebuild has
# them; the tables of what clients send to the proxy are not console names.
HLTV_COMMAND_TABLES = ("rehlds/HLTV/Proxy/src/Proxy.cpp", "rehlds/HLTV/Console/src/System.cpp")
HLTV_TABLE_ENTRY = re.compile(r'\{\s*"([a-z_][a-z0-9_]*)"\s*,\s*CMD_ID_\w+\s*,')


def read_game_configs(sources):
    """The variables of each config the game wrote, and the commands a shipped one binds keys to:
    [(config, [variables], [commands])]."""
    read = []
    for repo_name, branch, path, version, rule, what in GAME_CONFIGS:
        repo = Repo(sources, repo_name)
        commit = "refs/heads/%s" % branch if branch else "HEAD"
        text = repo.read(path, commit)
        if not text:
            sys.exit("missing config: %s %s:%s" % (repo_name, commit, path))
        names, bound = [], []
        for words in config_lines(text):
            low = words[0].lower()
            if low == "bind" and len(words) > 2 and repo_name in PRISTINE:
                for command in words[2].split(";"):
                    if command.split():
                        bound.append(command.split()[0])
            # Binds, the settings of the player's information (setinfo) and the lines the game
            # adds (+mlook, exec userconfig.cfg, an odd line a packager left) are not variables.
            if low in ("bind", "unbindall", "setinfo", "exec") or low[0] in "+-" or len(words) < 2:
                continue
            names.append(words[0])
        source = "%s:%s" % (repo_name, path if not branch else "%s@%s" % (path, branch))
        read.append(((repo_name, branch, path, version, rule, what, source), names, bound))
    return read


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: gen_vocabulary.py SOURCES")
    sources = sys.argv[1]
    col = Collector()
    reference = reference_names()

    # The configs the game wrote: read first, so that the rules below can ask what the game has.
    configs = read_game_configs(sources)
    written = {}  # lower name -> [(version, rule, source)]
    bound = {}  # lower command name -> [(version, rule, source)]
    won = {n.lower() for n in WON_LAUNCHER_SETTINGS}
    for (repo_name, branch, path, version, rule, what, source), names, commands in configs:
        for name in names:
            written.setdefault(name.lower(), []).append(config_dating(name, version, rule, won, source))
        # The shipped file's binds are those of the Steam release that shipped it, even where its
        # settings keep the pre-Steam launcher's layout.
        for name in commands:
            bound.setdefault(name.lower(), []).append(
                ("16" if version == "15" else version, "game-config", source))
    cmdlist = set()
    ogs = Repo(sources, OGS)
    listing = "docs/cmdlist.txt"
    listed = []
    for raw in ogs.read(listing).split("\n"):
        name = raw.split("//")[0].strip()
        if not name or name.startswith("#") or " " in name or not NAME.match(name):
            continue
        listed.append(name)
        cmdlist.add(name.lower())

    def game_shows(low, path):
        """What of the game (not a rebuild's code) shows a name a rebuild registers: a config the
        game wrote (dated by its build), the CS 1.6 command list; None for nothing."""
        if low in written or low in bound:
            return min(written.get(low, []) + bound.get(low, []), key=lambda a: ORDER[a[0]])
        if low in cmdlist:
            version, rule = engine_version(low, None, path)
            return version, "cmdlist-1.6" if rule == "engine" else rule
        return None

    def rescued(low, path, switch):
        """A name a rebuild registers only under its own switches that the game shows all the
        same (the rebuild registers it where the original did not: the dedicated server, say)."""
        if low in REBUILD_NAMES_IN_REFERENCE or switch != "own":
            return None
        shown = game_shows(low, path)
        if shown and os.environ.get("VOC_DEBUG"):
            print("rescued", low, shown)
        return shown

    # The HL SDK: names of the first seed are 1.5-era, later commits' names are later.
    hl = Repo(sources, HL)
    hl_folders = ("cl_dll/", "dlls/", "pm_shared/", "game_shared/")
    seed = Collector()
    scan(hl, hl_folders, "client", lambda n, s, p: ("15", "sdk-seed"), seed, commit=HL_SEED)
    seed_names = {k[0] for k in seed.entries}
    for folder in hl_folders:
        scan(hl, (folder,), "client" if folder.startswith("cl_dll/") else "game",
             lambda n, s, p: ("15", "sdk-seed") if n.lower() in seed_names else
             ("later", "sdk-later"), col)

    # What the seed's client and game read of the engine's variables: the engine had them.
    def reads(repo, folders, commit, rule, skip_switched=False):
        for path in code_files(repo, folders, commit):
            for line, switch in lines_with_switches(repo.read(path, commit)):
                if skip_switched and switch:
                    continue
                for m in CVAR_READ.finditer(line):
                    name = m.group(1)
                    if NAME.match(name) and not XASH_LEFT_OUT.match(name.lower()):
                        yield name, "%s:%s" % (repo.name, path)

    engine_reads = list(reads(hl, hl_folders, HL_SEED, "sdk-reads"))

    # The engine rebuild: the engine, the HLTV demo player and proxy.
    def engine_version(name, switch, path):
        low = name.lower()
        if switch == "own" or "rehlds" in low:
            return rescued(low, path, switch) or ("rehlds", "rehlds-own")
        if low in STEAM_UPDATES:
            return "later", "steam-update"
        if low in STEAM_ERA_ENGINE:
            return "16", "steam-engine"
        return "15", "engine"

    rehlds = Repo(sources, REHLDS)
    scan(rehlds, ("rehlds/engine/",), "engine", engine_version, col)
    scan(rehlds, ("rehlds/HLTV/DemoPlayer/",), "demo", engine_version, col)
    scan(rehlds, ("rehlds/HLTV/Proxy/", "rehlds/HLTV/Core/", "rehlds/HLTV/Director/"), "hltv",
         engine_version, col)
    # The HLTV proxy's console commands (hltv.cfg) stand in tables: name, command number, handler.
    for path in HLTV_COMMAND_TABLES:
        for m in HLTV_TABLE_ENTRY.finditer(rehlds.read(path)):
            version, rule = engine_version(m.group(1), None, path)
            col.add(m.group(1), "cmd", "hltv", version, rule, "%s:%s" % (REHLDS, path))

    # The CS game rebuild. Its buy and radio shortcut commands came with CS 1.6.
    regame = Repo(sources, REGAME)
    shortcuts = set()
    weapontype = "regamedll/dlls/weapontype.cpp"
    text = regame.read(weapontype)
    for table in ("g_autoBuyInfo", "g_weaponBuyAliasInfo"):
        body = re.search(table + r"\[\]\s*=\s*\{(.*?)\n\};", text, re.S)
        for m in re.finditer(r"\{\s*(?:[A-Z_|]+\s*,\s*)?\"([a-z0-9]+)\"", body.group(1) if body else ""):
            shortcuts.add(m.group(1))
            col.add(m.group(1), "cmd", "gamecmd", "16", "cs16-game", "%s:%s" % (REGAME, weapontype))
    client = "regamedll/dlls/client.cpp"
    text = regame.read(client)
    body = re.search(r"radioInfo\[\]\s*=\s*\{(.*?)\n\};", text, re.S)
    for m in re.finditer(r"Radio\d\s*,\s*\"(\w+)\"", body.group(1) if body else ""):
        shortcuts.add(m.group(1))
        col.add(m.group(1), "cmd", "gamecmd", "16", "cs16-game", "%s:%s" % (REGAME, client))

    def regame_version(name, switch, path):
        low = name.lower()
        if switch == "own":
            return rescued(low, path, switch) or ("regamedll", "regamedll-own")
        if switch == "latest":
            return "later", "build-latest"
        if LATER_GAME.match(low):
            return "later", "steam-update"
        if low in shortcuts or CS16_GAME.match(low) or any(s in path for s in CS16_GAME_FILES):
            return "16", "cs16-game"
        return "15", "game"

    scan(regame, ("regamedll/dlls/", "regamedll/game_shared/", "regamedll/pm_shared/"), "game",
         regame_version, col)
    game_reads = list(reads(regame, ("regamedll/dlls/", "regamedll/game_shared/",
                                     "regamedll/pm_shared/"), "HEAD", "game-reads", True))

    # Read before the client rebuild and the GoldSrc-compatible engine, whose names are their own
    # unless the game shows them.
    for name, source in engine_reads:
        col.attest(name, "15", "sdk-reads", source)
    for name, source in game_reads:
        col.attest(name, "15", "game-reads", source)

    # The CS client rebuild: a name the reference or the SDK seed (the HL client the CS client was
    # built on) shows is 1.5's; one a config of the game shows or the CS 1.6 command list holds
    # is the 1.6 client's; the rest are the rebuild's own.
    def client_version(name, switch, path):
        low = name.lower()
        if low in seed_names:
            return "15", "sdk-seed"
        return game_shows(low, path) or ("cs16client", "cs16client-own")

    csclient = Repo(sources, CSCLIENT)
    # Its archived variables count only for names of the game. A variable of the HL client that
    # the 1.6 client made a command (spec_pip) stays the 1.5 client's variable.
    col.promote = False
    scan(csclient, ("cl_dll/", "game_shared/", "pm_shared/"), "client", client_version, col,
         skip=("/touch", "input_sdl", "android"))
    col.promote = True

    # The client side of the engine: the whole-engine rebuild (the Steam engine's lineage).
    regs = Repo(sources, REGS)
    scan(regs, ("engine/",), "engine", engine_version, col)

    # The GoldSrc-compatible engine: read last. Only names that something of the game shows are
    # the game's (its code is its own); its archived flags are its own too.
    xash = Repo(sources, XASH)

    def xash_version(name, switch, path):
        low = name.lower()
        if XASH_LEFT_OUT.match(low) or col.has(name):
            return None
        shown = game_shows(low, path)
        if shown and len(shown) == 3:
            # A config the game wrote shows the name: it is the game's, and the engine's lineage
            # dates it (a config only shows that the build that wrote it saved it).
            return engine_version(low, None, path)[0], shown[1], shown[2]
        return shown or ("xash", "xash-own")

    scan(xash, ("engine/client/", "engine/common/", "ref/gl/"), "engine", xash_version, col,
         skip=("/platform/", "/touch", "imagelib", "soundlib", "mobility", "/voice.c"),
         archive=False)

    # The command list taken from CS 1.6. It cuts names at 16 characters: such a name counts only
    # if another source has it.
    for name in listed:
        if len(name) >= 16 and (name.lower(), False) not in col.entries:
            continue
        version, rule = engine_version(name, None, listing)
        col.add(name, "cmd", "console", version, "cmdlist-1.6" if rule == "engine" else rule,
                "%s:%s" % (OGS, listing))

    # The configs the game wrote: every variable there is the game's and saved; one no code above
    # registers is known from the config alone.
    for (repo_name, branch, path, version, rule, what, source), names, commands in configs:
        for name in names:
            low = name.lower()
            dated, rule_here, _ = config_dating(name, version, rule, won, source)
            if not col.has(name) and low in CONFIG_ONLY_LATER:
                dated = "later"
            col.add(name, "cvar", "config", dated, rule_here, source, saved=True)
        for name in commands:
            col.add(name, "cmd", "config", "16" if version == "15" else version, "game-config",
                    source)
    # The pre-Steam launcher's settings: the game of that era saved them.
    for (repo_name, branch, path, version, rule, what, source), names, commands in configs:
        if rule == "era-layout":
            for name in WON_LAUNCHER_SETTINGS:
                if name.lower() not in {n.lower() for n in names}:
                    sys.exit("%s lacks the launcher's setting %s" % (source, name))

    # The era's own files date what 1.5 had.
    era = era_files.date_by_era(lambda repo, path: Repo(sources, repo).read_bytes(path), col,
                                reference)
    for low in sorted(STEAM_ERA_ENGINE | STEAM_UPDATES):
        if low in era:
            sys.exit("%s is listed as a Steam release's but %s holds it" % (low, era[low][1]))

    # Names only Half-Life's own code has are Half-Life's: left out.
    half_lifes = [k for k, e in col.entries.items() if col.is_half_lifes(e) and k[0] not in era]
    for key in half_lifes:
        del col.entries[key]
    print("left out as Half-Life's own: %d names" % len(half_lifes))

    # The reference explains a name the 1.5 files lack: its explanation should say so.
    for (low, is_key), e in sorted(col.entries.items()):
        if not is_key and low in reference and low not in era:
            print("reference explains a name the 1.5 files lack:", e["name"], col.decided(e))

    # Key names: the engine's table (as the rebuilds give it), without game pad names.
    for repo, path in ((ogs, "ogs/engine/rw17/input/keys.cpp"),
                       (xash, "engine/client/input/in_keys.c")):
        for m in KEY_ENTRY.finditer(repo.read(path)):
            name = m.group(1)
            if not PAD_KEYS.search(name):
                col.add(name, "key", "engine", "15", "engine", "%s:%s" % (repo.name, path))

    write(col)
    era_files.write_era(col, era, ERA_OUT, ROOT)


def config_dating(name, version, rule, won, source):
    """How a config the game wrote dates a name it holds: (version, rule, source). The 1.5 era's
    layout (the pre-Steam launcher's) counts for the launcher's own settings; the rest of that
    file, like every Steam release's, dates by the build that wrote it."""
    if rule == "era-layout":
        return ("15", "era-config", source) if name.lower() in won else \
            ("16", "game-config", source)
    return version, rule, source


def write(col):
    rows = sorted(col.entries.values(), key=lambda e: (e["kind"] == "key", e["name"].lower()))
    out = ["// The GoldSrc console vocabulary, written by tools/data/gen_vocabulary.py from public",
           "// game code and configs the game wrote: name, kind (cmd, cvar, key), where it is",
           "// registered (engine, client, game, gamecmd: handled by the game server, demo, hltv;",
           "// config: only seen in the settings the game writes), what it is (15, 16, later: the",
           "// first game version that has it; rehlds, regamedll, cs16client, xash: only in that",
           "// rebuild's own additions, not in the game), the repository:file it was found in, the",
           "// rule that decided it, and \"saved\" for a setting the game keeps in config.cfg."]
    counts = {}
    for e in rows:
        version, rule, source = col.decided(e)
        flags = "saved" if e["saved"] else "-"
        out.append("\t".join((e["name"], e["kind"], e["place"], version, source, rule, flags)))
        counts[(e["kind"], version)] = counts.get((e["kind"], version), 0) + 1
    data = ("\r\n".join(out) + "\r\n").encode("cp1251")
    with open(OUT, "wb") as f:
        f.write(data)
    saved = sum(1 for e in rows if e["saved"])
    print("%s: %d names, %d saved %s" % (os.path.relpath(OUT, ROOT), len(rows), saved,
                                          sorted(counts.items())))


if __name__ == "__main__":
    main()
