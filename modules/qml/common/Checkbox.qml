import QtQuick

// A check box with its label 5 px to the right.
Item {
    id: checkbox
    property bool isSelect: false
    property string chkStr: ""

    signal clicked(bool select)

    width: box.width + 5 + label.width
    height: Math.max(box.height, label.height)
    opacity: !enabled || checkArea.pressed ? 0.2 : 1.0

    Image {
        id: box
        anchors.verticalCenter: parent.verticalCenter
        source: checkbox.isSelect ? sourceCheckbox_1 : sourceCheckbox_0
    }

    GlobalText {
        id: label
        objectName: "label"
        x: box.width + 5
        anchors.verticalCenter: parent.verticalCenter
        text: checkbox.chkStr
    }

    MouseArea {
        id: checkArea
        anchors.fill: parent
        onClicked: {
            ui_View.playMedia_Index(4)
            checkbox.isSelect = !checkbox.isSelect
            checkbox.clicked(checkbox.isSelect)
        }
    }
}
