#!/usr/bin/env python3
"""Writes the R7 keyboard's data files from the tables in this script.

    python3 tools/make_keyboard_data.py        # from the repository root or anywhere

Output (all regenerated on every run, never edited by hand):
  modules/setting/HWDef.bin        key layout, limits
  modules/setting/KeyCodeDef.bin   key names and USB usages
  modules/setting/apConfig.bin     application settings (apConfigD.bin: identical factory copy)
  modules/setting/pD.bin, p1.bin … factory profile and the shipped profiles
  modules/i18n/lang_*.ini          UI texts (from keyboard_languages.py beside this script)
  src/device/factorykeymatrix.h    the key matrix a new keyboard carries

Every file is an INI file the program reads with QSettings, so values are written the way
QSettings writes them: lists as ", "-separated elements, strings quoted when they hold a
separator and escaped with backslashes where QSettings escapes.
"""

import math
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import keyboard_languages  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parent.parent
SETTING = ROOT / "modules" / "setting"
I18N = ROOT / "modules" / "i18n"
MATRIX_HEADER = ROOT / "src" / "device" / "factorykeymatrix.h"

# ---------------------------------------------------------------------------------------------
# Limits

LAYOUT = 1            # the layout the view uses once a keyboard is checked; layout 0 is the same
MAX_MACRO = 17        # macro slots of the keyboard
MAX_PROFILE = 5       # profiles of the keyboard
MATRIX_SIZE = 128     # positions of the firmware key matrix

# ---------------------------------------------------------------------------------------------
# Geometry: one key unit (u) is 30 px, a cap is its footprint less a 2 px gap. Positions are
# rounded to whole pixels, so neighbouring caps are 1 or 2 px apart.

UNIT = 30
GAP = 2
ORIGIN_X = 12
ORIGIN_Y = 16

# keyType: (footprint width, footprint height) in units. One type per cap shape; the skins draw
# "model_kb/k<type>-0.png" (face) and "-1.png" (frame) in the pixel size of cap_size(type).
KEY_TYPES = {
    1: (1.0, 1.0),    # 1u: letters, digits, F keys, most of the rest
    2: (1.25, 1.0),   # bottom-row modifiers
    3: (1.5, 1.0),    # Tab, backslash
    4: (1.75, 1.0),   # Caps Lock
    5: (2.0, 1.0),    # Backspace, keypad 0
    6: (2.25, 1.0),   # Enter, left Shift
    7: (2.75, 1.0),   # right Shift
    8: (6.25, 1.0),   # Space
    9: (1.0, 2.0),    # tall keypad keys: keypad + and keypad Enter
}


def px(units):
    return int(math.floor(units * UNIT + 0.5))


def cap_size(key_type):
    w, h = KEY_TYPES[key_type]
    return px(w) - GAP, px(h) - GAP


# ---------------------------------------------------------------------------------------------
# Key names and USB usages (keyboard page 0x07). Every key of the keyboard has its name here,
# and so has every other usage a user can record: the ISO keys, F13–F24, the international and
# language keys and the rest the key hook reports. Names are what the key caps, the key field
# and the macro steps show, so they are unique and at most six characters long.

