import QtQuick

// The head of a drop-down list: the chosen text on the slider base with "▼" at the right edge,
// both highlighted while hovered.
Image {
    id: head
    property string text: ""
    readonly property color textColor: headArea.containsMouse ? globalSetting_color
                                                              : globalSetting_color_enable
    signal clicked

    source: sourceSlider

    LazyText {
        x: 10
        width: arrow.x - x - 4
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        label: head.text
        color: head.textColor
    }

    Text {
        id: arrow
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        text: "▼"
        font.family: "Arial"
        font.pixelSize: globalSetting_size
        font.bold: true
        color: head.textColor
    }

    MouseArea {
        id: headArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: head.clicked()
    }
}
