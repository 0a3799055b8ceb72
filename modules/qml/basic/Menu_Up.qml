import QtQuick
import "../common"

// The top bar: the settings button on the left, the close button on the right.
Item {
    id: menuUp
    property bool isGlobalSettingSelect: false

    signal btnClicked(int btnIndex)

    width: container.width + 16
    height: container.height

    Image {
        id: container
        x: 8
        source: sourceListUpContainer

        Image {
            id: settingButton
            x: 5
            y: 30
            source: settingArea.containsMouse || menuUp.isGlobalSettingSelect
                    ? sourceApplicationSetting_1 : sourceApplicationSetting_0
            MouseArea {
                id: settingArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: {
                    ui_View.playMedia_Index(2)
                    menuUp.btnClicked(0)
                }
            }
        }

        // Kept out of sight: hiding the borderless window leaves nothing to bring it back.
        Button_2state {
            anchors.right: exitButton.left
            y: -3
            visible: false
            source0: sourceHide_0
            source1: sourceHide_1
            onClicked: {
                ui_View.playMedia_Index(2)
                ui_Ctl.onMinimize()
            }
        }

        Button_2state {
            id: exitButton
            anchors.right: parent.right
            anchors.rightMargin: 5
            y: -3
            source0: sourceApplicationMinimize_0
            source1: sourceApplicationMinimize_1
            onClicked: menuUp.btnClicked(1)
        }
    }
}
