import QtQuick
import "../common"

// A row's label, right-aligned 20 px left of its control and shown with it.
GlobalText {
    property Item control

    anchors.right: control.left
    anchors.rightMargin: 20
    anchors.verticalCenter: control.verticalCenter
    visible: control.visible
}
