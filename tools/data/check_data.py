#!/usr/bin/env python3
# Self-check of the shipped data: data/dlls, data/help and demo/Half-Life.
# Run: python3 tools/data/check_data.py   (needs only Python 3; exit code 1 on any fault)
#
# It reads the files the way the editor does (Windows-1251 line lists, INI
# explanation files, MetaBind headers) and does not import the generators, so a
# fault in a generator's tables shows up here.

import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
DATA = os.path.join(ROOT, "data")
DLLS = os.path.join(DATA, "dlls")
HELP = os.path.join(DATA, "help")
GAME = os.path.join(ROOT, "demo", "Half-Life")
CSTRIKE = os.path.join(GAME, "cstrike")

CMD_FILES = ["Stcmd.dll", "Pmcmd.dll", "Reccmd.dll", "Otcmd.dll", "Pushki.dll"]
CVAR_FILES = ["Stcvr.dll", "Otcvr.dll", "Speccvr.dll", "Vccvr.dll", "Sv_cvr.dll", "Cl_cvr.dll",
              "Mp_cvr.dll", "Gl_cvr.dll", "S_cvr.dll", "R_cvr.dll", "Sk_cvr_hlife.dll", "Joycvr.dll"]

# Picture names of the wizard's buy page: weapon_<name>.jpg.
BUY_PICTURES = ["ak47", "aug", "m4a1", "m249", "p90", "g3sg1", "mac10", "m3", "awp", "mp5navy",
                "scout", "sg550", "sg552", "tmp", "ump45", "xm1014", "elite", "deagle",
                "fiveseven", "glock18", "p228", "usp", "kev", "kevhelmet", "flashbang",
                "hegrenade", "smokegrenade", "defuskid", "night"]

RADIO_SOUNDS = ["ct_coverme", "takepoint", "position", "regroup", "followme", "fireassis",
                "com_go", "fallback", "sticktog", "com_getinpos", "stormfront", "com_reportin",
                "roger", "ct_enemys", "ct_backup", "clear", "ct_inpos", "ct_reportingin", "blow",
                "negative", "enemydown"]

HELP_PAGES = ["help.html", "faq.html", "lessons.html", "about.html"]

faults = []


def fault(message):
    faults.append(message)


def rel(path):
    return os.path.relpath(path, ROOT)


def read_cp1251_lines(path):
    """Returns the lines of a cp1251 CR LF file, or None after reporting a fault."""
    try:
        raw = open(path, "rb").read()
    except OSError as e:
        fault("%s: cannot be read (%s)" % (rel(path), e))
        return None
    if b"\0" in raw:
        fault("%s: holds a NUL byte" % rel(path))
    try:
        text = raw.decode("cp1251")
    except UnicodeDecodeError as e:
        fault("%s: not valid Windows-1251 (%s)" % (rel(path), e))
        return None
    if raw and not raw.endswith(b"\r\n"):
        fault("%s: last line has no CR LF" % rel(path))
    if re.search(r"\r(?!\n)|(?<!\r)\n", text):
        fault("%s: a line end other than CR LF" % rel(path))
    lines = text.split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    return lines


