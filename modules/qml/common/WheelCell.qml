import QtQuick

// One cell of the steering wheel: lit or not, with an optional arrow.
Image {
    id: cell
    property bool isLit: false
    property string label: ""
    property int textSize: 12
    property color textColor: "#000000"
    readonly property bool hovered: cellArea.containsMouse

    signal clicked

    source: isLit ? sourceSlider_FILLER_1 : sourceSlider_FILLER_0

    Text {
        anchors.centerIn: parent
        text: cell.label
        font.family: "Arial"
        font.pixelSize: cell.textSize
        font.bold: true
        color: cell.textColor
    }

    MouseArea {
        id: cellArea
        anchors.fill: parent
        enabled: cell.label !== ""
        hoverEnabled: true
        onClicked: cell.clicked()
    }
}
