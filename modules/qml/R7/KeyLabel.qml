import QtQuick
import "../common"

// A key's name on its face: 11 px, shrunk only as far as a long name needs to stay on the key.
GlobalText {
    anchors.centerIn: parent
    width: parent.width - 4
    horizontalAlignment: Text.AlignHCenter
    font.pixelSize: 11
    fontSizeMode: Text.HorizontalFit
    minimumPixelSize: 7
}
