#!/usr/bin/env python3
# The console names in the game's own files of the CS 1.5 era: the Half-Life 1.1.0.7 release of
# July 2001 (SmileyAG/HLSDK20, folder valve_binaries) and Counter-Strike 1.5 as released
# (Ch0wW/docker-hlds-won2, folder config/cstrike; its liblist.gam says version 1.5). Only their
# strings and data are read: no code of them runs and nothing of them is kept but the names.
#
# A name is found two ways:
#   registered  the file registers it: a static variable (the engine's cvar_t: name, default,
#               flags, value, next), a command or variable registered by a call whose arguments
#               are the name and a handler in the code or a default string (push, push, call)
#   string      the file holds it as a whole string (between NUL bytes); gen_vocabulary.py takes
#               that only for a name code of the game registers (it dates, it never adds)
# The CS 1.5 client library is stored as the engine's "blob" (every byte XOR-chained from offset
# 68 on, the sections listed after the header): it is undone as the engine's loader does
# (LoadBlobFile in Counter-Strike-16/OpenGoldSrc, ogs/launcher/LoadBlob.cpp).
# date_by_era attests what these files hold in gen_vocabulary.py's collection, write_era writes
# tools/data/era_names.txt for check_data.py.

import os
import re
import struct

HLSDK20 = "SmileyAG/HLSDK20"
WON2 = "Ch0wW/docker-hlds-won2"

# The era's files: repository, file, where a name of it is registered (the vocabulary's place),
# and whether a name it registers is taken even when no other source has it (the Windows client's
# files, whose registrations read plainly; the Linux libraries address their strings relative to
# their data, so there only the strings are sure). The launcher's strings are the words of its
# windows ("listen", "joystick"): they date nothing. Half-Life's own game and client libraries
# (valve/dlls/hl.dll, valve/cl_dlls/client.dll) are not read: a name only they have is
# Half-Life's, not Counter-Strike's.
ERA_FILES = [
    (HLSDK20, "valve_binaries/hw.dll", "engine", True),           # the WON engine, OpenGL
    (HLSDK20, "valve_binaries/sw.dll", "engine", True),           # the WON engine, software
    (HLSDK20, "valve_binaries/engine_i386.so", "engine", False),  # the dedicated server's engine
    (HLSDK20, "valve_binaries/hl.exe", "launcher", False),        # the launcher (no strings)
    (WON2, "config/cstrike/cl_dlls/client.dll", "client", True),  # CS 1.5's client (a blob)
    (WON2, "config/cstrike/dlls/cs_i386.so", "game", False),      # CS 1.5's game library
]
# What says the CS folder is 1.5: its liblist.gam. Its readme.txt is the change log of 1.0 to 1.5:
# a name it quotes (the new variables, the setinfo items) or mentions is of those releases.
ERA_VERSION_FILE = (WON2, "config/cstrike/liblist.gam")
ERA_README = (WON2, "config/cstrike/readme.txt")

# Voice came to the engine after 1.1.0.7 (none of its files has a voice name) and before CS 1.5,
# whose client library holds the voice code's client half (voice_modenable, voice_showbanned) and
# whose game library its server half (voice_serverdebug, sv_alltalk); the 1.4 change log moves
# its sound to DirectSound. The engine's own part is not in the era's files: its talk command and
# its switches, which the rebuilds register with that code, are 1.5's all the same.
ERA_VOICE = {"+voicerecord", "-voicerecord", "voice_enable", "sv_voiceenable"}
ERA_VOICE_SOURCE = "%s:config/cstrike/cl_dlls/client.dll" % WON2

NAME = re.compile(rb"^[A-Za-z_+\-][A-Za-z0-9_+\-.]*$")
FCVAR_ARCHIVE = 1


class Image:
    """A binary's sections: (address, size in the file, offset in the file, holds code)."""

    def __init__(self, data, sections):
        self.data = data
        self.sections = sections

    def string(self, address):
        for start, size, offset, _code in self.sections:
            if start <= address < start + size:
                at = offset + address - start
                end = self.data.find(b"\0", at, at + 200)
                return None if end < 0 else self.data[at:end]
        return None

    def is_code(self, address):
        return any(code and start <= address < start + size
                   for start, size, _offset, code in self.sections)


def pe_image(data):
    header = struct.unpack_from("<I", data, 0x3C)[0]
    count = struct.unpack_from("<H", data, header + 6)[0]
    optional = struct.unpack_from("<H", data, header + 20)[0]
    base = struct.unpack_from("<I", data, header + 52)[0]
    sections = []
    for i in range(count):
        _name, _vsize, address, size, offset, _r, _l, _nr, _nl, flags = struct.unpack_from(
            "<8sIIIIIIHHI", data, header + 24 + optional + 40 * i)
        sections.append((base + address, size, offset, bool(flags & 0x20)))
    return Image(data, sections)