KEY_NAMES = [
    ("A", 0x04), ("B", 0x05), ("C", 0x06), ("D", 0x07), ("E", 0x08), ("F", 0x09),
    ("G", 0x0A), ("H", 0x0B), ("I", 0x0C), ("J", 0x0D), ("K", 0x0E), ("L", 0x0F),
    ("M", 0x10), ("N", 0x11), ("O", 0x12), ("P", 0x13), ("Q", 0x14), ("R", 0x15),
    ("S", 0x16), ("T", 0x17), ("U", 0x18), ("V", 0x19), ("W", 0x1A), ("X", 0x1B),
    ("Y", 0x1C), ("Z", 0x1D),
    ("1", 0x1E), ("2", 0x1F), ("3", 0x20), ("4", 0x21), ("5", 0x22), ("6", 0x23),
    ("7", 0x24), ("8", 0x25), ("9", 0x26), ("0", 0x27),
    ("Enter", 0x28), ("Esc", 0x29), ("Bksp", 0x2A), ("Tab", 0x2B), ("Space", 0x2C),
    ("-", 0x2D), ("=", 0x2E), ("[", 0x2F), ("]", 0x30), ("\\", 0x31), ("ISO#", 0x32),
    (";", 0x33), ("'", 0x34), ("`", 0x35), (",", 0x36), (".", 0x37), ("/", 0x38),
    ("Caps", 0x39),
    ("F1", 0x3A), ("F2", 0x3B), ("F3", 0x3C), ("F4", 0x3D), ("F5", 0x3E), ("F6", 0x3F),
    ("F7", 0x40), ("F8", 0x41), ("F9", 0x42), ("F10", 0x43), ("F11", 0x44), ("F12", 0x45),
    ("PrtSc", 0x46), ("ScLk", 0x47), ("Pause", 0x48), ("Ins", 0x49), ("Home", 0x4A),
    ("PgUp", 0x4B), ("Del", 0x4C), ("End", 0x4D), ("PgDn", 0x4E), ("Right", 0x4F),
    ("Left", 0x50), ("Down", 0x51), ("Up", 0x52), ("Num", 0x53),
    ("KP/", 0x54), ("KP*", 0x55), ("KP-", 0x56), ("KP+", 0x57), ("KPEnt", 0x58),
    ("KP1", 0x59), ("KP2", 0x5A), ("KP3", 0x5B), ("KP4", 0x5C), ("KP5", 0x5D),
    ("KP6", 0x5E), ("KP7", 0x5F), ("KP8", 0x60), ("KP9", 0x61), ("KP0", 0x62),
    ("KP.", 0x63), ("ISO\\", 0x64), ("Menu", 0x65), ("Power", 0x66), ("KP=", 0x67),
    ("F13", 0x68), ("F14", 0x69), ("F15", 0x6A), ("F16", 0x6B), ("F17", 0x6C),
    ("F18", 0x6D), ("F19", 0x6E), ("F20", 0x6F), ("F21", 0x70), ("F22", 0x71),
    ("F23", 0x72), ("F24", 0x73),
    ("KP,", 0x85), ("Ro", 0x87), ("Kana", 0x88), ("Yen", 0x89), ("Conv", 0x8A),
    ("NoConv", 0x8B), ("Hangul", 0x90), ("Hanja", 0x91), ("Kata", 0x92), ("Hira", 0x93),
    ("ZenHan", 0x94),
    ("LCtrl", 0xE0), ("LShift", 0xE1), ("LAlt", 0xE2), ("LWin", 0xE3),
    ("RCtrl", 0xE4), ("RShift", 0xE5), ("RAlt", 0xE6), ("RWin", 0xE7),
]
USAGE = dict(KEY_NAMES)

# The Fn key switches the keyboard's own function layer; the firmware knows it by this code,
# which is no USB usage (its top four bits mark it as neither a standard, media nor macro key).
FN_NAME = "Fn"
FN_CODE = 0xF000

# ---------------------------------------------------------------------------------------------
# The layout: a full-size ANSI keyboard with Fn in place of the right Windows key.
#
# Matrix positions run row by row (16 a row) through the main block, so that the lighting
# preview's two vortex scripts trace two clockwise spirals that meet on O, P, L and ; (41, 42,
# 57, 58) near the middle of the keyboard:
#   Esc, F1 … F9 along the top, then "-", "[", "'" down, "/", "." left, L, O up;
#   keypad Enter, keypad ".", keypad 0, Right, Down, Left, RCtrl, Menu, Fn, RAlt leftwards
#   along the bottom, then ",", K, I up, 9, 0 right, P, ";" down.
# Enter (60) and right Shift (75) have a second switch, 61 and 76, which the firmware expects
# to carry the same code; they are not drawn. Fn is 89, the position the key page disables.

