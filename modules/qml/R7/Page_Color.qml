import QtQuick

// The lighting page, page 2 of the page area. The shell calls initUI (with true and the
// hardware definition at start-up, without arguments after a reload), playEffect whenever the
// page is shown or hidden and translateStrings after a language change. For now it shows the
// stored lighting on the keyboard drawing; the page's controls have not been built yet.
Item {
    width: 759
    height: 442

    // The stored lighting type: 0x00-0x0B an effect, 0x33-0x37 user picture 1-5, -1 none.
    property int effectIndex: -1

    function initUI(isFirst, _HWDef) {
        if (isFirst)
            _eft_Ctrl.initUI(_HWDef)
        const palette = ui_View.ui_B0H_GetColor()
        if (palette.length > 0)
            _eft_Ctrl.palette = palette.map(Number)
        const led = ui_View.ui_88H_GetLEDType()
        if (led.length >= 5) {
            const type = Number(led[0])
            effectIndex = (type >= 0x00 && type <= 0x0B) || (type >= 0x33 && type <= 0x37) ? type : -1
            _eft_Ctrl.brightnessLV = Math.round(Number(led[1]) * 7 / 63)
            _eft_Ctrl.speedLV = Math.max(1, Math.min(7, Number(led[2])))
            _eft_Ctrl.directLV = Number(led[3]) % 2 + 1
            _eft_Ctrl.colorIndex = Number(led[4])
        }
    }

    function playEffect(isOn) {
        _eft_Ctrl.play(isOn ? effectIndex : -1)
    }

    function translateStrings() {
    }

    Connections {
        target: mainItem_R7
        function onMsg_KB(isDown, usbCode) {
            _eft_Ctrl.detectKeyboard(isDown, usbCode)
        }
    }

    Image {
        source: sourceFnColorBackground
    }

    Effect_Controler_R7 {
        id: _eft_Ctrl
        objectName: "_eft_Ctrl"
        x: 22
        y: 29
    }
}
