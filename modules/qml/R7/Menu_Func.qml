import QtQuick

// The function menu: it chooses the page shown (currentIndex, -1 for none) and says so with
// indexChanged_btn. The shell slides it in at start-up; its rows have not been built yet.
Item {
    property int currentIndex: -1

    signal indexChanged_btn(int currentIndex)

    function setSkin() {
    }

    function translateStrings() {
    }

    width: 150
    height: 4 * 37 + 3 * 10
}
