import QtQuick

// Stand-in root until the full shell lands: it has every function the backend invokes and shows
// whether a supported keyboard is connected.
Item {
    id: mainIten
    width: 1000
    height: 600

    property bool isConnect: false

    function setProtectUI(interval) {
        busyText.visible = true
        ui_View.setEnabled(false)
        tmrProtectUI.interval = interval
        tmrProtectUI.start()
    }
    function initUI() {}
    function zzzMorvel() {}
    function run() { mainIten.visible = true }
    function currentVersion(isMyKeyboard) { isConnect = isMyKeyboard }
    function close() { ui_Ctl.onExit() }
    function detectKeyboard(isDown, usbCode) {}
    function detectMouse(isDown, volkCode, x, y) {}

    Timer {
        id: tmrProtectUI
        interval: 1000
        onTriggered: {
            ui_View.setEnabled(true)
            busyText.visible = false
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: 16
        color: "#1b1d22"
        border.color: "#3a3f48"
        border.width: 2
    }

    MouseArea {
        property int clickPosX: 0
        property int clickPosY: 0
        anchors.fill: parent
        onPressed: (mouse) => {
            clickPosX = mouse.x
            clickPosY = mouse.y
        }
        onPositionChanged: (mouse) => {
            ui_Ctl.onXChanged(mouse.x - clickPosX)
            ui_Ctl.onYChanged(mouse.y - clickPosY)
        }
    }

    Text {
        x: 40
        y: 36
        text: "R7 Configurator"
        color: "#e8e8e8"
        font.family: "Arial"
        font.pixelSize: 28
        font.bold: true
    }

    Text {
        id: closeButton
        anchors.right: parent.right
        anchors.rightMargin: 28
        y: 28
        text: "\u00d7"
        color: closeArea.containsMouse ? "#ffffff" : "#9aa0a8"
        font.family: "Arial"
        font.pixelSize: 36
        MouseArea {
            id: closeArea
            anchors.fill: parent
            anchors.margins: -8
            hoverEnabled: true
            onClicked: mainIten.close()
        }
    }

    Row {
        anchors.centerIn: parent
        spacing: 16
        Rectangle {
            width: 28
            height: 28
            anchors.verticalCenter: parent.verticalCenter
            color: isConnect ? "#00ff00" : "#ff0000"
        }
        Text {
            text: isConnect ? "Keyboard connected" : "No keyboard connected"
            color: "#e8e8e8"
            font.family: "Arial"
            font.pixelSize: 32
        }
    }

    Text {
        id: busyText
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 40
        visible: false
        text: "LOADING ......"
        color: "#e8e8e8"
        font.family: "Arial"
        font.pixelSize: 20
        font.bold: true
    }
}
