import QtQuick

// Seven steps on the slider base. A click picks the step under the pointer, never one below
// minIndex; while pressed the cells left of the pointer light up.
Image {
    id: slider
    property int minIndex: 0
    property int currentIndex: 7

    signal sliderClicked(int index)

    function setCurIndex(index) {
        currentIndex = index
    }

    function getCurIndex() {
        return currentIndex
    }

    function indexAt(pointerX) {
        const x = Math.min(Math.max(pointerX, 0), cells.width - 1)
        return Math.max(minIndex, Math.ceil(x / (cells.width - 1) * 7))
    }

    source: sourceSlider

    MouseArea {
        id: cells
        x: 5
        y: 1
        width: 141
        height: 21
        onReleased: (mouse) => {
            slider.currentIndex = slider.indexAt(mouse.x)
            slider.sliderClicked(slider.currentIndex)
        }

        Repeater {
            model: 7
            Image {
                required property int index
                x: index * 20
                source: (cells.pressed ? x < cells.mouseX : slider.currentIndex >= index + 1)
                        ? sourceSlider_FILLER_1 : sourceSlider_FILLER_0
            }
        }
    }
}
