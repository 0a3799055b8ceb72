import QtQuick

// A list of names with a right-hand note per row. A click selects a row or, on the selected
// row, clears the selection; a row's name can be edited in place.
Rectangle {
    id: fileList
    property ListModel mdItems: ListModel {}
    property alias lvItems: listView
    // The row being renamed, -1 for none, and its text so far.
    property int editIndex: -1
    property string editText: ""

    signal listElementClicked(int index)
    signal listElementRightBtnClicked(int index)
    signal editFileName_start(int tarIndex)
    signal editFileName_stop
    signal editFileName_completed(string oldName, string newName)

    function editFileName(index) {
        if (index < 0 || index >= mdItems.count)
            return
        editText = mdItems.get(index).textX
        editIndex = index
        editFileName_start(index)
    }

    // Ends renaming and keeps the new name.
    function stopEditFileName() {
        if (editIndex < 0)
            return
        const index = editIndex
        const oldName = mdItems.get(index).textX
        const newName = editText
        editIndex = -1
        mdItems.setProperty(index, "textX", newName)
        editFileName_completed(oldName, newName)
        editFileName_stop()
    }

    // Ends renaming and keeps the old name.
    function cancelEditFileName() {
        if (editIndex < 0)
            return
        editIndex = -1
        editFileName_stop()
    }

    function toggle(index) {
        listView.currentIndex = listView.currentIndex === index ? -1 : index
        listElementClicked(listView.currentIndex)
    }

    width: 151
    height: 200
    color: "#FF000000"

    // An empty list has nothing selected.
    Connections {
        target: fileList.mdItems
        function onCountChanged() {
            if (fileList.mdItems.count === 0)
                listView.currentIndex = -1
        }
    }

    ListView {
        id: listView
        anchors.fill: parent
        clip: true
        model: fileList.mdItems
        currentIndex: -1
        boundsBehavior: Flickable.StopAtBounds
        highlightFollowsCurrentItem: false

        delegate: Item {
            id: row
            // A row being removed has no values any more.
            readonly property string rowText: textX ?? ""
            readonly property bool lit: ListView.isCurrentItem || rowArea.containsMouse
            readonly property bool editing: index >= 0 && fileList.editIndex === index
            width: listView.width
            height: 20

            onEditingChanged: {
                if (!editing)
                    return
                editor.text = textX
                editor.selectAll()
                editor.forceActiveFocus()
                Qt.inputMethod.show()
            }

            Image {
                width: parent.width
                source: sourceDraw_line
                visible: index > 0
            }

            Image {
                anchors.bottom: parent.bottom
                width: parent.width
                source: sourceDraw_line
                visible: index < listView.count - 1
            }

            GlobalText {
                x: 5
                width: note.x - x - 4
                anchors.verticalCenter: parent.verticalCenter
                elide: Text.ElideRight
                text: row.rowText
                color: row.lit ? globalSetting_color : globalSetting_color_enable
                visible: !row.editing
            }

            GlobalText {
                id: note
                anchors.right: parent.right
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                text: textR ?? ""
                color: row.lit ? globalSetting_color : globalSetting_color_enable
            }

            MouseArea {
                id: rowArea
                anchors.fill: parent
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                hoverEnabled: true
                onClicked: (mouse) => {
                    if (mouse.button === Qt.RightButton)
                        fileList.listElementRightBtnClicked(index)
                    else
                        fileList.toggle(index)
                }
            }

            TextInput {
                id: editor
                x: 5
                width: note.x - x - 4
                anchors.verticalCenter: parent.verticalCenter
                visible: row.editing
                clip: true
                selectByMouse: true
                font.family: globalSetting_fontFamily
                font.pixelSize: globalSetting_size
                font.bold: true
                color: globalSetting_color
                selectionColor: globalSetting_color
                selectedTextColor: "#000000"
                onTextChanged: {
                    if (row.editing)
                        fileList.editText = text
                }
                onAccepted: fileList.stopEditFileName()
                onActiveFocusChanged: {
                    if (!activeFocus && row.editing)
                        fileList.cancelEditFileName()
                }
            }
        }
    }

    // Shows which part of the rows is in view; drag it to scroll.
    Rectangle {
        id: scrollBar
        x: parent.width - width
        width: 5
        radius: 2.5
        opacity: 0.5
        color: globalSetting_color_enable
        height: Math.max(10, listView.visibleArea.heightRatio * listView.height)
        visible: listView.count > 0 && listView.contentHeight > listView.height

        Binding on y {
            when: !barArea.drag.active
            value: listView.visibleArea.yPosition * listView.height
        }

        onYChanged: {
            if (barArea.drag.active)
                listView.contentY = listView.originY + y / (listView.height - height)
                        * (listView.contentHeight - listView.height)
        }

        MouseArea {
            id: barArea
            anchors.fill: parent
            drag.target: scrollBar
            drag.axis: Drag.YAxis
            drag.minimumY: 0
            drag.maximumY: listView.height - scrollBar.height
        }
    }
}
