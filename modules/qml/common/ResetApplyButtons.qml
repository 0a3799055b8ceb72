import QtQuick

// Reset and apply side by side, each followed by its label when the pair is labelled. A click
// holds the window busy for the button's time (not at all at 0) while the owner writes the
// keyboard, then says which button it was.
Row {
    id: pair
    property bool labelled: false
    property string resetText: ""
    property string applyText: ""
    property int resetBusyTime: 800
    property int applyBusyTime: 800
    // Room after the reset label, before apply.
    property int resetLabelGap: 0
    // The labels dim with their buttons, disabled or pressed.
    property bool labelsFade: false
    readonly property alias resetButton: resetButton
    readonly property alias applyButton: applyButton

    signal resetClicked
    signal applyClicked

    Button_2state {
        id: resetButton
        objectName: "resetButton"
        anchors.verticalCenter: parent.verticalCenter
        source0: sourceReset_0
        source1: sourceReset_1
        onClicked: {
            if (pair.resetBusyTime > 0)
                mainIten.setProtectUI(pair.resetBusyTime)
            pair.resetClicked()
        }
    }

    GlobalText {
        anchors.verticalCenter: parent.verticalCenter
        visible: pair.labelled
        rightPadding: pair.resetLabelGap
        text: pair.resetText
        opacity: pair.labelsFade ? resetButton.opacity : 1.0
    }

    Button_2state {
        id: applyButton
        objectName: "applyButton"
        anchors.verticalCenter: parent.verticalCenter
        source0: sourceApply_0
        source1: sourceApply_1
        onClicked: {
            if (pair.applyBusyTime > 0)
                mainIten.setProtectUI(pair.applyBusyTime)
            pair.applyClicked()
        }
    }

    GlobalText {
        anchors.verticalCenter: parent.verticalCenter
        visible: pair.labelled
        text: pair.applyText
        opacity: pair.labelsFade ? applyButton.opacity : 1.0
    }
}
