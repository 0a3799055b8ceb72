import QtQuick
import "../common"

// The bar over a list of the macro page: its name at the left; buttons placed in it line up
// from the right edge.
BorderImage {
    id: title
    property string text: ""
    default property alias buttons: buttonRow.data

    width: 141
    height: 21
    border { left: 4; right: 4; top: 4; bottom: 4 }
    source: sourceSlider

    GlobalText {
        x: 8
        width: buttonRow.x - x - 4
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: title.text
    }

    Row {
        id: buttonRow
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2
    }
}
