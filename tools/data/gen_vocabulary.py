#!/usr/bin/env python3
# Collects the whole GoldSrc console vocabulary (commands, variables, key names) from public game
# code and writes data/dlls/goldsrc.voc, which the config check, completion and highlighting read.
# The explained reference (data/dlls/*.dll, ans1.pro) is separate and keeps its own lists.
#
# Run:  python3 tools/data/gen_vocabulary.py SOURCES
# SOURCES is a folder with one sub-folder per repository, named owner+name (for example
# SOURCES/dreamstalker+rehlds), each a checkout or a bare git directory (then its HEAD is read;
# a folder "repo" inside is looked for too). The repositories:
#   ValveSoftware/halflife          the Half-Life SDK (client and game libraries)
#   dreamstalker/rehlds             an open rebuild of the engine (dedicated server, HLTV)
#   iCHOPPERi/reGS                  an open rebuild of the whole engine (the client side)
#   FWGS/xash3d-fwgs                an open GoldSrc-compatible engine (the client side)
#   Counter-Strike-16/OpenGoldSrc   key table of the engine, command list taken from CS 1.6
#   s1lentq/ReGameDLL_CS            an open rebuild of the CS game library
#   Velaron/cs16-client             an open rebuild of the CS client library
# Needs python3 and git. Nothing fetched is kept: only the names, each with the repository and
# file it was found in. The generated file is committed; CI never runs this script.
#
# Each name gets the first game version the sources show it in:
#   15     CS 1.5 or earlier (no note in the check)
#   16     CS 1.6 / the Steam releases ("есть только в CS 1.6 и новее")
#   later  additions after 1.6 and those of the open rebuilds themselves (same note)
# How a version is decided (the 1.5 client and game libraries were never published, so the
# sources are read by era; see version_of below):
#   * the reference of this program was written for CS 1.5: a name it lists is 15;
#   * the HL SDK's first public seed (2013, the SDK 2.x code of the WON-era client and game) is
#     15; a name only later SDK commits add is later;
#   * the engine rebuild's original code (server, console, HLTV) is 15, except the Steam-era
#     additions of STEAM_ERA_ENGINE; code under its own REHLDS_ switches is later;
#   * the CS game rebuild reproduces CS 1.6: its original code is 15, except the features CS 1.6
#     brought (bots, the shield, FAMAS and Galil, buy and radio shortcut commands, autobuy and
#     rebuy, the tutor), which are 16; code under REGAMEDLL_ switches is later;
#   * the CS client library is only known from its CS 1.6 rebuild: a name there that neither the
#     reference nor the SDK seed (the HL client the CS client was built on) shows is 16;
#   * the client side of the engine is known from the whole-engine rebuild, then from the
#     GoldSrc-compatible engine and the command list taken from CS 1.6 (these two are read last
#     and only add names no other source has): the engine's own names (15, the engine's
#     lineage), except the Steam-era additions of STEAM_ERA_ENGINE.
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

HL = "ValveSoftware/halflife"
REHLDS = "dreamstalker/rehlds"
REGS = "iCHOPPERi/reGS"
XASH = "FWGS/xash3d-fwgs"
OGS = "Counter-Strike-16/OpenGoldSrc"
REGAME = "s1lentq/ReGameDLL_CS"
CSCLIENT = "Velaron/cs16-client"
HL_SEED = "de70fad"  # "initial seed of Half-Life 1 SDK", 2013-08-30

# Engine names of the Steam era (the master server regions, HTTP downloads, rcon banning, the
# LAN switch): the engine rebuild reproduces the Steam engine, these were not in 1.5's.
STEAM_ERA_ENGINE = {
    "sv_region", "sv_downloadurl", "sv_rcon_banpenalty", "sv_rcon_maxfailures",
    "sv_rcon_minfailures", "sv_rcon_minfailuretime", "sv_lan", "sv_lan_rate",
    "sv_allow_dlfile", "sv_logblocks", "sv_filetransfercompression", "sv_version",
    # in-game downloads, detail textures and the vertical sync switch of the Steam client
    "cl_download_ingame", "r_detailtextures", "gl_vsync",
}
# Names later than 1.6 that the sources carry without a switch: the 2023 anniversary update.
LATER = {"fps_override"}

