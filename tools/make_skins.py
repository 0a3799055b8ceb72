#!/usr/bin/env python3
"""Draws the two skins, modules/img/skin1 and modules/img/skin2, from the keyboard's layout.

    python3 tools/make_skins.py            # from the repository root or anywhere

The key layout and the cap size of every key type come from the tables in
make_keyboard_data.py, so the key caps and the keyboard picture always match HWDef.bin. The
pictures themselves are painted by build/bin/R7MakeSkins (tools/make_skins.cpp, built here when
missing); the colours of each skin are set there.
"""

import json
import os
import pathlib
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import make_keyboard_data as kb  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parent.parent
PAINTER = ROOT / "build" / "bin" / "R7MakeSkins"
OUTPUT = ROOT / "modules" / "img"


def layout():
    return {
        "capSizes": {str(t): list(kb.cap_size(t)) for t in kb.KEY_TYPES},
        "keys": [{"x": x, "y": y, "type": t, "name": name}
                 for x, y, t, name, _matrix, _code in kb.keys()],
    }


def main():
    if not PAINTER.exists():
        subprocess.run(["cmake", "--build", str(ROOT / "build"), "--target", "R7MakeSkins"],
                       check=True)
    with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False) as f:
        json.dump(layout(), f)
        layout_file = f.name
    try:
        subprocess.run([str(PAINTER), layout_file, str(OUTPUT)], check=True,
                       env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
    finally:
        pathlib.Path(layout_file).unlink()


if __name__ == "__main__":
    main()
