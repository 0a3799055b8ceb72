import QtQuick
import "../common/HardwareDefinition.js" as HardwareDefinition

// The key name tables the pages share: matrix position <-> default code from the hardware
// definition, key name <-> USB usage from the key-code definition. Lookups of unknown keys
// give undefined.
QtObject {
    property var matrix2keycode: new Map()
    property var keycode2matrix: new Map()
    property var str2keycode: new Map()
    property var keycode2str: new Map()

    // _UsbStr and _UsbCode: names and codes, paired by index. Later duplicates win.
    function initUI(_HWDef, _UsbStr, _UsbCode) {
        const toMatrix = new Map()
        const toCode = new Map()
        const keyCount = HardwareDefinition.keyCount(_HWDef)
        for (let i = 0; i < keyCount; ++i) {
            const key = HardwareDefinition.key(_HWDef, i)
            toCode.set(key.matrix, key.keyCode)
            toMatrix.set(key.keyCode, key.matrix)
        }
        matrix2keycode = toCode
        keycode2matrix = toMatrix

        const toName = new Map()
        const toUsage = new Map()
        const count = Math.min(_UsbStr.length, _UsbCode.length)
        for (let k = 0; k < count; ++k) {
            const name = String(_UsbStr[k])
            const code = Number(_UsbCode[k])
            toUsage.set(name, code)
            toName.set(code, name)
        }
        str2keycode = toUsage
        keycode2str = toName
    }

    function strTokeycode(str) {
        return str2keycode.get(String(str))
    }

    function keycodeTostr(keycode) {
        return keycode2str.get(Number(keycode))
    }

    function matrixTokeycode(matrix) {
        return matrix2keycode.get(Number(matrix))
    }

    function keycodeTomatrix(keycode) {
        return keycode2matrix.get(Number(keycode))
    }

    // The 1-based position of the lowest set bit of a byte, 0 when none is set.
    function logByte(intByte) {
        for (let bit = 0; bit < 8; ++bit) {
            if (intByte & (1 << bit))
                return bit + 1
        }
        return 0
    }
}
