import QtQuick
import "TextIndex.js" as TextIndex

// A head showing the current row and a list of rows that slides out below it.
Rectangle {
    id: dropdown
    property ListModel mdItems: ListModel {}
    property alias isSelect: drawer.isOpen
    property int defaultIndex: -1

    signal listElementClicked(int index)
    signal listOpened
    signal listClosed

    function setCurIndex(index) {
        defaultIndex = index
    }

    function getCurIndex() {
        return defaultIndex
    }

    function showList() {
        drawer.showList()
    }

    function closeList() {
        drawer.closeList()
    }

    function choose(index) {
        defaultIndex = index
        closeList()
        listElementClicked(index)
    }

    width: head.width
    height: head.height
    color: "transparent"
    // An open list lies over the controls below it.
    z: drawer.visible ? 100 : 0

    ListHead {
        id: head
        objectName: "head"
        readonly property Item currentRow: rows.count > 0 ? rows.itemAt(dropdown.defaultIndex) : null
        text: currentRow ? currentRow.rowText
                         : "【 " + globalSetting_stringList[TextIndex.listPrompt] + " 】"
        onClicked: dropdown.isSelect ? dropdown.closeList() : dropdown.showList()
    }

    ListDrawer {
        id: drawer
        y: head.height
        width: head.width
        contentHeight: column.height
        duration: animation_speed * (0.1 + 0.05 * dropdown.mdItems.count)
        onOpenStarted: dropdown.listOpened()
        onCloseFinished: dropdown.listClosed()

        Column {
            id: column
            Repeater {
                id: rows
                model: dropdown.mdItems
                delegate: Image {
                    id: row
                    readonly property string rowText: textX ?? ""
                    source: sourceSlider
                    GlobalText {
                        x: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: row.rowText
                        color: rowArea.containsMouse ? globalSetting_color : globalSetting_color_enable
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: dropdown.choose(index)
                    }
                }
            }
        }
    }
}
