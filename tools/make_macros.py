#!/usr/bin/env python3
"""Writes the macro folder the program ships with: one empty macro per keyboard slot.

The result is what the program's initMacroIni(17) leaves in an empty macro folder. Slot n - 1 gets
"Macro. " + n right-justified to three digits with "0" + ".bin", an INI file whose config group
binds it to that slot with no steps, repeat 1 and no device. Any other "*.bin" file in the folder
is removed, as initMacroIni removes it.

The text is byte for byte what QSettings writes on Linux: one section, keys in sorted order, "\\n"
line ends. (QSettings on Windows would end lines with "\\r\\n"; both read back the same.)
"""

import argparse
import pathlib

SLOTS = 17


def standard_name(number: int) -> str:
    return "Macro. " + str(number).rjust(3, "0")


def macro_ini(slot: int) -> bytes:
    config = {"index": slot, "total": 0, "repeat": 1, "did": -1}
    lines = ["[config]"] + [f"{key}={config[key]}" for key in sorted(config)]
    return ("\n".join(lines) + "\n").encode("ascii")


def main() -> None:
    root = pathlib.Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder", nargs="?", type=pathlib.Path, default=root / "modules" / "macro")
    parser.add_argument("--slots", type=int, default=SLOTS)
    args = parser.parse_args()

    args.folder.mkdir(parents=True, exist_ok=True)
    wanted = {standard_name(n) + ".bin": macro_ini(n - 1) for n in range(1, args.slots + 1)}
    for old in args.folder.iterdir():
        if old.name.lower().endswith(".bin") and old.name not in wanted:
            old.unlink()
    for name, content in wanted.items():
        (args.folder / name).write_bytes(content)


if __name__ == "__main__":
    main()
