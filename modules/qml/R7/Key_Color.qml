import QtQuick

// One key of the lighting page's keyboard drawing: the skin's key cap, the key's name in its
// preview colour over a faint white copy, and the selection frame of the painting tool.
Item {
    id: key
    // The preview colour, 0-255 each.
    property int _R: 255
    property int _G: 255
    property int _B: 255
    property int _Alpha: 255
    property int swId: -1
    property int matrix: -1
    property int keyType: 0
    property string name: ""
    // Row number from the top, set once the rows are worked out.
    property int posYId: -1
    property bool isSelect: false
    // The centre in the model's coordinates, whole pixels so that it packs into keysPosX/Y.
    readonly property int x0: x + Math.round(width / 2)
    readonly property int y0: y + Math.round(height / 2)

    readonly property string capFolder: "file:modules/img/skin" + skin_No + "/model_kb/k"

    width: cap.implicitWidth
    height: cap.implicitHeight

    Image {
        id: cap
        source: key.keyType > 0 ? key.capFolder + key.keyType + "-0.png" : ""
    }

    Text {
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: key.name
        font.family: globalSetting_fontFamily
        font.pixelSize: 11
        font.bold: true
        // Long names shrink to fit their cap.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 7
        color: "#FFFFFF"
        opacity: 0.1
    }

    Text {
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: key.name
        font.family: globalSetting_fontFamily
        font.pixelSize: 11
        font.bold: true
        // Long names shrink to fit their cap.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 7
        color: Qt.rgba(key._R / 255, key._G / 255, key._B / 255, key._Alpha / 255)
    }

    Image {
        source: key.keyType > 0 && key.isSelect ? key.capFolder + key.keyType + "-1.png" : ""
    }
}
