import QtQuick
import "../common"

// "【 ON 】" or "【 OFF 】" on a row's height; a click asks the owner to switch.
Item {
    id: toggle
    property bool isOn: false
    property string onText: ""
    property string offText: ""

    signal clicked

    width: 151
    height: 23

    GlobalText {
        objectName: "label"
        anchors.verticalCenter: parent.verticalCenter
        text: "【 " + (toggle.isOn ? toggle.onText : toggle.offText) + " 】"
        color: toggleArea.containsMouse ? globalSetting_color : globalSetting_color_enable
    }

    MouseArea {
        id: toggleArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: toggle.clicked()
    }
}
