import QtQuick

// The window's backdrop: background picture, frame and, while no page is chosen, the keyboard.
// The three largest pictures of the window are read on a thread of their own, so that the
// window does not wait for them to appear; the root stays hidden until the opening animation,
// which fades the backdrop in.
Item {
    width: 1000
    height: 600

    // Each picture read, or found missing: the backdrop no longer shows in parts.
    readonly property bool picturesRead: [background, frame, keyboardPicture].every(
        (picture) => picture.status !== Image.Loading)

    Image {
        id: background
        objectName: "backgroundPicture"
        anchors.fill: parent
        asynchronous: true
        source: isCustomBackground ? sourceCustomBackground : sourceBackground
    }

    Image {
        id: frame
        anchors.fill: parent
        asynchronous: true
        source: sourceFrameBackground
    }

    // Centred on the pages' panels, where the pages draw their own keyboard.
    Image {
        id: keyboardPicture
        objectName: "keyboardPicture"
        x: 171 + (740 - width) / 2
        y: 96 + (442 - height) / 2
        asynchronous: true
        source: sourceKeyboardPic
        visible: currentpage === -1
    }
}
