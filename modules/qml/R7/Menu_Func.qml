import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex

// The function menu: it chooses the page shown (currentIndex, -1 for none) and says so with
// indexChanged_btn. Choosing the chosen page again chooses none.
Item {
    id: menuFunc
    property int img_Width: 150
    property int img_Height: 37
    property int btn_spacing: 10
    property alias currentIndex: lvFunc.currentIndex
    // The icons are those of the skin last set by setSkin; until then, of the skin in use as the
    // menu is made, so that its first icons read are the ones shown.
    property string iconFolder: "file:modules/img/skin" + skin_No + "/list_fn/"
    // The rows' texts, in the order of the rows.
    readonly property var rowTexts: [TextIndex.keyFunction, TextIndex.macroFunction,
        TextIndex.colorFunction, TextIndex.backlightFunction]

    signal indexChanged_btn(int currentIndex)

    function setSkin() {
        iconFolder = "file:modules/img/skin" + skin_No + "/list_fn/"
    }

    // The row texts follow the text table by binding; nothing to re-label.
    function translateStrings() {
    }

    function choose(row) {
        currentIndex = row === currentIndex ? -1 : row
        indexChanged_btn(currentIndex)
    }

    width: img_Width
    height: 4 * img_Height + 3 * btn_spacing

    ListModel {
        id: md_func
        ListElement { icon: "fnKeydefine" }
        ListElement { icon: "fnMacro" }
        ListElement { icon: "fnColor" }
        ListElement { icon: "fnBacklight" }
    }

    ListView {
        id: lvFunc
        objectName: "lvFunc"
        anchors.fill: parent
        interactive: false
        spacing: menuFunc.btn_spacing
        model: md_func
        currentIndex: -1
        highlightFollowsCurrentItem: false

        delegate: Image {
            id: row
            width: menuFunc.img_Width
            height: menuFunc.img_Height
            source: rowArea.containsMouse ? sourceListFnBtn_1 : sourceListFnBtn_0

            Image {
                id: rowIcon
                objectName: "rowIcon"
                x: menuFunc.img_Width / 15
                anchors.verticalCenter: parent.verticalCenter
                source: menuFunc.iconFolder + icon + (row.ListView.isCurrentItem ? "_1.png" : "_0.png")
            }

            GlobalText {
                objectName: "rowText"
                anchors.left: rowIcon.right
                anchors.leftMargin: 15
                anchors.verticalCenter: parent.verticalCenter
                anchors.verticalCenterOffset: 4
                text: globalSetting_stringList[menuFunc.rowTexts[index]]
            }

            MouseArea {
                id: rowArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: menuFunc.choose(index)
            }
        }
    }
}