# Each row: (top in units, [(left in units, type, name, matrix), ...]).
ROWS = [
    (0.0, [(0, 1, "Esc", 0)]
     + [(2 + i, 1, "F%d" % (i + 1), 1 + i) for i in range(4)]
     + [(6.5 + i, 1, "F%d" % (i + 5), 5 + i) for i in range(4)]
     + [(11 + i, 1, "F%d" % (i + 9), 9 + i) for i in range(4)]
     + [(15.25, 1, "PrtSc", 13), (16.25, 1, "ScLk", 14), (17.25, 1, "Pause", 15)]),
    (1.5, [(i, 1, n, 16 + i) for i, n in enumerate("`1234567890-=")]
     + [(13, 5, "Bksp", 29), (15.25, 1, "Ins", 30), (16.25, 1, "Home", 31),
        (17.25, 1, "PgUp", 62),
        (18.5, 1, "Num", 96), (19.5, 1, "KP/", 97), (20.5, 1, "KP*", 98), (21.5, 1, "KP-", 99)]),
    (2.5, [(0, 3, "Tab", 32)]
     + [(1.5 + i, 1, n, 33 + i) for i, n in enumerate("QWERTYUIOP[]")]
     + [(13.5, 3, "\\", 45), (15.25, 1, "Del", 46), (16.25, 1, "End", 47),
        (17.25, 1, "PgDn", 63),
        (18.5, 1, "KP7", 101), (19.5, 1, "KP8", 102), (20.5, 1, "KP9", 103),
        (21.5, 9, "KP+", 104)]),
    (3.5, [(0, 4, "Caps", 48)]
     + [(1.75 + i, 1, n, 49 + i) for i, n in enumerate("ASDFGHJKL;'")]
     + [(12.75, 6, "Enter", 60),
        (18.5, 1, "KP4", 105), (19.5, 1, "KP5", 106), (20.5, 1, "KP6", 107)]),
    (4.5, [(0, 6, "LShift", 64)]
     + [(2.25 + i, 1, n, 65 + i) for i, n in enumerate("ZXCVBNM,./")]
     + [(12.25, 7, "RShift", 75), (16.25, 1, "Up", 77),
        (18.5, 1, "KP1", 108), (19.5, 1, "KP2", 110), (20.5, 1, "KP3", 111),
        (21.5, 9, "KPEnt", 115)]),
    (5.5, [(0, 2, "LCtrl", 80), (1.25, 2, "LWin", 81), (2.5, 2, "LAlt", 82),
           (3.75, 8, "Space", 84), (10, 2, "RAlt", 88), (11.25, 2, FN_NAME, 89),
           (12.5, 2, "Menu", 90), (13.75, 2, "RCtrl", 91),
           (15.25, 1, "Left", 94), (16.25, 1, "Down", 95), (17.25, 1, "Right", 79),
           (18.5, 5, "KP0", 100), (20.5, 1, "KP.", 109)]),
]

# Wide keys with a second switch: first position -> second position.
SECOND_SWITCHES = {60: 61, 75: 76}


def keys():
    """The drawn keys in definition order: (x, y, type, name, matrix, code)."""
    result = []
    for top, row in ROWS:
        for left, key_type, name, matrix in row:
            code = FN_CODE if name == FN_NAME else USAGE[name]
            result.append((ORIGIN_X + px(left), ORIGIN_Y + px(top), key_type, name, matrix, code))
    return result


def factory_matrix(key_list):
    """The code of every matrix position as a new keyboard holds it."""
    matrix = [0] * MATRIX_SIZE
    for key in key_list:
        matrix[key[4]] = key[5]
    for first, second in SECOND_SWITCHES.items():
        matrix[second] = matrix[first]
    return matrix


def check(key_list):
    positions = [k[4] for k in key_list]
    assert len(set(positions)) == len(positions), "a matrix position is used twice"
    assert all(0 <= p < MATRIX_SIZE for p in positions)
    assert not set(SECOND_SWITCHES.values()) & set(positions)
    codes = [k[5] for k in key_list]
    assert len(set(codes)) == len(codes), "two keys share a code"
    names = [n for n, _ in KEY_NAMES]
    assert len(set(names)) == len(names) and all(len(n) <= 6 for n in names)
    assert len(set(USAGE.values())) == len(KEY_NAMES)


# ---------------------------------------------------------------------------------------------
# Factory profile

