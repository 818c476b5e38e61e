#!/usr/bin/env python3
# Builds the small demo game installation demo/Half-Life (a cstrike and a valve
# mod folder, a gldrv folder) that the editor can be pointed at when it runs.
# Run: python3 tools/data/gen_demo.py
# Needs ImageMagick's "convert" (icons), "espeak-ng" and "sox" (radio sounds),
# the DejaVu fonts. Debian: imagemagick fonts-dejavu-core espeak-ng sox.
#
# Texts that the game and the editor read are written as Windows-1251 with CR LF.

import os
import shutil
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
HL = os.path.join(ROOT, "demo", "Half-Life")
CSTRIKE = os.path.join(HL, "cstrike")
VALVE = os.path.join(HL, "valve")
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def write_text(path, lines, final_break=True):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    text = "\r\n".join(lines) + ("\r\n" if final_break else "")
    with open(path, "wb") as f:
        f.write(text.encode("cp1251"))


def touch(path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    open(path, "wb").close()


# Maps of the cstrike folder with their descriptions (shown by the map cycle editor).
CS_MAPS = {
    "as_oilrig": ["Нефтяная платформа в открытом море.",
                  "Спецназ сопровождает VIP-персону к точке эвакуации; террористы должны её не допустить."],
    "cs_assault": ["Склад, захваченный террористами.",
                   "Спецназ штурмует здание через крышу и главные ворота и выводит заложников к точке спасения."],
    "cs_backalley": ["Тесные переулки старого квартала.",
                     "Заложники спрятаны в доме террористов; спецназу нужно пробиться к ним через дворы."],
    "cs_estate": ["Загородная вилла с садом и бассейном.",
                  "Спецназ освобождает заложников, которых держат в большом доме."],
    "cs_italy": ["Итальянский городок с рынком и узкими улочками.",
                 "Заложники в доме террористов; спецназ может пройти через рынок, подвал или длинный коридор."],
    "cs_militia": ["Усадьба в лесу, где засела вооружённая группа.",
                   "Спецназ проникает в дом через гараж, канализацию или задний двор и спасает заложников."],
    "cs_office": ["Офисное здание зимой.",
                  "Заложники в офисе; спецназ входит с улицы через главный вход или по задним коридорам."],
    "cs_siege": ["Военная база с бронетехникой.",
                 "Спецназ освобождает заложников, удерживаемых в глубине базы."],
    "de_aztec": ["Древний город ацтеков в джунглях, идёт дождь.",
                 "Террористы закладывают бомбу на одной из двух точек: у храма или за мостом через реку."],
    "de_cbble": ["Старая крепость на холме.",
                 "Две точки закладки бомбы; длинные открытые проходы любят снайперы."],
    "de_chateau": ["Французский замок с винным погребом.",
                   "Террористы должны взорвать одну из двух точек внутри замка."],
    "de_dust": ["Ближневосточный город в пустыне.",
                "Террористы закладывают бомбу на одной из двух точек; спецназ защищает их. Классика для быстрой игры."],
    "de_dust2": ["Продолжение de_dust: больше проходов и две точки закладки A и B.",
                 "Самая популярная карта сетевой игры: короткий бой за центр и длинные прострелы."],
    "de_inferno": ["Итальянская деревня с узкими улочками и балконами.",
                   "Террористы закладывают бомбу у фонтана или в саду; бой идёт за мост и переулки."],
    "de_nuke": ["Атомная электростанция.",
                "Две точки закладки одна над другой: снаружи у склада и внизу в реакторном зале."],
    "de_piranesi": ["Средиземноморский городок с площадью и арками.",
                    "Террористы закладывают бомбу у одной из двух точек; много укрытий и путей обхода."],
    "de_prodigy": ["Подземная исследовательская лаборатория.",
                   "Тесные коридоры и лестницы; точки закладки у лаборатории и у склада."],
    "de_storm": ["Прибрежный городок в шторм.",
                 "Террористы должны взорвать одну из двух целей в городке."],
    "de_train": ["Железнодорожная станция с вагонами.",
                 "Бомба закладывается у вагонов; стреляют из-за вагонов и с мостков."],
    "de_vertigo": ["Строящийся небоскрёб высоко над городом.",
                   "Две точки закладки на разных этажах; падение с крыши смертельно."],
}

MAPCYCLE = ["de_dust", "de_dust2", "de_aztec", "cs_office", "de_inferno", "cs_italy",
            "de_nuke", "de_train", "cs_assault", "de_cbble", "as_oilrig", "cs_militia"]

VALVE_MAPS = ["crossfire", "datacore", "stalkyard", "boot_camp"]

# Sound name of each radio message and the phrase that is spoken for it.
RADIO = [
    ("ct_coverme", "Cover me"), ("takepoint", "You take the point"),
    ("position", "Hold this position"), ("regroup", "Regroup team"),
    ("followme", "Follow me"), ("fireassis", "Taking fire, need assistance"),
    ("com_go", "Go, go, go"), ("fallback", "Fall back"),
    ("sticktog", "Stick together, team"), ("com_getinpos", "Get in position"),
    ("stormfront", "Storm the front"), ("com_reportin", "Report in, team"),
    ("roger", "Roger that"), ("ct_enemys", "Enemy spotted"),
    ("ct_backup", "Need backup"), ("clear", "Sector clear"),
    ("ct_inpos", "I'm in position"), ("ct_reportingin", "Reporting in"),
    ("blow", "She's gonna blow"), ("negative", "Negative"),
    ("enemydown", "Enemy down"),
]

SETTINGS_SCR = [
    "// Server options shown in the game's create-server dialog",
    "VERSION 1.0",
    "",
    "DESCRIPTION SERVER_OPTIONS",
    "{",
    '\t"hostname"',
    '\t{',
    '\t\t"Server name"',
    '\t\t{ STRING }',
    '\t\t{ "Demo server" }',
    '\t}',
    '\t"maxplayers"',
    '\t{',
    '\t\t"Max. players"',
    '\t\t{ NUMBER 1.000000 32.000000 }',
    '\t\t{ "12" }',
    '\t}',
    '\t"mp_timelimit"',
    '\t{',
    '\t\t"Time per map (minutes)"',
    '\t\t{ NUMBER 0.000000 -1.000000 }',
    '\t\t{ "20" }',
    '\t}',
    "}",
]

CONFIG_CFG = [
    "// Конфиг игрока Strelok: клавиши и настройки",
    "",
    "unbindall",
    'bind "TAB" "+showscores"',
    'bind "ENTER" "+attack"',
    'bind "ESCAPE" "cancelselect"',
    'bind "SPACE" "+jump"',
    'bind "\'" "+moveup"',
    'bind "," "buyammo1"',
    'bind "." "buyammo2"',
    'bind "/" "+movedown"',
    'bind "0" "slot10"',
    'bind "1" "slot1"',
    'bind "2" "slot2"',
    'bind "3" "slot3"',
    'bind "4" "slot4"',
    'bind "5" "slot5"',
    'bind "6" "slot6"',
    'bind "7" "slot7"',
    'bind "8" "slot8"',
    'bind "9" "slot9"',
    'bind ";" "+mlook"',
    'bind "a" "+moveleft"',
    'bind "b" "buy"',
    'bind "c" "radio3"',
    'bind "d" "+moveright"',
    'bind "e" "+use"',
    'bind "f" "impulse 100"',
    'bind "g" "drop"',
    'bind "k" "+voicerecord"',
    'bind "m" "chooseteam"',
    'bind "n" "nightvision"',
    'bind "o" "buyequip"',
    'bind "q" "lastinv"',
    'bind "r" "+reload"',
    'bind "s" "+back"',
    'bind "t" "impulse 201"',
    'bind "u" "messagemode2"',
    'bind "w" "+forward"',
    'bind "x" "radio2"',
    'bind "y" "messagemode"',
    'bind "z" "radio1"',
    'bind "~" "toggleconsole"',
    'bind "`" "toggleconsole"',
    'bind "SHIFT" "+speed"',
    'bind "CTRL" "+duck"',
    'bind "F1" "autobuy_rifle"',
    'bind "F5" "snapshot"',
    'bind "F10" "quit"',
    'bind "PAUSE" "pause"',
    'bind "UPARROW" "+forward"',
    'bind "DOWNARROW" "+back"',
    'bind "LEFTARROW" "+left"',
    'bind "RIGHTARROW" "+right"',
    'bind "MOUSE1" "+attack"',
    'bind "MOUSE2" "+attack2"',
    'bind "MOUSE3" "+jumpduck"',
    'bind "MWHEELDOWN" "invnext"',
    'bind "MWHEELUP" "invprev"',
    '_ah "0"',
    '_vgui_menus "0"',
    'bottomcolor "6"',
    'brightness "1.5"',
    'cl_allowdownload "1"',
    'cl_allowupload "1"',
    'cl_backspeed "400"',
    'cl_bob "0.01"',
    'cl_bobcycle "0.8"',
    'cl_bobup "0.5"',
    'cl_cmdrate "40"',
    'cl_corpsestay "600"',
    'cl_dynamiccrosshair "1"',
    'cl_forwardspeed "400"',
    'cl_lc "1"',
    'cl_lw "1"',
    'cl_observercrosshair "1"',
    'cl_righthand "1"',
    'cl_sidespeed "400"',
    'cl_updaterate "30"',
    'con_color "255 180 30"',
    'crosshair "1"',
    'dm "1"',
    'drawradar',
    'fastsprites "1"',
    'fps_max "72"',
    'gamma "2.8"',
    'ghosts "1"',
    'gl_monolights "0"',
    'gl_spriteblend "1"',
    'gl_wateramp "0"',
    'hisound "1"',
    'hud_centerid "1"',
    'hud_deathnotice_time "6"',
    'hud_fastswitch "1"',
    'hud_saytext "1"',
    'hud_saytext_time "5"',
    'lookspring "0"',
    'lookstrafe "0"',
    'm_filter "0"',
    'm_pitch "0.022"',
    'm_yaw "0.022"',
    'max_shells "300"',
    'max_smokepuffs "300"',
    'model "gordon"',
    'mp_autokick "1"',
    'mp_buytime "1.5"',
    'mp_c4timer "45"',
    'mp_fadetoblack "0"',
    'mp_flashlight "1"',
    'mp_footsteps "1"',
    'mp_forcechasecam "1"',
    'mp_freezetime "6"',
    'mp_friendlyfire "1"',
    'mp_hostagepenalty "5"',
    'mp_limitteams "2"',
    'mp_roundtime "3"',
    'mp_startmoney "800"',
    'mp_timelimit "30"',
    'mp_winlimit "0"',
    'name "Strelok"',
    'net_graph "0"',
    'net_graphpos "1"',
    'r_decals "300"',
    'r_drawviewmodel "1"',
    'rate "9999"',
    'scr_conspeed "600"',
    'sensitivity "3.5"',
    'suitvolume "0.25"',
    'topcolor "30"',
    'volume "0.6"',
    'zoom_sensitivity_ratio "1.2"',
    "+mlook",
]

AUTOEXEC_CFG = [
    "// autoexec.cfg: runs every time the game starts",
    "",
    "// jump and duck together",
    'alias "+jumpduck" "+jump;+duck"',
    'alias "-jumpduck" "-jump;-duck"',
    "",
    "// one key buys a rifle (text menus: _vgui_menus 0)",
    'alias "w5" "wait;wait;wait;wait;wait"',
    'alias "autobuy_rifle" "buy;w5;menuselect 4;w5;menuselect 1;w5;menuselect 3;w5;slot10"',
    "",
    "// net graph while the key is held",
    'alias "+ng" "net_graph 3"',
    'alias "-ng" "net_graph 0"',
    'bind "F2" "+ng"',
    "",
    "echo autoexec.cfg loaded",
]

CS_LIBLIST = [
    "// Counter-Strike mod description",
    'game "Counter-Strike"',
    'version "1.5"',
    'startmap "de_dust"',
    'type "multiplayer_only"',
    'gamedll "dlls\\mp.dll"',
    'cldll "1"',
]

VALVE_LIBLIST = [
    "// Half-Life",
    'game "Half-Life"',
    'version "1.1.1.0"',
    'startmap "c0a0"',
    'trainmap "t0a0"',
    'gamedll "dlls\\hl.dll"',
]


def icon(path, letters, colour):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        big = os.path.join(tmp, "32.png")
        small = os.path.join(tmp, "16.png")
        subprocess.run([
            "convert", "-size", "32x32", "xc:none", "-fill", colour,
            "-draw", "roundrectangle 0,0 31,31 6,6",
            "-fill", "#ffffff", "-font", BOLD, "-pointsize", "15",
            "-gravity", "center", "-annotate", "+0+0", letters,
            "-define", "png:exclude-chunks=date,time", big], check=True)
        subprocess.run(["convert", big, "-resize", "16x16",
                        "-define", "png:exclude-chunks=date,time", small], check=True)
        subprocess.run(["convert", small, big, path], check=True)


def radio_sounds(folder):
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for name, phrase in RADIO:
            spoken = os.path.join(tmp, name + ".wav")
            subprocess.run(["espeak-ng", "-v", "en-us", "-s", "175", "-p", "35", phrase, "-w", spoken],
                           check=True)
            # Radio-like band, 8-bit mono 22050 Hz PCM; no dither, so the output is repeatable.
            subprocess.run(["sox", "-D", spoken, "-r", "22050", "-c", "1", "-b", "8",
                            "-e", "unsigned-integer", os.path.join(folder, name + ".wav"),
                            "highpass", "300", "lowpass", "3400", "norm", "-2"], check=True)


def main():
    if os.path.isdir(HL):
        shutil.rmtree(HL)

    # Driver folder for the launcher's "-gldrv" list: placeholders only.
    touch(os.path.join(HL, "gldrv", "3dfxgl.dll"))
    touch(os.path.join(HL, "gldrv", "minigl.dll"))
    icon(os.path.join(HL, "valve.ico"), "HL", "#c0561a")

    write_text(os.path.join(VALVE, "settings.scr"), SETTINGS_SCR)
    write_text(os.path.join(VALVE, "liblist.gam"), VALVE_LIBLIST)
    for m in VALVE_MAPS:
        touch(os.path.join(VALVE, "maps", m + ".bsp"))

    write_text(os.path.join(CSTRIKE, "settings.scr"), SETTINGS_SCR)
    write_text(os.path.join(CSTRIKE, "liblist.gam"), CS_LIBLIST)
    icon(os.path.join(CSTRIKE, "cstrike.ico"), "CS", "#2f5f8f")
    write_text(os.path.join(CSTRIKE, "config.cfg"), CONFIG_CFG)
    write_text(os.path.join(CSTRIKE, "autoexec.cfg"), AUTOEXEC_CFG)
    write_text(os.path.join(CSTRIKE, "mapcycle.txt"), MAPCYCLE)
    for m, text in sorted(CS_MAPS.items()):
        touch(os.path.join(CSTRIKE, "maps", m + ".bsp"))
        write_text(os.path.join(CSTRIKE, "maps", m + ".txt"), text)
    radio_sounds(os.path.join(CSTRIKE, "sound", "radio"))
    print("demo game written to", HL)


if __name__ == "__main__":
    main()