def elf_image(data):
    table = struct.unpack_from("<I", data, 0x20)[0]
    entry, count = struct.unpack_from("<HH", data, 0x2E)
    sections = []
    for i in range(count):
        _name, kind, flags, address, offset, size = struct.unpack_from(
            "<IIIIII", data, table + i * entry)
        if kind == 1 and address:  # bits of the program, loaded
            sections.append((address, size, offset, bool(flags & 4)))
    return Image(data, sections)


def blob_image(data):
    plain = bytearray(data)
    key = 0x57
    for i in range(68, len(plain)):
        plain[i] ^= key
        key = (key + plain[i] + 0x57) & 0xFF
    plain = bytes(plain)
    count = struct.unpack_from("<H", plain, 72)[0]
    sections = []
    for j in range(count + 1):
        address, _vsize, size, offset, _special = struct.unpack_from("<IIIII", plain, 92 + 20 * j)
        sections.append((address, size, offset, j == 0))
    return Image(plain, sections)


def image(data):
    if data[:2] == b"MZ":
        return pe_image(data)
    if data[:4] == b"\x7fELF":
        return elf_image(data)
    if len(data) > 68 and struct.unpack_from("<I", data, 64)[0] == 0x12345678:
        return blob_image(data)
    raise ValueError("neither PE, ELF nor blob")


def printable(text):
    return text is not None and len(text) <= 64 and all(32 <= c < 127 for c in text)


def console_name(text, commands=False):
    """A name the console could hold; commands are lower case (the rest are the game's
    network message names, registered by calls of the same shape)."""
    if text is None or len(text) < 2 or not NAME.match(text) or text.startswith(b"__"):
        return False
    if commands:
        return text[:1] in b"+-_" or text[:1].islower()
    return any(97 <= c <= 122 for c in text) and len(text) >= 3


def registered(img):
    """{name: (kind, archived)} that the binary registers."""
    found = {}
    data = img.data
    # Static variables: name, default, flags, value, next (0 until registered).
    for start, size, offset, code in img.sections:
        if code:
            continue
        for at in range(offset, offset + size - 20, 4):
            name, default, flags, value, following = struct.unpack_from("<IIIII", data, at)
            # (The value is set at registration: 0 in the file.)
            if following or value or flags > 0x3FF or name < 0x1000:
                continue
            text = img.string(name)
            if console_name(text) and printable(img.string(default)):
                found.setdefault(text.decode(), ("cvar", bool(flags & FCVAR_ARCHIVE)))
    # push handler; push name; call: a command.
    for m in re.finditer(rb"\x68(....)\x68(....)(?=[\xe8\xff])", data, re.S):
        handler, name = struct.unpack("<II", m.group(1) + m.group(2))
        text = img.string(name)
        if img.is_code(handler) and console_name(text, commands=True):
            found.setdefault(text.decode(), ("cmd", False))
    # push flags; push default; push name; call: a variable.
    for m in re.finditer(rb"(?:\x6a(.)|\x68(....)|[\x50-\x57])\x68(....)\x68(....)(?=[\xe8\xff])",
                         data, re.S):
        flags = m.group(1)[0] if m.group(1) is not None else \
            struct.unpack("<I", m.group(2))[0] if m.group(2) is not None else 0
        default, name = struct.unpack("<II", m.group(3) + m.group(4))
        text = img.string(name)
        if flags <= 0x3FF and printable(img.string(default)) and console_name(text) \
                and not img.is_code(default):
            found.setdefault(text.decode(), ("cvar", bool(flags & FCVAR_ARCHIVE)))
    return found


def strings(img):
    """Every name-like whole string of the binary's sections."""
    found = set()
    for _start, size, offset, _code in img.sections:
        for m in re.finditer(rb"(?<=\0)([A-Za-z_+\-][A-Za-z0-9_+\-.]{1,63})\0",
                             img.data[offset:offset + size]):
            found.add(m.group(1).decode())
    return found


def readme_names(text):
    """The change log's names: ({quoted}, {mentioned with an underscore})."""
    quoted = set(re.findall(r'"([A-Za-z_][A-Za-z0-9_]+)(?: [^"]*)?"', text))
    mentioned = {w for w in re.findall(r"\b[A-Za-z_][A-Za-z0-9_]*_[A-Za-z0-9_]+\b", text)}
    return quoted, mentioned