# Rainbow wave at full brightness, medium speed, cycling the palette; the backlight zone runs its
# effect 1 through all colours at full brightness, medium speed. The keyboard ships so.
LED_TYPE = [0x02, 63, 4, 0, 7, 7 << 5 | 1, 7 << 3 | 4]
PALETTE = [(255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (0, 255, 255),
           (255, 0, 255), (255, 255, 255)]

STATIC, BREATHING, NEON = 0x10, 0x20, 0x30


def picture(key_list, paint):
    """512 values: for each matrix position mode, red, green, blue; 0 where no key is drawn."""
    values = [0] * (MATRIX_SIZE * 4)
    x_min = min(k[0] for k in key_list)
    x_max = max(k[0] for k in key_list)
    y_max = max(k[1] for k in key_list)
    for x, y, _, name, matrix, _ in key_list:
        mode, rgb = paint(name, (x - x_min) / (x_max - x_min), (y - ORIGIN_Y) / (y_max - ORIGIN_Y))
        values[4 * matrix:4 * matrix + 4] = [mode, *rgb]
    return values


def mix(a, b, t):
    return tuple(int(round(p + (q - p) * t)) for p, q in zip(a, b))


def is_function_key(name):
    return name == "Esc" or (name.startswith("F") and name[1:].isdigit())


def gaming(name, _tx, _ty):
    # Movement keys stand out in red, their neighbours in amber, the rest in a calm blue.
    if name in ("W", "A", "S", "D", "Up", "Down", "Left", "Right"):
        return STATIC, (255, 0, 0)
    if name in ("Q", "E", "R", "F", "Tab", "Caps", "LShift", "LCtrl", "Space", "1", "2", "3",
                "4", "5"):
        return STATIC, (255, 150, 0)
    if is_function_key(name):
        return STATIC, (255, 255, 255)
    return STATIC, (0, 90, 255)


ROW_COLOURS = [(255, 0, 0), (255, 128, 0), (255, 255, 0), (0, 255, 0), (0, 128, 255),
               (160, 0, 255)]


def rainbow_rows(_name, _tx, ty):
    return STATIC, ROW_COLOURS[min(int(round(ty * 5)), 5)]


def ocean(_name, tx, _ty):
    # Cyan on the left fading through blue to magenta on the right.
    if tx < 0.5:
        return STATIC, mix((0, 255, 255), (0, 60, 255), tx * 2)
    return STATIC, mix((0, 60, 255), (255, 0, 255), (tx - 0.5) * 2)


def zones(name, tx, _ty):
    # Key groups breathing in their own colours.
    if name.startswith("KP") or name == "Num":
        return BREATHING, (170, 0, 255)
    if tx > 0.66:
        return BREATHING, (255, 120, 0)
    if is_function_key(name):
        return BREATHING, (0, 255, 80)
    if len(name) > 1:
        return BREATHING, (0, 120, 255)  # modifiers and the other named keys
    return BREATHING, (255, 255, 255)  # letters, digits, punctuation


def sunset(_name, _tx, ty):
    # Warm at the top, violet at the bottom; the keyboard lets the colours drift as neon.
    return NEON, mix((255, 110, 0), (110, 0, 255), ty)


PICTURES = [gaming, rainbow_rows, ocean, zones, sunset]


def profile_sections(key_list):
    colours = [c for rgb in PALETTE for c in rgb]
    color = [("ledType", LED_TYPE), ("color", colours)]
    pictures = [(str(i), picture(key_list, paint)) for i, paint in enumerate(PICTURES)]
    # What the key page stores when all keys are reset: each drawn key's default code, low byte
    # first, and 0 where no key is drawn.
    codes = [0] * MATRIX_SIZE
    for key in key_list:
        codes[key[4]] = key[5]
    keydefine = [(str(m), [c & 0xFF, c >> 8]) for m, c in enumerate(codes)]
    return [("color", color), ("userPicture", pictures), ("keydefine%d" % LAYOUT, keydefine)]


# ---------------------------------------------------------------------------------------------
# Application settings

WINDOW_TITLE = "R7 Configurator"
PRODUCT_NAMES = ["R7 Gaming Keyboard"]
HOME_URL = "https://r7-configurator.example.org/"
TEXT_SWATCHES = [(0, 255, 255), (255, 200, 150), (255, 180, 0), (200, 200, 100),
                 (200, 170, 255), (255, 180, 180), (160, 190, 160)]


def settings_list(language_index):
    values = [
        1,               # format version
        1,               # skin 1
        1,               # sound off: the program starts quietly
        0,               # normal animations
        language_index,  # English
        False,           # no custom background
        "",              # custom background picture
        0,               # normal text size
    ]
    values += [c for rgb in TEXT_SWATCHES for c in rgb]
    values += [0, 7, HOME_URL]  # first swatch, full text brightness, logo address
    assert len(values) == 32
    return values


# ---------------------------------------------------------------------------------------------
# INI writing, as QSettings writes values

def ini_string(text):
    if text.startswith("@"):
        text = "@" + text
    out = []
    needs_quotes = False
    for ch in text:
        if ch in ";,=":
            needs_quotes = True
        if ch in '"\\':
            out.append("\\" + ch)
        elif ch == "\n":
            out.append("\\n")
        elif ch == "\t":
            out.append("\\t")
        elif ord(ch) < 0x20:
            raise ValueError("control character in %r" % text)
        else:
            out.append(ch)
    result = "".join(out)
    if needs_quotes or result.startswith(" ") or result.endswith(" "):
        result = '"' + result + '"'
    return result


def ini_value(value):
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, int):
        return str(value)
    if isinstance(value, str):
        return ini_string(value)
    if isinstance(value, (list, tuple)):
        assert len(value) > 1, "a one-element list reads back as a plain string"
        return ", ".join(ini_string(str(v)) if isinstance(v, str) else ini_value(v)
                         for v in value)
    raise TypeError(value)


