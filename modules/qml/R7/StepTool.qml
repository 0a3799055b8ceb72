import QtQuick
import "../common"

// A picture button of the macro page's step tools; its name shows to its left while the
// pointer is over it and the tool can be used.
Button_2state {
    id: tool
    property string tip: ""

    GlobalText {
        anchors.right: parent.left
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        text: tool.tip
        color: globalSetting_color
        visible: tool.enabled && tool.mouse.containsMouse
    }
}
