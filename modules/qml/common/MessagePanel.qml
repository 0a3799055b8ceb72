import QtQuick

// A message in the window: a title, a few lines of text and one button that closes it. It
// covers the pages below it until closed; `closed` tells the owner the user has read it.
Rectangle {
    id: messagePanel
    property alias title: titleText.text
    property alias text: bodyText.text
    property alias buttonText: buttonLabel.text

    signal closed

    function show(newTitle, newText, newButtonText) {
        title = newTitle
        text = newText
        buttonText = newButtonText
        visible = true
    }

    function close() {
        visible = false
        closed()
    }

    width: 520
    height: content.height + 40
    color: "#ee000000"
    border.width: 1
    border.color: globalSetting_color
    radius: 6
    visible: false

    // Presses inside the panel stay here instead of dragging the window or reaching a page.
    MouseArea {
        anchors.fill: parent
    }

    Column {
        id: content
        x: 20
        y: 20
        width: parent.width - 40
        spacing: 14

        GlobalText {
            id: titleText
            width: parent.width
            wrapMode: Text.Wrap
            color: globalSetting_color
        }

        GlobalText {
            id: bodyText
            width: parent.width
            wrapMode: Text.Wrap
            font.bold: false
        }

        Rectangle {
            id: closeButton
            objectName: "messageCloseButton"
            anchors.right: parent.right
            width: Math.max(90, buttonLabel.implicitWidth + 24)
            height: buttonLabel.implicitHeight + 10
            color: "transparent"
            border.width: 1
            border.color: buttonArea.containsMouse ? globalSetting_color : globalSetting_color_enable
            radius: 3

            GlobalText {
                id: buttonLabel
                anchors.centerIn: parent
                color: buttonArea.containsMouse ? globalSetting_color : globalSetting_color_enable
            }

            MouseArea {
                id: buttonArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: messagePanel.close()
            }
        }
    }
}
