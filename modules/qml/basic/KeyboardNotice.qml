import QtQuick
import "../common"

// A short word to the user: the keyboard did not take a change or answer, or a macro could not
// be saved or bound. It rises above everything for a few seconds and lets every click through
// to what lies below.
Rectangle {
    id: notice

    property string text: ""
    property int showMs: 6000

    width: label.width + 40
    height: label.height + 20
    radius: 6
    color: "#E6202020"
    border.color: "#C04040"
    opacity: 0
    visible: opacity > 0

    function show(message) {
        text = message
        opacity = 1
        hideTimer.restart()
    }

    Behavior on opacity {
        NumberAnimation { duration: 250 }
    }

    // The text is laid out, and its font read, once the notice first shows: the window's first
    // frames need no font at all.
    LazyLoader {
        id: label
        anchors.centerIn: parent
        sourceComponent: Text {
            width: Math.min(implicitWidth, 560)
            text: notice.text
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            color: "white"
            font.family: globalSetting_fontFamily
            font.pixelSize: 14
        }
    }

    Timer {
        id: hideTimer
        interval: notice.showMs
        onTriggered: notice.opacity = 0
    }
}
