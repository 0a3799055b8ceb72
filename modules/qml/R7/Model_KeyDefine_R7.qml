import QtQuick
import "../common/HardwareDefinition.js" as HardwareDefinition

// The keyboard picture of the key assignment page, built once from the hardware definition.
// getKey is indexed by matrix position: a key item where a key is drawn, a plain record with
// the same values where the keyboard has no key.
Item {
    id: modelR7
    property int curKeyMatrix: 0
    property var getKey: []
    property Item dragingKey: null
    property var hWDef: []
    // The page says whether the pointer of a held key is over its drop target.
    property bool dragIsOverTarget: false
    // Neither selectable nor draggable: the Fn key, which the keyboard needs to stay itself.
    readonly property int lockedMatrix: 89
    property bool keysDrawn: false

    signal dragKey

    function keypressed(tmpKey) {
        dragingKey = tmpKey
        z = 1
    }

    function keyreleased() {
        dragKey()
        z = 0
    }

    // The keys are records until the picture is first shown: the page keeps its values in
    // getKey either way, and the hundred-odd key items are made only when someone looks.
    function initUI(_HWDef) {
        hWDef = _HWDef
        const keys = []
        const drawn = HardwareDefinition.keyCount(_HWDef)
        for (let i = 0; i < drawn; ++i) {
            const key = HardwareDefinition.key(_HWDef, i)
            if (!Number.isInteger(key.matrix) || key.matrix < 0) {
                console.log("Error creating key:", i)
                continue
            }
            key.keyCode_Default = key.keyCode
            key.enabled = key.matrix !== lockedMatrix
            keys[key.matrix] = key
        }
        const positions = HardwareDefinition.matrixSize(_HWDef)
        for (let m = 0; m < positions; ++m) {
            if (keys[m] === undefined)
                keys[m] = placeholder()
        }
        getKey = keys
        if (visible)
            drawKeys()
    }

    // Turns the key records into key items, with the values they hold now.
    function drawKeys() {
        const component = Qt.createComponent("Key_KeyDefine.qml")
        const keys = getKey.slice()
        for (let m = 0; m < keys.length; ++m) {
            if (keys[m].matrix < 0)
                continue
            const key = component.createObject(modelR7, keys[m])
            if (key === null)
                console.log("Error creating key:", m)
            else
                keys[m] = key
        }
        getKey = keys
        keysDrawn = true
    }

    onVisibleChanged: {
        if (visible && !keysDrawn)
            drawKeys()
    }

    function placeholder() {
        return { x: 0, y: 0, keyType: 0, name: "", matrix: -1, keyCode: 0, keyCode_Default: 0 }
    }
}
