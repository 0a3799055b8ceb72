import QtQuick

// Captures the next key the user presses: a click clears the field and starts (or stops)
// listening; the key hook's events are handed in through detectKeyboard.
Rectangle {
    id: keyInput
    property bool isSelect: false
    property int tmpKeycodeUSB: 0
    property string tmpKeyString: ""
    property alias text: label.label

    signal inputComplete(int usbCode)

    function detectKeyboard(isDown, usbCode) {
        if (!isSelect)
            return
        setKeycodeUSB(usbCode)
        inputComplete(usbCode)
    }

    // Ends capturing; a code without a name leaves the field empty.
    function setKeycodeUSB(keycode) {
        isSelect = false
        const name = _KeyCodeString.keycodeTostr(keycode)
        if (name === undefined) {
            tmpKeycodeUSB = 0
            tmpKeyString = ""
        } else {
            tmpKeycodeUSB = keycode
            tmpKeyString = name
        }
    }

    width: 151
    height: 23
    color: "transparent"

    Image {
        source: sourceSlider
    }

    LazyText {
        id: label
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        label: keyInput.tmpKeycodeUSB === 0 ? "KEY【 PRESS ANY 】"
                                            : "KEY 【 " + keyInput.tmpKeyString + " 】"
        color: keyInput.isSelect || inputArea.containsMouse ? globalSetting_color
                                                            : globalSetting_color_enable
    }

    MouseArea {
        id: inputArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            keyInput.tmpKeycodeUSB = 0
            keyInput.tmpKeyString = ""
            keyInput.isSelect = !keyInput.isSelect
        }
    }
}