# Variables that no source above has but that the game itself writes into config.cfg (its saved
# settings, under the line "This file is overwritten whenever you change your user settings in
# the game"), each in the configs written by the game of at least two public repositories; one
# of them is named. The spectator mode's is the 1.6 client's (no 1.5-era source has it); the
# others came with later Steam updates (the scoreboard's avatars, widescreen and shaders).
GAME_WRITTEN = {
    "spec_mode_internal": ("16", "FatihEjderYa/Half-Life:cstrike/config.cfg"),
    "sp_decals": ("later", "FatihEjderYa/Half-Life:cstrike/config.cfg"),
    "scoreboard_shortheaders": ("later", "FatihEjderYa/Half-Life:cstrike/config.cfg"),
    "scoreboard_showavatars": ("later", "FatihEjderYa/Half-Life:cstrike/config.cfg"),
    "gl_lowlatency": ("later", "Gwigzz/cs-1.6:config.cfg"),
    "gl_lowlatency_debugoutput": ("later", "Gwigzz/cs-1.6:config.cfg"),
    "gl_lowlatency_maxslop_ms": ("later", "Gwigzz/cs-1.6:config.cfg"),
    "gl_lowlatency_minslop_ms": ("later", "Gwigzz/cs-1.6:config.cfg"),
    "gl_use_shaders": ("later", "Gwigzz/cs-1.6:config.cfg"),
    "gl_widescreen_yfov": ("later", "Gwigzz/cs-1.6:config.cfg"),
    "r_prefertexturefiltering": ("later", "Gwigzz/cs-1.6:config.cfg"),
}

# Families of the GoldSrc-compatible engine that GoldSrc itself never had (touch screens,
# game pads, its own menus and renderers, SDL): left out of the vocabulary.
XASH_ONLY = re.compile(
    r"^(touch_|ui_|joy_|ref_|vk_|gl_msaa|r_vbo|sdl_|android|xash|_vid_|vid_|net_ws|voice_inputfromfile"
    r"|con_charset|con_fontscale|con_fontnum|host_allow_materials|cl_charset|m_ignore|m_grab)")

# Key names of the game pads and touch screens of the GoldSrc-compatible engine.
PAD_KEYS = re.compile(r"BUTTON|DPAD|STICK|PADDLE|TOUCHPAD|TRIGGER|INTERNATIONAL|^(BACK|MODE|START)$")

CMD_CALL = re.compile(
    r"\b(?:Cmd_AddCommand\w*|Cmd_AddRestrictedCommand|Cmd_AddClientCommand|Cmd_AddHUDCommand|"
    r"Cmd_AddGameCommand|pfnAddCommand|pfnAddServerCommand|HOOK_COMMAND|ADD_SERVER_COMMAND|"
    r"AddServerCommand|RegisterCommand|ADD_COMMAND)\s*\(\s*(?:[\w.>-]+\s*,\s*)?\"([^\"]+)\"")
CVAR_CALL = re.compile(
    r"\b(?:CVAR_CREATE|pfnRegisterVariable|Cvar_Get|Cvar_RegisterVariable)\s*\(\s*\"([^\"]+)\"")
CVAR_STRUCT = re.compile(r"\bcvar_t\s+\w+\s*=\s*\{\s*\"([^\"]+)\"")
CVAR_DEFINE = re.compile(r"\bCVAR_DEFINE\s*\(\s*\w+\s*,\s*\"([^\"]+)\"")
CVAR_DEFINE_AUTO = re.compile(r"\bCVAR_DEFINE_AUTO\s*\(\s*(\w+)")
CLIENT_COMMAND = re.compile(r"\bFStrEq\s*\(\s*(?:pcmd|pszCommand|pCmd|cmd)\s*,\s*\"([^\"]+)\"")
WEAPON_CLASS = re.compile(r"\bLINK_ENTITY_TO_CLASS\s*\(\s*(weapon_\w+)")
KEY_ENTRY = re.compile(r"\{\s*\"([^\"]+)\"\s*,\s*(?:K_\w+|'.'|\d+)")
NAME = re.compile(r"^[A-Za-z0-9_+\-.]+$")


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

    def read(self, path, commit="HEAD"):
        if self.git or commit != "HEAD":
            args = ["git", "--git-dir", self.base] if self.git else ["git", "-C", self.base]
            out = subprocess.run(args + ["show", "%s:%s" % (commit, path)], capture_output=True)
            return out.stdout.decode("latin-1") if out.returncode == 0 else ""
        with open(os.path.join(self.base, path), "rb") as f:
            return f.read().decode("latin-1")


def code_files(repo, folders, commit="HEAD"):
    for path in repo.files(commit):
        if path.endswith((".c", ".cpp", ".h")) and any(path.startswith(f) for f in folders):
            yield path


