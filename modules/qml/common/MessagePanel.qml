import QtQuick

// A message in the window: a title, a few lines of text and one button that closes it. It
// covers the pages below it until closed; `closed` tells the owner the user has read it. Its
// texts are laid out the first time it shows.
Rectangle {
    id: messagePanel
    property string title: ""
    property string text: ""
    property string buttonText: ""

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

    LazyLoader {
        id: content
        x: 20
        y: 20
        width: parent.width - 40
        sourceComponent: contentComponent
    }

    Component {
        id: contentComponent

        Column {
            width: content.width
            spacing: 14

            GlobalText {
                width: parent.width
                text: messagePanel.title
                wrapMode: Text.Wrap
                color: globalSetting_color
            }

            GlobalText {
                width: parent.width
                text: messagePanel.text
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
                border.color: buttonArea.containsMouse ? globalSetting_color
                                                       : globalSetting_color_enable
                radius: 3

                GlobalText {
                    id: buttonLabel
                    anchors.centerIn: parent
                    text: messagePanel.buttonText
                    color: buttonArea.containsMouse ? globalSetting_color
                                                    : globalSetting_color_enable
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
}
