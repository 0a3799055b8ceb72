import QtQuick

// Shows the key assigned by dragging a key onto it; a click clears it.
Rectangle {
    id: keyInput
    property int keycodeUSB: -1
    property string keyname: ""
    property string keynameDefault: "【 KEYS 】"
    property string keycancel: "╳"
    // A dragged key is over the field.
    property bool isIn: false

    signal clearKey

    // A code without a name leaves the field empty.
    function setKeycodeUSB(keycode) {
        const name = _KeyCodeString.keycodeTostr(keycode)
        if (name === undefined) {
            keycodeUSB = -1
            keyname = ""
        } else {
            keycodeUSB = keycode
            keyname = name
        }
    }

    width: 65
    height: 23
    color: "#FF000000"
    border.width: 1
    border.color: inputArea.containsMouse || isIn ? globalSetting_color : globalSetting_color_disable

    LazyText {
        anchors.centerIn: parent
        label: inputArea.containsMouse ? keyInput.keycancel
                                       : keyInput.keycodeUSB === -1 ? keyInput.keynameDefault
                                                                    : keyInput.keyname
        font.family: "Arial"
        font.pixelSize: 10
        font.bold: false
        opacity: inputArea.pressed ? 0.5 : 1.0
    }

    MouseArea {
        id: inputArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            keyInput.keycodeUSB = -1
            keyInput.clearKey()
        }
    }
}
