import QtQuick

// The busy text that blinks while the shell blocks input.
Item {
    id: busyIndicator
    property bool isBusy: false

    function setBusy(_isBusy) {
        isBusy = _isBusy
    }

    width: loadingText.width
    height: loadingText.height
    visible: isBusy

    Text {
        id: loadingText
        text: qsTr("LOADING ......")
        font.family: globalSetting_fontFamily
        font.pixelSize: globalSetting_size
        font.bold: true
        color: globalSetting_color

        SequentialAnimation on opacity {
            running: busyIndicator.isBusy
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
