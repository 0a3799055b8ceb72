import QtQuick

// A picture button: source1 while hovered, source0 otherwise; faded while pressed or disabled.
Image {
    id: button
    property url source0
    property url source1
    property alias mouse: buttonArea

    signal clicked

    source: enabled && buttonArea.containsMouse ? source1 : source0
    opacity: !enabled || buttonArea.pressed ? 0.2 : 1.0

    MouseArea {
        id: buttonArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            ui_View.playMedia_Index(4)
            button.clicked()
        }
    }
}
