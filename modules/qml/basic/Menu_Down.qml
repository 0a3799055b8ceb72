import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex

// The bottom bar: reset and apply for every page at once.
Item {
    id: menuDown

    // Comes first: reset and apply reach every page, also one not shown yet.
    signal everyPageWanted
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

    ResetApplyButtons {
        x: 400
        anchors.verticalCenter: container.verticalCenter
        spacing: 5
        labelled: true
        resetText: globalSetting_stringList[TextIndex.allReset]
        resetLabelGap: 25
        applyText: globalSetting_stringList[TextIndex.allSave]
        applyBusyTime: 2000
        onResetClicked: {
            menuDown.everyPageWanted()
            menuDown.btnTotalResetClicked()
        }
        onApplyClicked: {
            menuDown.everyPageWanted()
            menuDown.btnTotalApplyLedClicked()
            menuDown.btnTotalApplyKeyClicked()
            menuDown.btnTotalApplyBlgClicked()
        }
    }
}
