import QtQuick

// A right-click menu: one row per text of the text table (rowTexts holds their indexes), for
// the item it was opened for (targetIndex). It fades in and out; choosing a row closes it and
// reports the row. While it fades out it is inert: a quick second click neither chooses a row
// of a menu that is going away nor reaches what lies under it.
Rectangle {
    id: contextMenu
    property var rowTexts: []
    property int targetIndex: -1
    readonly property bool isOpen: visible && !fadeOut.running
    // The menu grows leftwards from here when a language's words need wider rows.
    property real rightEdge: 0

    signal rowChosen(int row, int target)

    function open(rightX, topY, target) {
        targetIndex = target
        rightEdge = rightX
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
        rowChosen(row, targetIndex)
    }

    x: rightEdge - width
    width: rows.width
    height: rows.height
    // It opens over other rows: a nearly opaque ground keeps its words readable there.
    color: "#e6000000"
    border.width: 1
    border.color: globalSetting_color_disable
    visible: false
    opacity: 0

    // Rows 45 px wide, or wider where a language's word needs it; the menu takes the widest.
    Column {
        id: rows

        Repeater {
            model: contextMenu.rowTexts
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
                    enabled: contextMenu.isOpen
                    hoverEnabled: true
                    onClicked: contextMenu.choose(index)
                }
            }
        }
    }

    // While it fades out it swallows clicks, so none reaches the rows it still covers.
    MouseArea {
        anchors.fill: parent
        enabled: contextMenu.visible && !contextMenu.isOpen
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