def read_era(read_bytes):
    """The names of the era's files: [(file source, place, whether its registrations alone add a
    name, {name: (kind, archived)}, {strings})].
    read_bytes(repository, path) gives a file's bytes (None when missing)."""
    text = read_bytes(*ERA_VERSION_FILE)
    if not text or not re.search(rb'version\s+"1\.5"', text):
        raise SystemExit("%s:%s does not say version 1.5" % ERA_VERSION_FILE)
    read = []
    for repo, path, place, adds in ERA_FILES:
        data = read_bytes(repo, path)
        if not data:
            raise SystemExit("missing era file: %s:%s" % (repo, path))
        img = image(data)
        read.append(("%s:%s" % (repo, path), place, adds, registered(img), strings(img)))
    return read


def read_readme(read_bytes):
    """The change log: (source, {quoted}, {mentioned})."""
    text = read_bytes(*ERA_README)
    if not text:
        raise SystemExit("missing era file: %s:%s" % ERA_README)
    return ("%s:%s" % ERA_README,) + readme_names(text.decode("latin-1"))


def date_by_era(read_bytes, col, explained=frozenset()):
    """Attests what the era's files hold: a name they register (a new one from the Windows
    client's files too), and a name the game's code registers that they hold as a string; not a
    buy shortcut or bot name CS 1.6 brought (the words "ak47" or "awp" are strings of any CS), nor
    a command of the HLTV proxy or demo player, whose programs are not among the era's files (their
    words, "delay" or "title", are strings of the game library too). A name only the
    GoldSrc-compatible engine registers counts when an engine file of the era holds it and it is
    shaped like a console name (rcon_address) or the reference explains it (password).
    col is gen_vocabulary's Collector; read_bytes(repository, path) gives a file's bytes;
    explained holds the lower-case names the reference explains.
    Returns {lower name: (rule, source)}, the strongest attestation of each."""
    era = {}
    for source, place, adds, names, held in read_era(read_bytes):
        for name, (kind, archived) in sorted(names.items()):
            e = col.entries.get((name.lower(), False))
            if e is None and not (adds and name == name.lower()):
                continue
            col.add(name, kind, "engine" if place == "launcher" else place, "15",
                    "era-registered", source,
                    saved=archived and kind == "cvar")
            if era.get(name.lower(), ("era-string",))[0] != "era-registered":
                era[name.lower()] = ("era-registered", source)
        for name in sorted(held if place != "launcher" else ()):
            e = col.entries.get((name.lower(), False))
            if e is None or name.lower() in era or e["place"] in ("hltv", "demo"):
                continue
            rules = {r for _, r, _ in e["attests"]}
            engines = place == "engine" and rules == {"xash-own"} and (
                "_" in name or name.lower() in explained)
            if not engines and (not col.is_games(name) or rules & {
                    "cs16-game", "xash-own", "cs16client-own", "rehlds-own", "regamedll-own"}):
                continue
            e["attests"].append(("15", "era-string", source))
            era[name.lower()] = ("era-string", source)
    # The change log: a quoted name is of 1.5 whoever else has it (the setinfo items _ah and
    # _vgui_menus of 1.4, which only the CS client rebuild registers); a mentioned one must be a
    # name of the game.
    source, quoted, mentioned = read_readme(read_bytes)
    for name in sorted(quoted | mentioned):
        e = col.entries.get((name.lower(), False))
        if e is None or name.lower() in era or (name not in quoted and not col.is_games(name)):
            continue
        e["attests"].append(("15", "era-readme", source))
        era[name.lower()] = ("era-readme", source)
        if e["saved"] is None and e.get("own_archived"):
            e["saved"] = e["own_archived"]
    for name in sorted(ERA_VOICE):
        e = col.entries.get((name, False))
        if e is None or name in era:
            raise SystemExit("the voice name %s is missing or dated already" % name)
        e["attests"].append(("15", "era-voice", ERA_VOICE_SOURCE))
        era[name] = ("era-voice", ERA_VOICE_SOURCE)
    return era


def write_era(col, era, path, root):
    """tools/data/era_names.txt: each name of the vocabulary the era's files hold, with the rule
    and the file (check_data.py holds goldsrc.voc to it without the files)."""
    out = ["// Names of the GoldSrc vocabulary that the files of the CS 1.5 era hold, written by",
           "// tools/data/gen_vocabulary.py (era_files.py reads them): the Half-Life 1.1.0.7",
           "// release of July 2001 (SmileyAG/HLSDK20, valve_binaries) and Counter-Strike 1.5 as",
           "// released (Ch0wW/docker-hlds-won2, config/cstrike). name, how (era-registered: the",
           "// file registers it; era-string: the file holds it and code of the game registers it;",
           "// era-readme: CS 1.5's change log names it; era-voice: the engine's voice names,",
           "// whose halves the CS 1.5 libraries hold), repository:file."]
    for low in sorted(era):
        e = col.entries.get((low, False))
        if e is not None:
            out.append("\t".join((e["name"], era[low][0], era[low][1])))
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(out) + "\n")
    print("%s: %d names" % (os.path.relpath(path, root), len(out) - 7))
