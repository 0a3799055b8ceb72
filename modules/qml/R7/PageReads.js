.import "../common/ByteValue.js" as ByteValue
.import "../common/HardwareDefinition.js" as HardwareDefinition

// What each feature page shows of the current profile and the keyboard, read apart from the
// page. A page is made when first shown, but what it shows is read when it has always been
// read (at start-up, after a profile switch or a lighting change of the keyboard's own), in the
// same order, and handed to the page when it is made; a page already made reads it through
// these same functions.

const userPictures = 5

// The profile keeps [low byte, high byte]; a missing pair is 0.
function storedKeyCode(matrix) {
    const pair = ui_View.getKeydefine(matrix)
    return (Number(pair[0] ?? 0) & 0xFF) | ((Number(pair[1] ?? 0) << 8) & 0xFF00)
}

// The key page: the macro files, each matrix position's code, gaming mode.
function keys(hwDef) {
    const macroFiles = ui_View.getMacroIniNames()
    const keyCodes = []
    const positions = HardwareDefinition.matrixSize(hwDef)
    for (let i = 0; i < positions; ++i)
        keyCodes.push(storedKeyCode(i))
    return {
        macroFiles: macroFiles,
        keyCodes: keyCodes,
        gamingMode: Number(ui_View.ui_82H_GetKeyboardMode()) !== 0
    }
}

function macros() {
    return { macroFiles: ui_View.getMacroIniNames() }
}

// The lighting page: the palette, the user pictures as bytes, the lighting setting.
function lighting() {
    const colors = ui_View.ui_B0H_GetColor()
    const pictures = []
    for (let i = 0; i < userPictures; ++i)
        pictures.push(ui_View.ui_92H_GetUserPicture(i).map(value => ByteValue.byteValue(value)))
    return { colors: colors, pictures: pictures, led: ui_View.ui_88H_GetLEDType() }
}

function backlight() {
    return { colors: ui_View.ui_B0H_GetColor(), led: ui_View.ui_88H_GetLEDType() }
}
