import QtQuick

// The seven text colours as 19 x 31 cells, 2 px apart, on the strip's picture. The chosen one
// carries a bar in the highlight colour, a hovered one a frame.
Image {
    id: strip
    property alias model: lvColorIndex.model
    property alias currentIndex: lvColorIndex.currentIndex

    signal swatchClicked(int index)

    source: sourceDraw_paletteIndex

    ListView {
        id: lvColorIndex
        anchors.fill: parent
        orientation: ListView.Horizontal
        spacing: 2
        interactive: false
        currentIndex: 0
        highlightFollowsCurrentItem: false

        delegate: Item {
            width: 19
            height: 31

            Rectangle {
                x: 2
                y: 2
                width: 15
                height: 22
                radius: 1
                color: Qt.rgba(clrR / 255, clrG / 255, clrB / 255, 1)
            }

            Rectangle {
                y: 27
                width: 19
                height: 3
                color: globalSetting_color
                visible: index === lvColorIndex.currentIndex
            }

            Rectangle {
                anchors.fill: parent
                color: "transparent"
                border.width: 1
                border.color: globalSetting_color_enable
                visible: swatchArea.containsMouse
            }

            MouseArea {
                id: swatchArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: strip.swatchClicked(index)
            }
        }
    }
}
