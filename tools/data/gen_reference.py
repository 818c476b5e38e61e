#!/usr/bin/env python3
# Writes the reference tree data/dlls (category lists, ans1.pro, ans2.pro, value
# libraries, MetaBind templates) from the content_*.py modules beside it.
# Run from anywhere: python3 tools/data/gen_reference.py   (needs only Python 3)
#
# Every file is Windows-1251 text with CR LF line ends, as the program reads it.

import os
import sys

sys.dont_write_bytecode = True

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import content_commands as cmd  # noqa: E402
import content_cvars as cvr  # noqa: E402
import content_libraries as lib  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
DLLS = os.path.join(ROOT, "data", "dlls")

# Category file -> its entries; CMD files lie in dlls/, CVAR files in dlls/cvardll/.
CMD_FILES = [
    ("Stcmd.dll", cmd.STANDART_CMD),
    ("Pmcmd.dll", cmd.plus_minus_entries()),
    ("Reccmd.dll", cmd.RECORD_CMD),
    ("Otcmd.dll", cmd.OTHER_CMD),
    ("Pushki.dll", cmd.weapon_entries()),
]
CVAR_FILES = [
    ("Stcvr.dll", cvr.STANDART_CVAR),
    ("Otcvr.dll", cvr.OTHER_CVAR),
    ("Speccvr.dll", cvr.SPECTATOR_CVAR),
    ("Vccvr.dll", cvr.VOICE_CVAR),
    ("Sv_cvr.dll", cvr.SV_CVAR),
    ("Cl_cvr.dll", cvr.CL_CVAR),
    ("Mp_cvr.dll", cvr.MP_CVAR),
    ("Gl_cvr.dll", cvr.GL_CVAR),
    ("S_cvr.dll", cvr.S_CVAR),
    ("R_cvr.dll", cvr.R_CVAR),
    ("Sk_cvr_hlife.dll", cvr.skill_entries()),
    ("Joycvr.dll", cvr.JOY_CVAR),
]


def write_text(path, lines):
    """Writes lines as cp1251 with CR LF after every line."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = "".join(line + "\r\n" for line in lines).encode("cp1251")
    with open(path, "wb") as f:
        f.write(data)


def check_entry(entry):
    # An entry is also an INI section name: it must stay on one line and
    # must not close the section header early.
    if not entry or "]" in entry or "\r" in entry or "\n" in entry or entry != entry.strip():
        raise SystemExit("unusable entry: %r" % entry)


def pro_lines(explanations):
    lines = []
    for entry, text in explanations:
        check_entry(entry)
        if "\n" in text or text.startswith('"') or not text.strip():
            raise SystemExit("unusable explanation for %r" % entry)
        lines.append("[" + entry + "]")
        lines.append("q=" + text)
    return lines


def collect(files):
    """Merges the explanations of several categories, one per entry."""
    merged = {}
    order = []
    for name, entries in files:
        seen = set()
        for entry, text in entries:
            if entry in seen:
                raise SystemExit("%s lists %s twice" % (name, entry))
            seen.add(entry)
            key = entry.lower()
            if key in merged:
                if merged[key][1] != text:
                    raise SystemExit("%s is explained twice, differently" % entry)
                continue
            merged[key] = (entry, text)
            order.append(key)
    return [merged[k] for k in order]


def main():
    for name, entries in CMD_FILES:
        write_text(os.path.join(DLLS, name), [e for e, _ in entries])
    for name, entries in CVAR_FILES:
        write_text(os.path.join(DLLS, "cvardll", name), [e for e, _ in entries])
    write_text(os.path.join(DLLS, "ans1.pro"), pro_lines(collect(CMD_FILES + CVAR_FILES)))

    dlz = os.path.join(DLLS, "dlz")
    os.makedirs(dlz, exist_ok=True)
    for old in os.listdir(dlz):
        os.remove(os.path.join(dlz, old))
    shared = []
    for base, own_pro, entries in lib.LIBRARIES:
        write_text(os.path.join(dlz, base + ".dlz"), [e for e, _ in entries])
        if own_pro:
            write_text(os.path.join(dlz, base + ".pro"), pro_lines(collect([(base, entries)])))
        else:
            shared.append((base, entries))
    write_text(os.path.join(DLLS, "ans2.pro"), pro_lines(collect(shared)))

    mtb = os.path.join(DLLS, "metabinds")
    os.makedirs(mtb, exist_ok=True)
    for old in os.listdir(mtb):
        os.remove(os.path.join(mtb, old))
    for file_name, name, label, slots, body in lib.METABINDS:
        lines = list(body) + ["[MetaBind]", "name=" + name, "but=" + str(slots), "label=" + label]
        write_text(os.path.join(mtb, file_name), lines)

    print("reference data written to", DLLS)


if __name__ == "__main__":
    main()