def lines_with_switches(text):
    """Yields (line, under_rebuild_switch) with a small #if tracker: a line inside a block opened by
    a condition naming REHLDS_ or REGAMEDLL_ is the rebuild's own (its #else branch is not)."""
    stack = []
    for line in text.split("\n"):
        s = line.strip()
        m = re.match(r"#\s*(ifdef|ifndef|if|elif|else|endif)\b(.*)", s)
        if m:
            kind, cond = m.group(1), m.group(2)
            own = bool(re.search(r"REHLDS_|REGAMEDLL_", cond))
            if kind in ("ifdef", "if"):
                stack.append(own)
            elif kind == "ifndef":
                stack.append(False)
            elif kind == "elif" and stack:
                stack[-1] = own
            elif kind == "else" and stack:
                stack[-1] = False
            elif kind == "endif" and stack:
                stack.pop()
            continue
        yield line, any(stack)


class Collector:
    def __init__(self):
        self.entries = {}  # lower name -> dict

    def add(self, name, kind, place, version, source, fallback=False):
        name = name.strip()
        if not NAME.match(name) or len(name) < 2 and kind != "key":
            return
        key = (name.lower(), kind == "key")
        order = {"15": 0, "16": 1, "later": 2}
        old = self.entries.get(key)
        if old is not None and fallback:
            return
        if old is None:
            self.entries[key] = {"name": name, "kind": kind, "place": place, "version": version,
                                 "source": source}
            return
        # The earliest version wins; a command of the engine or client outranks the others
        # (it is the one the console finds first), and a command outranks a variable.
        if order[version] < order[old["version"]]:
            old["version"] = version
            old["source"] = source
        rank = {"engine": 0, "client": 1, "game": 2, "gamecmd": 3, "demo": 4, "hltv": 5,
                "console": 6}
        if kind == "cmd" and old["kind"] == "cvar" and place in ("engine", "client", "console"):
            old["kind"], old["place"] = kind, place
        elif kind == old["kind"] and rank.get(place, 9) < rank.get(old["place"], 9):
            old["place"] = place


