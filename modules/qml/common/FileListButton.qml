import QtQuick
import "TextIndex.js" as TextIndex

// A list head whose list is a FileList sliding out below it. Opening asks the owner to refresh
// the rows first.
Rectangle {
    id: fileListButton
    property alias mdItems: list.mdItems
    property alias isSelect: drawer.isOpen

    signal listElementClicked(int index)
    signal requestToUpdateList
    signal listOpened
    signal listClosed

    function setCurIndex(index) {
        list.lvItems.currentIndex = index
    }

    function getCurIndex() {
        return list.lvItems.currentIndex
    }

    function showList() {
        drawer.showList()
    }

    function closeList() {
        drawer.closeList()
    }

    width: head.width
    height: head.height
    color: "transparent"
    z: drawer.visible ? 100 : 0

    ListHead {
        id: head
        readonly property Item currentRow: list.lvItems.currentItem
        text: currentRow ? currentRow.rowText
                         : "【 " + globalSetting_stringList[TextIndex.listPrompt] + " 】"
        onClicked: {
            if (fileListButton.isSelect) {
                fileListButton.closeList()
            } else {
                fileListButton.requestToUpdateList()
                fileListButton.showList()
            }
        }
    }

    ListDrawer {
        id: drawer
        y: head.height
        width: base.width
        contentHeight: base.height
        duration: animation_speed * 0.5
        onOpenStarted: fileListButton.listOpened()
        onCloseFinished: fileListButton.listClosed()

        Image {
            id: base
            source: sourceFilelist_BASE

            FileList {
                id: list
                anchors.fill: parent
                anchors.margins: 3
                onListElementClicked: (index) => {
                    fileListButton.closeList()
                    fileListButton.listElementClicked(index)
                }
            }
        }
    }
}