def write_ini(path, sections):
    lines = []
    for name, entries in sections:
        if lines:
            lines.append("")
        lines.append("[%s]" % name)
        for key, value in entries:
            lines.append("%s=%s" % (key, ini_value(value)))
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(("\n".join(lines) + "\n").encode("utf-8"))


# ---------------------------------------------------------------------------------------------
# Files

def write_hwdef(key_list):
    layout = [("total_HW", len(key_list)), ("total_FW", MATRIX_SIZE)]
    layout += [(str(i + 1), list(key)) for i, key in enumerate(key_list)]
    write_ini(SETTING / "HWDef.bin", [
        ("common", [("kbLayoutType", LAYOUT), ("maxMacro", MAX_MACRO),
                    ("maxProfile", MAX_PROFILE)]),
        ("0", layout),
        ("1", layout),
    ])


def write_keycodedef():
    write_ini(SETTING / "KeyCodeDef.bin", [
        ("common", [("usbStr", [n for n, _ in KEY_NAMES]),
                    ("usbCode", [c for _, c in KEY_NAMES])]),
    ])


def write_apconfig(language_index):
    values = settings_list(language_index)
    entries = [("name", WINDOW_TITLE), ("product_name", PRODUCT_NAMES[0]),
               ("total", len(values))]
    entries += [(str(i), v) for i, v in enumerate(values)]
    for name in ("apConfig.bin", "apConfigD.bin"):
        write_ini(SETTING / name, [("common", entries)])


def write_profiles(key_list):
    sections = profile_sections(key_list)
    # The shipped profiles start as the factory profile, as the keyboard's own profiles do.
    for name in ["pD.bin"] + ["p%d.bin" % (n + 1) for n in range(MAX_PROFILE)]:
        write_ini(SETTING / name, sections)


def write_languages():
    for code, language in keyboard_languages.LANGUAGES.items():
        texts = language["strings"]
        assert len(texts) == 115, code
        entries = [("family", language["family"]), ("total", len(texts)), ("cs", "UTF-8")]
        write_ini(I18N / ("lang_%s.ini" % code), [
            ("font", entries),
            ("strings", [(str(k + 1), t) for k, t in enumerate(texts)]),
            ("msg", [(str(k), t) for k, t in enumerate(language["msg"])] +
             message_block(keyboard_languages.MACRO_NOTICE_FIRST_MESSAGE,
                           keyboard_languages.MACRO_NOTICE_MESSAGES[code]) +
             message_block(keyboard_languages.KEYBOARD_ACCESS_FIRST_MESSAGE,
                           keyboard_languages.KEYBOARD_ACCESS_MESSAGES[code]) +
             message_block(keyboard_languages.REFUSED_FILE_FIRST_MESSAGE,
                           keyboard_languages.REFUSED_FILE_MESSAGES[code]) +
             message_block(keyboard_languages.KEYBOARD_NOTICE_FIRST_MESSAGE,
                           keyboard_languages.KEYBOARD_NOTICE_MESSAGES[code])),
        ])


# Each feature that tells the user something owns a block of message numbers.
def message_block(first, texts):
    return [(str(first + k), t) for k, t in enumerate(texts)]


def write_matrix_header(matrix):
    rows = []
    for start in range(0, MATRIX_SIZE, 8):
        codes = ", ".join("0x%04X" % c for c in matrix[start:start + 8])
        rows.append("    %s, // %d-%d" % (codes, start, start + 7))
    MATRIX_HEADER.write_text(
        "#pragma once\n"
        "\n"
        "// Generated by tools/make_keyboard_data.py from the key table that also writes\n"
        "// modules/setting/HWDef.bin; change the table and run the script again.\n"
        "\n"
        "#include <QtGlobal>\n"
        "\n"
        "#include <array>\n"
        "\n"
        "// The code each key-matrix position carries when the keyboard leaves the factory: the\n"
        "// default code of the key drawn there, on 61 and 76 the codes of 60 and 75 (the second\n"
        "// switches of Enter and right Shift), 0 where there is no switch.\n"
        "inline constexpr std::array<quint16, %d> factoryKeyMatrix = {\n" % MATRIX_SIZE
        + "\n".join(rows) + "\n"
        "};\n")


def main():
    key_list = keys()
    check(key_list)
    write_hwdef(key_list)
    write_keycodedef()
    write_apconfig(keyboard_languages.english_index())
    write_profiles(key_list)
    write_languages()
    write_matrix_header(factory_matrix(key_list))


if __name__ == "__main__":
    main()
