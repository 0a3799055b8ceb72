import QtQuick

// The profile menu: it chooses the keyboard's current profile (currentIndex) and says so with
// indexChanged_btn. The shell slides it in at start-up and fills it with initProfile; its rows
// have not been built yet.
Item {
    property int currentIndex: 0

    signal indexChanged_btn(int currentIndex)

    function initProfile(maxProfile) {
    }

    function translateStrings() {
    }

    width: container.width
    height: container.height

    Image {
        id: container
        source: sourceListPfContainer
    }
}
