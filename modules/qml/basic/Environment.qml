import QtQuick

// The window's backdrop: background picture, frame and, while no page is chosen, the keyboard.
Item {
    width: 1000
    height: 600

    Image {
        anchors.fill: parent
        source: isCustomBackground ? sourceCustomBackground : sourceBackground
    }

    Image {
        anchors.fill: parent
        source: sourceFrameBackground
    }

    // Centred on the pages' panels, where the pages draw their own keyboard.
    Image {
        x: 171 + (740 - width) / 2
        y: 96 + (442 - height) / 2
        source: sourceKeyboardPic
        visible: currentpage === -1
    }
}
