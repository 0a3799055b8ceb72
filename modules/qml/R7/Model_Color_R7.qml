import QtQuick
import "../common/HardwareDefinition.js" as HardwareDefinition

// The keyboard drawing of the lighting page, built from the hardware definition: one key item
// per key, and the lighting state the keys show in the static preview.
Item {
    id: _model

    // Keys in definition order; getKey by matrix position, with a placeholder where no key is.
    property var keys: []
    property var getKey: []
    // Per key (centre x) * 256 + definition index and (centre y) * 256 + index, ascending.
    property var keysPosX: []
    property var keysPosY: []
    property int matrixCount: 0
    property var hWDef: []
    property bool keysDrawn: false

    // What the keys show: the seven palette colours as [r, g, b], the colour index (7: LOOP),
    // the brightness level 0-7, the loop colour's index, the effect (-1: none) and the user
    // picture shown (mode, r, g, b per matrix position), or null for a palette colour.
    property var palette: [[255, 0, 0], [0, 255, 0], [255, 255, 0], [0, 0, 255],
        [0, 255, 255], [255, 0, 255], [255, 255, 255]]
    property int colorIndex: 6
    property int brightnessLV: 7
    property int loopIndex: 0
    property int effectIndex: -1
    property var picture: null

    // The key items are made when the drawing is first shown: they follow the lighting state
    // through bindings, so until someone looks there is nothing for them to do.
    function initUI(_HWDef) {
        hWDef = _HWDef
        matrixCount = HardwareDefinition.positionCount(_HWDef)
        if (visible)
            drawKeys()
    }

    onVisibleChanged: {
        if (visible && !keysDrawn)
            drawKeys()
    }

    function drawKeys() {
        for (const old of keys)
            old.destroy()
        const _HWDef = hWDef
        const keyCount = HardwareDefinition.keyCount(_HWDef)
        const made = []
        const byMatrix = []
        for (let i = 0; i < keyCount && HardwareDefinition.holdsMatrix(_HWDef, i); ++i) {
            const defined = HardwareDefinition.key(_HWDef, i)
            const key = keyComponent.createObject(_model, {
                x: defined.x,
                y: defined.y,
                keyType: defined.keyType,
                name: defined.name,
                matrix: defined.matrix,
                swId: i,
                lighting: _model
            })
            made.push(key)
            if (key.matrix >= 0 && key.matrix < matrixCount)
                byMatrix[key.matrix] = key
        }
        for (let m = 0; m < matrixCount; ++m) {
            if (!byMatrix[m])
                byMatrix[m] = {matrix: -1, swId: -1, _R: 0, _G: 0, _B: 0, _Alpha: 0}
        }
        keys = made
        getKey = byMatrix
        keysPosX = made.map((key, i) => key.x0 * 256 + i).sort((a, b) => a - b)
        keysPosY = made.map((key, i) => key.y0 * 256 + i).sort((a, b) => a - b)
        keysDrawn = true
    }

    function showStatic() {
        for (const key of keys)
            key.showStatic()
    }

    // Marks the keys whose rectangle meets `band` (in the model's coordinates).
    function selectIn(band) {
        for (const key of keys)
            key.isSelect = key.x < band.x + band.width && band.x < key.x + key.width
                    && key.y < band.y + band.height && band.y < key.y + key.height
    }

    function clearSelection() {
        for (const key of keys)
            key.isSelect = false
    }

    // Matrix positions of the selected keys.
    function selectedMatrix() {
        return keys.filter(key => key.isSelect && key.matrix >= 0 && key.matrix < matrixCount)
                .map(key => key.matrix)
    }

    Component {
        id: keyComponent
        Key_ColorPro {}
    }
}
