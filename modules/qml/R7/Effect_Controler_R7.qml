import QtQuick
import R7.Preview

// The colour page's live preview of the keyboard's lighting. The effects run in the preview
// item itself (play, getPic, pictureChged, tmrTrigged and the lighting properties are its own);
// here the hardware definition lays the keys out and key presses from the keyboard hook reach
// the reactive effects by matrix position. The item is as large as the keys reach.
KeyboardPreview {
    skin: skin_No
    fontFamily: globalSetting_fontFamily

    // Lays out the keys of `_HWDef` (the hardware definition list); the rows, the marquee's row
    // script and the wave pictures follow from it.
    function initUI(_HWDef) {
        setKeys(_HWDef)
    }

    // Releases and keys the keyboard has no position for change nothing.
    function detectKeyboard(isDown, usbCode) {
        if (!isDown)
            return
        const matrix = _KeyCodeString.keycodeTomatrix(usbCode)
        if (matrix !== undefined)
            pressMatrix(matrix)
    }
}
