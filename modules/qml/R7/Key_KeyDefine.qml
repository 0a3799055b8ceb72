import QtQuick

// One key of the key assignment page's keyboard picture. A click selects it; while the button
// is held a copy of the key follows the pointer, so it can be dropped on the KEYBOARD field.
Item {
    id: key
    property int matrix: -1
    property int keyType: 0
    property int keyCode_Default: 0
    property int keyCode: 0
    readonly property bool isDefault: keyCode === keyCode_Default
    property string name: ""
    readonly property bool isSelect: matrix === modelR7.curKeyMatrix
    // The pointer in page coordinates while the key is held.
    readonly property real correctionX: modelR7.x + x + keyArea.mouseX
    readonly property real correctionY: modelR7.y + y + keyArea.mouseY
    readonly property bool dragging: keyArea.pressed
    property real dragOpacity: dragging && modelR7.dragIsOverTarget ? 0.5 : 1.0

    readonly property string imageBase: keyType > 0 ? skinFolder + "model_kb/k" + keyType : ""

    width: face.width
    height: face.height
    z: dragging ? 1 : 0

    Image {
        id: face
        source: key.imageBase === "" ? "" : key.imageBase + "-0.png"
    }

    Image {
        source: key.imageBase === "" ? "" : key.imageBase + "-1.png"
        opacity: key.isSelect || keyArea.containsMouse ? 1.0 : key.isDefault ? 0 : 0.5
    }

    KeyLabel {
        text: key.name
        color: key.isDefault ? globalSetting_color_enable : globalSetting_color
    }

    // The copy under the pointer keeps the offset at which the key was pressed.
    Item {
        x: keyArea.mouseX - keyArea.pressX
        y: keyArea.mouseY - keyArea.pressY
        width: face.width
        height: face.height
        visible: key.dragging
        opacity: key.dragOpacity

        Image {
            source: face.source
        }

        KeyLabel {
            text: key.name
        }
    }

    MouseArea {
        id: keyArea
        property real pressX: 0
        property real pressY: 0
        anchors.fill: parent
        hoverEnabled: true
        onPressed: (mouse) => {
            pressX = mouse.x
            pressY = mouse.y
            modelR7.keypressed(key)
        }
        onReleased: modelR7.keyreleased()
        onClicked: {
            modelR7.curKeyMatrix = key.matrix
            _Page_Keydefine.keyCodeToUI(key.keyCode)
        }
    }
}