def read_ini(path):
    """Sections of an INI file by lower-cased name -> {lower-cased key: value}; first wins."""
    lines = read_cp1251_lines(path)
    if lines is None:
        return {}
    sections = {}
    current = None
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        if not stripped or stripped.startswith(";"):
            continue
        if stripped.startswith("["):
            if not stripped.endswith("]") or stripped.count("]") != 1:
                fault("%s:%d: bad section header %r" % (rel(path), number, line))
                current = None
                continue
            name = stripped[1:-1].lower()
            if name in sections:
                fault("%s:%d: section [%s] repeated" % (rel(path), number, stripped[1:-1]))
                current = None
                continue
            current = sections.setdefault(name, {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current.setdefault(key.strip().lower(), value.strip())
        else:
            fault("%s:%d: line outside a section or without '=': %r" % (rel(path), number, line))
    return sections


def explained(sections, entry):
    value = sections.get(entry.lower(), {}).get("q")
    return bool(value) and value != "????" and len(value) <= 2047


def check_line_list(path):
    lines = read_cp1251_lines(path)
    if lines is None:
        return []
    seen = set()
    for number, entry in enumerate(lines, 1):
        if not entry:
            fault("%s:%d: empty entry" % (rel(path), number))
        elif entry != entry.strip():
            fault("%s:%d: blanks around entry %r" % (rel(path), number, entry))
        elif "]" in entry:
            fault("%s:%d: entry %r cannot name an INI section" % (rel(path), number, entry))
        if entry in seen:
            fault("%s:%d: entry %r listed twice" % (rel(path), number, entry))
        seen.add(entry)
    if not lines:
        fault("%s: no entries" % rel(path))
    return lines


def is_jpeg(path):
    try:
        raw = open(path, "rb").read()
    except OSError:
        return False
    return raw.startswith(b"\xff\xd8\xff") and raw.rstrip(b"\0").endswith(b"\xff\xd9")


def check_reference():
    ans1 = read_ini(os.path.join(DLLS, "ans1.pro"))
    all_entries = set()
    counts = {"commands": 0, "variables": 0}
    for folder, files, kind in ((DLLS, CMD_FILES, "commands"),
                                (os.path.join(DLLS, "cvardll"), CVAR_FILES, "variables")):
        for name in files:
            path = os.path.join(folder, name)
            if not os.path.isfile(path):
                fault("%s: missing category file" % rel(path))
                continue
            entries = check_line_list(path)
            counts[kind] += len(entries)
            for entry in entries:
                all_entries.add(entry.lower())
                if not explained(ans1, entry):
                    fault("%s: no explanation in ans1.pro for %r" % (name, entry))
                if kind == "commands" and name != "Pushki.dll" and entry[:1] in "+-":
                    if name == "Pmcmd.dll":
                        other = ("-" if entry[0] == "+" else "+") + entry[1:]
                        if other not in entries:
                            fault("Pmcmd.dll: %r has no %r" % (entry, other))
                if name == "Pmcmd.dll" and entry[:1] not in "+-":
                    fault("Pmcmd.dll: %r is not a +/- command" % entry)
                if name == "Pushki.dll":
                    if not entry.startswith("weapon_"):
                        fault("Pushki.dll: %r is not a weapon entity" % entry)
                    if not is_jpeg(os.path.join(DLLS, "cvardll", "guns", entry + ".jpg")):
                        fault("no valid picture guns/%s.jpg" % entry)
    for section in ans1:
        if section not in all_entries:
            fault("ans1.pro: section [%s] belongs to no category entry" % section)

    for name in BUY_PICTURES:
        if not is_jpeg(os.path.join(DLLS, "cvardll", "guns", "weapon_" + name + ".jpg")):
            fault("no valid picture guns/weapon_%s.jpg" % name)
    if not is_jpeg(os.path.join(DLLS, "unknown.jpg")):
        fault("no valid picture dlls/unknown.jpg")
    guns = os.path.join(DLLS, "cvardll", "guns")
    pictures = [f for f in os.listdir(guns)] if os.path.isdir(guns) else []
    for f in pictures:
        size = os.path.getsize(os.path.join(guns, f))
        if not f.endswith(".jpg") or size > 40000:
            fault("guns/%s: not a small .jpg (%d bytes)" % (f, size))

    ans2 = read_ini(os.path.join(DLLS, "ans2.pro"))
    dlz = os.path.join(DLLS, "dlz")
    libraries = sorted(f for f in os.listdir(dlz) if f.lower().endswith(".dlz"))
    values = 0
    for f in libraries:
        entries = check_line_list(os.path.join(dlz, f))
        values += len(entries)
        own_path = os.path.join(dlz, f[:-4] + ".pro")
        own = read_ini(own_path) if os.path.isfile(own_path) else {}
        for entry in entries:
            if not explained(own, entry) and not explained(ans2, entry):
                fault("dlz/%s: no explanation for %r" % (f, entry))
    for f in os.listdir(dlz):
        if not f.lower().endswith((".dlz", ".pro")):
            fault("dlz/%s: neither a library nor its explanations" % f)

    metabinds = check_metabinds()
    return counts, len(ans1), len(ans2), len(libraries), values, len(pictures), metabinds


def check_metabinds():
    folder = os.path.join(DLLS, "metabinds")
    files = sorted(f for f in os.listdir(folder) if f.lower().endswith(".mtb"))
    names = set()
    for f in files:
        path = os.path.join(folder, f)
        lines = read_cp1251_lines(path)
        if lines is None:
            continue
        text = "\r\n".join(lines)
        cut = text.find("\r\n[MetaBind]")
        if cut < 0:
            fault("metabinds/%s: no [MetaBind] header after a line break" % f)
            continue
        body = text[:cut]
        header = lines[len(body.split("\r\n")):]
        keys = {}
        for line in header[1:]:
            if "=" not in line:
                fault("metabinds/%s: header line %r" % (f, line))
                continue
            key, value = line.split("=", 1)
            keys[key.strip().lower()] = value.strip()
        name, label, but = keys.get("name"), keys.get("label"), keys.get("but", "")
        if not name or name == "error":
            fault("metabinds/%s: no name" % f)
        if name in names:
            fault("metabinds/%s: name %r used twice" % (f, name))
        names.add(name)
        if not label or label == "error":
            fault("metabinds/%s: no label" % f)
        if not but.isdigit() or not 1 <= int(but) <= 255:
            fault("metabinds/%s: but=%r is not a slot count" % (f, but))
            continue
        used = {int(n) for n in re.findall(r"<<(\d+)>>", body)}
        wanted = set(range(1, int(but) + 1))
        if used != wanted:
            fault("metabinds/%s: placeholders %s, but=%s" % (f, sorted(used), but))
        if "bind" not in body:
            fault("metabinds/%s: the body binds no key" % f)
    return len(files)


def check_help():
    for page in HELP_PAGES + ["style.css"]:
        path = os.path.join(HELP, page)
        try:
            text = open(path, "rb").read().decode("utf-8")
        except (OSError, UnicodeDecodeError) as e:
            fault("help/%s: missing or not UTF-8 (%s)" % (page, e))
            continue
        if not page.endswith(".html"):
            continue
        if '<meta charset="utf-8">' not in text:
            fault("help/%s: no <meta charset=\"utf-8\">" % page)
        if "style.css" not in text:
            fault("help/%s: does not use style.css" % page)
        anchors = set(re.findall(r'id="([^"]+)"', text))
        for link in re.findall(r'href="([^"]+)"', text):
            if re.match(r"[a-z]+:", link):
                continue
            target, _, anchor = link.partition("#")
            if target and not os.path.isfile(os.path.join(HELP, target)):
                fault("help/%s: link to missing %s" % (page, target))
            if anchor:
                other = text if not target else open(os.path.join(HELP, target), encoding="utf-8").read()
                if 'id="%s"' % anchor not in other:
                    fault("help/%s: link to missing anchor %s" % (page, link))
        del anchors


def read_wav(path):
    raw = open(path, "rb").read()
    if raw[:4] != b"RIFF" or raw[8:12] != b"WAVE":
        return None
    pos = 12
    fmt = None
    while pos + 8 <= len(raw):
        chunk, size = raw[pos:pos + 4], struct.unpack("<I", raw[pos + 4:pos + 8])[0]
        if chunk == b"fmt ":
            fmt = struct.unpack("<HHIIHH", raw[pos + 8:pos + 24])
        if chunk == b"data":
            return fmt, size
        pos += 8 + size + (size & 1)
    return None


def check_demo():
    texts = []
    for folder, _dirs, files in os.walk(GAME):
        for f in files:
            if f.lower().endswith((".cfg", ".txt", ".gam", ".scr")):
                texts.append(os.path.join(folder, f))
    for path in texts:
        read_cp1251_lines(path)

    for mod in ("cstrike", "valve"):
        if not os.path.isfile(os.path.join(GAME, mod, "settings.scr")):
            fault("demo: %s/settings.scr missing" % mod)
        liblist = read_cp1251_lines(os.path.join(GAME, mod, "liblist.gam")) or []
        text = "\r\n".join(liblist)
        for key in ("game", "version"):
            m = re.search(key + r' "([^"]*)"', text)
            if not m or not m.group(1):
                fault("demo: %s/liblist.gam has no %s \"...\"" % (mod, key))
    if not os.path.isfile(os.path.join(CSTRIKE, "cstrike.ico")):
        fault("demo: cstrike/cstrike.ico missing")
    else:
        head = open(os.path.join(CSTRIKE, "cstrike.ico"), "rb").read(6)
        if head[:4] != b"\0\0\1\0":
            fault("demo: cstrike/cstrike.ico is not an icon file")
    drivers = [f for f in os.listdir(os.path.join(GAME, "gldrv")) if f.lower().endswith(".dll")]
    if not drivers:
        fault("demo: gldrv holds no .dll")
    if os.path.exists(os.path.join(GAME, "hl.exe")):
        fault("demo: hl.exe must not be shipped")

    maps_dir = os.path.join(CSTRIKE, "maps")
    maps = sorted(f[:-4] for f in os.listdir(maps_dir) if f.endswith(".bsp"))
    for m in maps:
        description = os.path.join(maps_dir, m + ".txt")
        if not os.path.isfile(description):
            fault("demo: no description maps/%s.txt" % m)
    for m in read_cp1251_lines(os.path.join(CSTRIKE, "mapcycle.txt")) or []:
        if m not in maps:
            fault("demo: mapcycle.txt names %r, which is not in maps" % m)
    for cfg in ("config.cfg", "autoexec.cfg"):
        if not os.path.isfile(os.path.join(CSTRIKE, cfg)):
            fault("demo: cstrike/%s missing" % cfg)

    radio = os.path.join(CSTRIKE, "sound", "radio")
    for name in RADIO_SOUNDS:
        path = os.path.join(radio, name + ".wav")
        if not os.path.isfile(path):
            fault("demo: radio sound %s.wav missing" % name)
            continue
        wav = read_wav(path)
        if wav is None or wav[0] is None:
            fault("demo: %s.wav is not a WAV file" % name)
            continue
        (audio_format, channels, rate, _byte_rate, _align, bits), size = wav
        if audio_format != 1 or channels != 1 or rate != 22050 or bits not in (8, 16) or size == 0:
            fault("demo: %s.wav is not mono 22050 Hz PCM" % name)
        if os.path.getsize(path) > 80000:
            fault("demo: %s.wav is larger than 80 KB" % name)
    return len(maps), len(RADIO_SOUNDS)


# What each version of goldsrc.voc may be decided by (the rule column), and which repository a
# rebuild's own name must come from. A name is the game's (15, 16, later) only when something of
# the game shows it: code built from the original game outside the rebuilds' own switches, a
# config the game wrote, the CS 1.6 command list, the files of the 1.5 era. A name is 15 only by
# the era's files (tools/data/era_names.txt lists what they hold) or the era's launcher settings;
# a key name by the engine's key table.
VOC_RULES = {
    "15": {"era-registered", "era-string", "era-readme", "era-voice", "era-config", "engine"},
    "16": {"steam-release", "steam-engine", "cs16-game", "game-config"},
    "later": {"sdk-later", "steam-update", "build-latest", "game-config"},
    "rehlds": {"rehlds-own"},
    "regamedll": {"regamedll-own"},
    "cs16client": {"cs16client-own"},
    "xash": {"xash-own"},
}
OWN_SOURCES = {"rehlds": "dreamstalker/rehlds", "regamedll": "s1lentq/ReGameDLL_CS",
               "cs16client": "Velaron/cs16-client", "xash": "FWGS/xash3d-fwgs"}
# Rules that need no code of the game: the source itself is of the game (a config, a list).
SHOWN_BY_GAME = {"era-registered", "era-string", "era-readme", "era-voice", "era-config",
                 "game-config"}
# The files of the 1.5 era, as tools/data/era_names.txt names them.
ERA_FILES = {"SmileyAG/HLSDK20:valve_binaries/hw.dll", "SmileyAG/HLSDK20:valve_binaries/sw.dll",
             "SmileyAG/HLSDK20:valve_binaries/engine_i386.so",
             "SmileyAG/HLSDK20:valve_binaries/hl.exe",
             "Ch0wW/docker-hlds-won2:config/cstrike/cl_dlls/client.dll",
             "Ch0wW/docker-hlds-won2:config/cstrike/dlls/cs_i386.so",
             "Ch0wW/docker-hlds-won2:config/cstrike/readme.txt"}
ERA_NAMES = os.path.join(HERE, "era_names.txt")
ERA_LIST_RULES = ("era-registered", "era-string", "era-readme", "era-voice")
# The settings the pre-Steam launcher (WON hl.exe build 1792, 2001) keeps in config.cfg and writes
# back (oxiKKK/re-goldsrc-won-launcher-1792: CfgFloatField, CFG_WriteConfig), as the default
# config.cfg of the dedicated server holds them (Drazendrazan/cstrike_steamcmd_archive, branch
# 5787): the 1.5 era's own names, known, 15 and saved.
ERA_SETTINGS = [
    "lookstrafe", "m_pitch", "lookspring", "crosshair", "_windowed_mouse", "m_filter", "joystick",
    "sv_aim", "console", "cl_himodels", "d_spriteskip", "sensitivity", "viewsize", "brightness",
    "gamma", "bgmvolume", "suitvolume", "hisound", "volume", "voice_scale", "voice_modenable",
    "s_a3d", "s_eax", "rate", "model", "topcolor", "bottomcolor", "name",
]


def read_era_names():
    """tools/data/era_names.txt: {lower name: (name, rule, source)}."""
    era = {}
    try:
        lines = open(ERA_NAMES, encoding="ascii").read().split("\n")
    except (OSError, UnicodeDecodeError) as e:
        fault("%s: cannot be read (%s)" % (rel(ERA_NAMES), e))
        return era
    for number, line in enumerate(lines, 1):
        if not line or line.startswith("//"):
            continue
        fields = line.split("\t")
        if len(fields) != 3 or fields[1] not in ERA_LIST_RULES \
                or fields[2] not in ERA_FILES:
            fault("%s:%d: not name, era rule, era file: %r" % (rel(ERA_NAMES), number, line))
            continue
        if fields[0].lower() in era:
            fault("%s:%d: %s listed twice" % (rel(ERA_NAMES), number, fields[0]))
        era[fields[0].lower()] = tuple(fields)
    if len(era) < 800:
        fault("%s: only %d names" % (rel(ERA_NAMES), len(era)))
    return era


def check_vocabulary():
    """dlls/goldsrc.voc: name, kind, place, version, source, rule and saved flag on every line,
    each name once; versions by origin (items 1-2 of the vocabulary's rules above); 15 only by
    the era's files, and every name they hold 15."""
    path = os.path.join(DLLS, "goldsrc.voc")
    lines = read_cp1251_lines(path)
    if lines is None:
        return 0
    era = read_era_names()
    seen = {}
    count = 0
    for number, line in enumerate(lines, 1):
        if line.startswith("//"):
            continue
        fields = line.split("\t")
        where = "%s:%d" % (rel(path), number)
        if len(fields) != 7:
            fault("%s: %d fields, not 7" % (where, len(fields)))
            continue
        name, kind, place, version, source, rule, flags = fields
        if not re.match(r"^[A-Za-z0-9_+\-.]+$", name):
            fault("%s: name %r is not a console name" % (where, name))
        if kind not in ("cmd", "cvar", "key"):
            fault("%s: kind %r" % (where, kind))
        if place not in ("engine", "client", "console", "game", "gamecmd", "demo", "hltv", "config"):
            fault("%s: place %r" % (where, place))
        if version not in VOC_RULES:
            fault("%s: version %r" % (where, version))
        elif rule not in VOC_RULES[version]:
            fault("%s: %s is %s by rule %r, which cannot decide that" % (where, name, version, rule))
        if not re.match(r"^[\w.-]+/[\w.-]+:\S+$", source):
            fault("%s: source %r is not repository:file" % (where, source))
        repo = source.split(":")[0]
        # A rebuild's own name comes from that rebuild's code.
        if version in OWN_SOURCES and repo != OWN_SOURCES[version]:
            fault("%s: %s is %s's own but found in %s" % (where, name, version, repo))
        # A name of the game whose only source is a rebuild's extension code (Xash3D, the CS
        # client rebuild) needs a rule that something of the game shows it.
        if kind != "key" and version in ("15", "16", "later") and repo in (OWN_SOURCES["xash"],
                                                          OWN_SOURCES["cs16client"]) \
                and rule not in SHOWN_BY_GAME and rule != "sdk-seed":
            fault("%s: %s is %s but only extension code (%s) shows it" % (where, name, version, repo))
        if flags not in ("saved", "-"):
            fault("%s: flags %r" % (where, flags))
        if flags == "saved" and kind == "key":
            fault("%s: key %s is saved" % (where, name))
        if rule in ("era-config", "game-config") and flags != "saved" and kind == "cvar":
            fault("%s: %s comes from a config the game wrote but is not saved" % (where, name))
        if rule == "era-config" and version != "15":
            fault("%s: %s is a 1.5-era setting but marked %s" % (where, name, version))
        # A name of the era's files is 15, by the file the list names; no other name is 15 but
        # a launcher setting or a key.
        held = era.get(name.lower()) if kind != "key" else None
        if held and (version != "15" or (rule, source) != held[1:]) and rule != "era-config":
            fault("%s: %s is in %s (%s) but dated %s by %s (%s)"
                  % (where, name, held[2], held[1], version, rule, source))
        if rule in ERA_LIST_RULES and not held:
            fault("%s: %s is dated by %s, but the era's files do not hold it"
                  % (where, name, rule))
        if rule == "engine" and kind != "key":
            fault("%s: %s is dated by the engine's key table but is no key" % (where, name))
        key = (name.lower(), kind == "key")
        if key in seen:
            fault("%s: %s listed twice" % (where, name))
        seen[key] = (version, flags)
        count += 1
    for low, (name, rule, source) in sorted(era.items()):
        if (low, False) not in seen:
            fault("%s: %s holds %s, which the vocabulary lacks" % (rel(ERA_NAMES), source, name))
    for name in ERA_SETTINGS:
        version, flags = seen.get((name, False), (None, None))
        if version != "15" or flags != "saved":
            fault("%s: the 1.5 era's setting %s is %s, %s (not 15, saved)"
                  % (rel(path), name, version or "missing", flags))
    if count < 1000:
        fault("%s: only %d names" % (rel(path), count))
    return count


def total_size(*folders):
    total = 0
    for top in folders:
        for folder, _dirs, files in os.walk(top):
            total += sum(os.path.getsize(os.path.join(folder, f)) for f in files)
    return total


def main():
    counts, ans1, ans2, libraries, values, pictures, metabinds = check_reference()
    check_help()
    vocabulary = check_vocabulary()
    maps, radio = check_demo()
    size = total_size(DATA, os.path.join(ROOT, "demo"))
    if size > 5 * 1024 * 1024:
        fault("data/ and demo/ together hold %d bytes, more than 5 MB" % size)

    print("commands %d, variables %d, ans1 sections %d, ans2 sections %d"
          % (counts["commands"], counts["variables"], ans1, ans2))
    print("libraries %d with %d values, pictures %d, MetaBinds %d, maps %d, radio sounds %d"
          % (libraries, values, pictures, metabinds, maps, radio))
    print("GoldSrc vocabulary %d names" % vocabulary)
    print("data/ + demo/: %.0f KB" % (size / 1024.0))
    for message in faults:
        print("FAULT:", message)
    print("ok" if not faults else "%d fault(s)" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