def scan(repo, folders, place, version_rule, col, commit="HEAD", skip=(), fallback=False):
    """Registrations in code: commands, variables, game client commands and weapon names."""
    for path in code_files(repo, folders, commit):
        if any(s in path for s in skip):
            continue
        text = repo.read(path, commit)
        source = "%s:%s" % (repo.name, path)
        for line, own in lines_with_switches(text):
            found = []
            for m in CMD_CALL.finditer(line):
                found.append((m.group(1), "cmd", place))
            for rx in (CVAR_CALL, CVAR_STRUCT, CVAR_DEFINE, CVAR_DEFINE_AUTO):
                for m in rx.finditer(line):
                    found.append((m.group(1), "cvar", place))
            for m in CLIENT_COMMAND.finditer(line):
                found.append((m.group(1), "cmd", "gamecmd"))
            for m in WEAPON_CLASS.finditer(line):
                found.append((m.group(1), "cmd", "gamecmd"))
            for name, kind, where in found:
                v = version_rule(name, own, path)
                if v:
                    col.add(name, kind, where, v, source, fallback)


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


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__ or "usage: gen_vocabulary.py SOURCES")
    sources = sys.argv[1]
    col = Collector()
    reference = reference_names()

    # The HL SDK: names of the first seed are 1.5-era, later commits' names are later.
    hl = Repo(sources, HL)
    hl_folders = ("cl_dll/", "dlls/", "pm_shared/", "game_shared/")
    seed = Collector()
    scan(hl, hl_folders, "client", lambda n, own, p: "15", seed, commit=HL_SEED)
    seed_names = {k[0] for k in seed.entries}

    def hl_place(path):
        return "client" if path.startswith("cl_dll/") else "game"

    scan_split(hl, hl_folders, hl_place,
               lambda n, own, p: "15" if n.lower() in seed_names else "later", col)

    # The engine rebuild: the engine, the HLTV demo player and proxy.
    rehlds = Repo(sources, REHLDS)

    def rehlds_version(name, own, path):
        low = name.lower()
        if own or "rehlds" in low:
            return "later"
        if low in LATER:
            return "later"
        return "16" if low in STEAM_ERA_ENGINE else "15"

    scan(rehlds, ("rehlds/engine/",), "engine", rehlds_version, col)
    scan(rehlds, ("rehlds/HLTV/DemoPlayer/",), "demo", rehlds_version, col)
    scan(rehlds, ("rehlds/HLTV/Proxy/", "rehlds/HLTV/Core/", "rehlds/HLTV/Director/"), "hltv",
         rehlds_version, col)

    # The CS game rebuild. Its buy and radio shortcut commands came with CS 1.6.
    regame = Repo(sources, REGAME)
    shortcuts = set()
    weapontype = "regamedll/dlls/weapontype.cpp"
    text = regame.read(weapontype)
    for table in ("g_autoBuyInfo", "g_weaponBuyAliasInfo"):
        body = re.search(table + r"\[\]\s*=\s*\{(.*?)\n\};", text, re.S)
        for m in re.finditer(r"\{\s*(?:[A-Z_|]+\s*,\s*)?\"([a-z0-9]+)\"", body.group(1) if body else ""):
            shortcuts.add(m.group(1))
            col.add(m.group(1), "cmd", "gamecmd", "16", "%s:%s" % (REGAME, weapontype))
    client = "regamedll/dlls/client.cpp"
    text = regame.read(client)
    body = re.search(r"radioInfo\[\]\s*=\s*\{(.*?)\n\};", text, re.S)
    for m in re.finditer(r"Radio\d\s*,\s*\"(\w+)\"", body.group(1) if body else ""):
        shortcuts.add(m.group(1))
        col.add(m.group(1), "cmd", "gamecmd", "16", "%s:%s" % (REGAME, client))

    def regame_version(name, own, path):
        low = name.lower()
        if own:
            return "later"
        if low in shortcuts or CS16_GAME.match(low) or any(s in path for s in CS16_GAME_FILES):
            return "16"
        return "15"

    scan(regame, ("regamedll/dlls/", "regamedll/game_shared/", "regamedll/pm_shared/"), "game",
         regame_version, col)

    # The CS client rebuild: names no 1.5-era source shows are 16.
    def client_version(name, own, path):
        low = name.lower()
        if low in LATER or own:
            return "later"
        return "15" if low in reference or low in seed_names else "16"

    # The client side of the engine, from the sources read last: the engine's lineage.
    def engine_version(name, own, path):
        low = name.lower()
        if low in LATER or own:
            return "later"
        return "16" if low in STEAM_ERA_ENGINE else "15"

    csclient = Repo(sources, CSCLIENT)
    scan(csclient, ("cl_dll/", "game_shared/", "pm_shared/"), "client", client_version, col,
         skip=("/touch", "input_sdl", "android"))

    regs = Repo(sources, REGS)
    scan(regs, ("engine/",), "engine", engine_version, col)

    xash = Repo(sources, XASH)

    def xash_version(name, own, path):
        return None if XASH_ONLY.match(name.lower()) else engine_version(name, own, path)

    scan(xash, ("engine/client/", "engine/common/", "ref/gl/"), "engine", xash_version, col,
         skip=("/platform/", "/touch", "imagelib", "soundlib", "mobility", "/voice.c"),
         fallback=True)

    ogs = Repo(sources, OGS)
    listing = "docs/cmdlist.txt"
    for raw in ogs.read(listing).split("\n"):
        name = raw.split("//")[0].strip()
        if not name or name.startswith("#") or " " in name or not NAME.match(name):
            continue
        # The list cuts names at 16 characters: such a name counts only if another source has it.
        if len(name) >= 16 and (name.lower(), False) not in col.entries:
            continue
        col.add(name, "cmd", "console", engine_version(name, False, listing),
                "%s:%s" % (OGS, listing), fallback=True)

    # Saved settings the game writes that no code above registers (see GAME_WRITTEN).
    for name, (version, source) in GAME_WRITTEN.items():
        col.add(name, "cvar", "config", version, source, fallback=True)

    # Key names: the engine's table (as the rebuilds give it), without game pad names.
    for repo, path in ((ogs, "ogs/engine/rw17/input/keys.cpp"),
                       (xash, "engine/client/input/in_keys.c")):
        for m in KEY_ENTRY.finditer(repo.read(path)):
            name = m.group(1)
            if not PAD_KEYS.search(name):
                col.add(name, "key", "engine", "15", "%s:%s" % (repo.name, path))

    write(col)


def scan_split(repo, folders, place_of, rule, col):
    for folder in folders:
        place = place_of(folder)
        scan(repo, (folder,), place, rule, col)


def write(col):
    rows = sorted(col.entries.values(), key=lambda e: (e["kind"] == "key", e["name"].lower()))
    out = ["// The GoldSrc console vocabulary, written by tools/data/gen_vocabulary.py from public",
           "// game code: name, kind (cmd, cvar, key), where it is registered (engine, client,",
           "// game, gamecmd: handled by the game server, demo, hltv; config: only seen in the",
           "// settings the game writes), first version (15, 16, later) and the repository:file",
           "// it was found in."]
    for e in rows:
        out.append("\t".join((e["name"], e["kind"], e["place"], e["version"], e["source"])))
    data = ("\r\n".join(out) + "\r\n").encode("cp1251")
    with open(OUT, "wb") as f:
        f.write(data)
    counts = {}
    for e in rows:
        counts[(e["kind"], e["version"])] = counts.get((e["kind"], e["version"]), 0) + 1
    print("%s: %d names %s" % (os.path.relpath(OUT, ROOT), len(rows), sorted(counts.items())))


if __name__ == "__main__":
    main()
