import QtQuick
import "../common"

// The menu a right click on a profile opens: LOAD, SAVE, RESET and CANCEL for the profile it
// was opened for (profileIndex). It fades in and out; a row's choice closes it.
Rectangle {
    id: contextMenu
    property int profileIndex: -1

    signal loadClicked(int profile)
    signal saveClicked(int profile)
    signal resetClicked(int profile)

    function open(rightX, topY, profile) {
        profileIndex = profile
        x = rightX - width
        y = topY
        if (fadeOut.running)
            fadeOut.complete()
        visible = true
        fadeIn.restart()
    }

    function close() {
        fadeIn.stop()
        fadeOut.restart()
    }

    function choose(row) {
        close()
        if (row === 0)
            loadClicked(profileIndex)
        else if (row === 1)
            saveClicked(profileIndex)
        else if (row === 2)
            resetClicked(profileIndex)
    }

    width: rows.width
    height: rows.height
    // It opens over the profile rows: a nearly opaque ground keeps its words readable there.
    color: "#e6000000"
    border.width: 1
    border.color: globalSetting_color_disable
    visible: false
    opacity: 0

    // Rows 45 px wide, or wider where a language's word needs it; the menu takes the widest.
    Column {
        id: rows

        Repeater {
            model: [84, 85, 77, 78]
            Item {
                width: Math.max(45, rowText.implicitWidth + 10)
                height: 20

                GlobalText {
                    id: rowText
                    x: (contextMenu.width - width) / 2
                    anchors.verticalCenter: parent.verticalCenter
                    text: globalSetting_stringList[modelData]
                    color: rowArea.containsMouse ? globalSetting_color : globalSetting_color_enable
                }

                MouseArea {
                    id: rowArea
                    width: contextMenu.width
                    height: parent.height
                    hoverEnabled: true
                    onClicked: contextMenu.choose(index)
                }
            }
        }
    }

    NumberAnimation {
        id: fadeIn
        target: contextMenu; property: "opacity"; from: 0; to: 1
        easing.type: Easing.OutExpo; duration: animation_speed * 1.5
    }

    NumberAnimation {
        id: fadeOut
        target: contextMenu; property: "opacity"; from: 1; to: 0
        easing.type: Easing.OutExpo; duration: animation_speed
        alwaysRunToEnd: true
        onFinished: contextMenu.visible = false
    }
}
