#!/usr/bin/env bash
# Saves a few frames of the colour page's live preview under a virtual X display:
#   tools/record_preview.sh <effect type> <folder/prefix> [frames] [ms between frames]
# for example `tools/record_preview.sh 9 docs/screenshots/preview-ripple 4 120`. The page is
# set to the effect at the fastest speed and full brightness with the LOOP colour; for the
# reactive effects (3, 5, 9) a key is pressed every 400 ms, walking along the number row.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
type="$1"
prefix="$(realpath -m "$2")"
frames="${3:-4}"
gap="${4:-120}"
mkdir -p "$(dirname "$prefix")"
read -r -d '' qml <<QML || true
Qt.createQmlObject("import QtQuick; Item {
  function find(o, name) {
    if (o.objectName === name) return o
    const children = o.children || []
    for (let i = 0; i < children.length; ++i) { const r = find(children[i], name); if (r) return r }
    return null
  }
  property var pages: find(main_R7, '_fkPage')
  property var preview: find(main_R7, '_eft_Ctrl')
  property int saved: 0
  property int pressed: 0
  Timer { interval: 2500; running: true; onTriggered: parent.pages.show(2) }
  Timer { interval: 4500; running: true; onTriggered: { const page = parent.preview.parent.parent; page.setLighting([${type}, 63, 1, 0, 7], false); page.playEffect(true); press.start(); shoot.start() } }
  Timer { id: press; interval: 400; repeat: true; triggeredOnStart: true
          onTriggered: parent.preview.pressMatrix(17 + (parent.pressed++ % 10)) }
  Timer { id: shoot; interval: ${gap}; repeat: true
          onTriggered: { const n = ++parent.saved; if (n > ${frames}) { stop(); return }
                         parent.preview.parent.parent.grabToImage(r => r.saveToFile('${prefix}-' + n + '.png')) } }
}", main_R7)
QML
"$root/tools/screenshot.sh" /tmp/r7-record-preview.png --delay $((6000 + frames * gap)) --eval "$qml"
