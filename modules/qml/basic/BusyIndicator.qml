import QtQuick
import "../common"

// The busy text that blinks while the shell blocks input. It is made the first time it shows:
// the protection at start-up comes before the window shows anything.
Item {
    id: busyIndicator
    property bool isBusy: false

    function setBusy(_isBusy) {
        isBusy = _isBusy
    }

    width: loadingText.width
    height: loadingText.height
    visible: isBusy

    LazyLoader {
        id: loadingText
        sourceComponent: Text {
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
}
