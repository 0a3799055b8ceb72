import QtQuick

// The clipped area under a list head: its content slides down to open and back up to close.
// A request while the other direction is still moving finishes that movement first, so the
// drawer always ends in the state last asked for.
Item {
    id: drawer
    default property alias content: slide.data
    property int contentHeight: 0
    property int duration: 100
    // True from the end of opening to the end of closing.
    property bool isOpen: false
    readonly property bool opening: openAnimation.running
    readonly property bool closing: closeAnimation.running

    signal openStarted
    signal openFinished
    signal closeFinished

    function showList() {
        if (closing) {
            closeAnimation.complete()
            showList()
        } else if (opening) {
            openAnimation.complete()
        } else if (!isOpen) {
            openAnimation.restart()
        }
    }

    function closeList() {
        if (opening) {
            openAnimation.complete()
            closeList()
        } else if (closing) {
            closeAnimation.complete()
        } else if (isOpen) {
            closeAnimation.restart()
        }
    }

    // Whether the press at `point` (window coordinates) falls on `item`.
    function holds(item, point) {
        return item.contains(item.mapFromItem(null, point.x, point.y))
    }

    height: contentHeight
    clip: true
    visible: isOpen || opening || closing

    // While the list is out, a press anywhere but on it or on its head closes it, as lists do
    // everywhere; a press on another list's head too, so only one list is ever open. The press
    // goes on to whatever lies there.
    MouseArea {
        parent: drawer.Window.contentItem
        anchors.fill: parent
        z: 1000
        enabled: drawer.visible
        onPressed: (mouse) => {
            const point = mapToItem(null, mouse.x, mouse.y)
            if (!drawer.holds(drawer, point) && !drawer.holds(drawer.parent, point))
                drawer.closeList()
            mouse.accepted = false
        }
    }

    Item {
        id: slide
        width: drawer.width
        height: drawer.contentHeight
        y: -height
    }

    NumberAnimation {
        id: openAnimation
        target: slide; property: "y"; from: -drawer.contentHeight; to: 0
        duration: drawer.duration; easing.type: Easing.OutQuad
        onStarted: drawer.openStarted()
        onFinished: {
            drawer.isOpen = true
            drawer.openFinished()
        }
    }

    NumberAnimation {
        id: closeAnimation
        target: slide; property: "y"; from: 0; to: -drawer.contentHeight
        duration: drawer.duration; easing.type: Easing.OutQuad
        onFinished: {
            drawer.isOpen = false
            drawer.closeFinished()
        }
    }
}
