import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex

// The profile menu: it chooses the keyboard's current profile (currentIndex) and says so with
// indexChanged_btn; a right click on a profile offers import, export and reset. The square at
// the bottom shows whether a supported keyboard is connected.
Item {
    id: menuProf
    property int img_Width: 49
    property int img_Height: 26
    property alias currentIndex: lvProfile.currentIndex
    // One row per profile; four until the hardware definition says how many.
    property int profileCount: 4

    signal indexChanged_btn(int currentIndex)

    function initProfile(maxProfile) {
        profileCount = maxProfile
    }

    // The texts follow the text table by binding; nothing to re-label.
    function translateStrings() {
    }

    // Choosing the current profile again sends nothing.
    function choose(row) {
        if (row === currentIndex)
            return
        currentIndex = row
        indexChanged_btn(row)
    }

    function openMenu(row, pointerX, pointerY) {
        _ProfileMenu.open(lvProfile.x + pointerX, row * img_Height + pointerY + 85, row)
    }

    // LOAD imports into the profile, SAVE exports it, RESET gives it the factory settings;
    // CANCEL only closes the menu.
    function runMenuRow(row, profile) {
        if (row === 0)
            ui_View.loadProfile(profile)
        else if (row === 1)
            ui_View.saveProfile(profile)
        else if (row === 2)
            ui_View.resetProfile(profile)
        if (row === 0 || row === 2)
            reloadIfCurrent(profile)
    }

    // An imported or reset current profile is chosen again, so the keyboard and the pages
    // take it; another profile only changes its file.
    function reloadIfCurrent(profile) {
        if (profile === currentIndex)
            indexChanged_btn(currentIndex)
    }

    width: container.width
    height: container.height

    Image {
        id: container
        source: sourceListPfContainer
    }

    ListView {
        id: lvProfile
        objectName: "lvProfile"
        x: 23
        y: 97
        width: menuProf.img_Width
        height: 10 * menuProf.img_Height
        interactive: false
        model: menuProf.profileCount
        highlightFollowsCurrentItem: false

        delegate: Image {
            id: row
            readonly property bool lit: ListView.isCurrentItem || rowArea.containsMouse
            width: menuProf.img_Width
            height: menuProf.img_Height
            source: lit ? sourceProfileFW_1 : sourceProfileFW_0

            Text {
                objectName: "profileName"
                anchors.centerIn: parent
                anchors.horizontalCenterOffset: 2
                text: "P" + (index + 1 < 10 ? "0" : "") + (index + 1)
                font.family: "Arial"
                font.pixelSize: globalSetting_size
                font.bold: true
                color: row.ListView.isCurrentItem ? globalSetting_color : "#aaaaaa"
            }

            MouseArea {
                id: rowArea
                anchors.fill: parent
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                hoverEnabled: true
                onClicked: (mouse) => {
                    if (mouse.button === Qt.RightButton)
                        menuProf.openMenu(index, mouse.x, mouse.y)
                    else
                        menuProf.choose(index)
                }
            }
        }
    }

    Rectangle {
        id: connectIndicator
        x: lvProfile.x + 25
        y: lvProfile.y + lvProfile.height + 70 - height
        width: 20
        height: 20
        radius: 2
        color: isConnect ? "#00ff00" : "#ff0000"
    }

    ContextMenu {
        id: _ProfileMenu
        z: 1
        rowTexts: [TextIndex.load, TextIndex.save, TextIndex.reset, TextIndex.cancel]
        onRowChosen: (row, profile) => menuProf.runMenuRow(row, profile)
    }
}
