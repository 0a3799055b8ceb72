import QtQuick

// Five cells in a cross, 1 px overlapping: centre 0, right 1, left 2, top 3, bottom 4. Only
// right and left can be chosen.
Item {
    id: wheel
    property int currentIndex: 1
    property int textSize: 12
    property color textColor: "#000000"

    signal wheelClicked(int index)

    function setCurIndex(index) {
        currentIndex = index
    }

    function getCurIndex() {
        return currentIndex
    }

    function choose(index) {
        currentIndex = index
        wheelClicked(index)
    }

    width: 61
    height: 61

    WheelCell { x: 20; y: 20 }
    WheelCell {
        id: rightCell
        x: 40; y: 20
        label: "►"; textSize: wheel.textSize; textColor: wheel.textColor
        isLit: hovered || wheel.currentIndex === 1
        onClicked: wheel.choose(1)
    }
    WheelCell {
        id: leftCell
        x: 0; y: 20
        label: "◄"; textSize: wheel.textSize; textColor: wheel.textColor
        isLit: hovered || wheel.currentIndex === 2
        onClicked: wheel.choose(2)
    }
    WheelCell { x: 20; y: 0 }
    WheelCell { x: 20; y: 40 }
}
