import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex

// The bottom bar: reset and apply for every page at once.
Item {
    id: menuDown

    signal btnTotalResetClicked
    signal btnTotalApplyKeyClicked
    signal btnTotalApplyLedClicked
    signal btnTotalApplyBlgClicked

    // Its pictures follow the skin through bindings; nothing to redo here.
    function setSkin() {
    }

    width: container.width + 18
    height: container.height

    Image {
        id: container
        x: 9
        source: sourceListDnContainer
    }

    Button_2state {
        id: resetButton
        objectName: "resetButton"
        x: 400
        anchors.verticalCenter: container.verticalCenter
        source0: sourceReset_0
        source1: sourceReset_1
        onClicked: {
            mainIten.setProtectUI(800)
            menuDown.btnTotalResetClicked()
        }
    }

    GlobalText {
        id: resetLabel
        anchors.left: resetButton.right
        anchors.leftMargin: 5
        anchors.verticalCenter: resetButton.verticalCenter
        text: globalSetting_stringList[TextIndex.allReset]
    }

    Button_2state {
        id: applyButton
        objectName: "applyButton"
        x: 400 + resetButton.width + resetLabel.width + 35
        anchors.verticalCenter: container.verticalCenter
        source0: sourceApply_0
        source1: sourceApply_1
        onClicked: {
            mainIten.setProtectUI(2000)
            menuDown.btnTotalApplyLedClicked()
            menuDown.btnTotalApplyKeyClicked()
            menuDown.btnTotalApplyBlgClicked()
        }
    }

    GlobalText {
        anchors.left: applyButton.right
        anchors.leftMargin: 5
        anchors.verticalCenter: applyButton.verticalCenter
        text: globalSetting_stringList[TextIndex.allSave]
    }
}
