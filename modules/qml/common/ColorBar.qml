import QtQuick

// A colour bar in eight equal segments, black, red, yellow, green, cyan, blue, magenta, white
// and black again, from left to right. A press picks the colour under the pointer.
Rectangle {
    id: bar

    signal colorPressed(int r, int g, int b)

    // The colour at distance p from the bar's left end; from the last segment's end on, black.
    function rgbAt(p) {
        const rate = p / (width - 1) / 0.125
        const level = Math.floor(rate)
        const v = Math.round((rate - level) * 255)
        switch (level) {
        case 0: return [v, 0, 0]
        case 1: return [255, v, 0]
        case 2: return [255 - v, 255, 0]
        case 3: return [0, 255, v]
        case 4: return [0, 255 - v, 255]
        case 5: return [v, 0, 255]
        case 6: return [255, v, 255]
        case 7: return [255 - v, 255 - v, 255 - v]
        default: return [0, 0, 0]
        }
    }

    width: 96
    height: 16

    gradient: Gradient {
        orientation: Gradient.Horizontal
        GradientStop { position: 0 / 8; color: "#000000" }
        GradientStop { position: 1 / 8; color: "#ff0000" }
        GradientStop { position: 2 / 8; color: "#ffff00" }
        GradientStop { position: 3 / 8; color: "#00ff00" }
        GradientStop { position: 4 / 8; color: "#00ffff" }
        GradientStop { position: 5 / 8; color: "#0000ff" }
        GradientStop { position: 6 / 8; color: "#ff00ff" }
        GradientStop { position: 7 / 8; color: "#ffffff" }
        GradientStop { position: 8 / 8; color: "#000000" }
    }

    MouseArea {
        anchors.fill: parent
        onPressed: (mouse) => {
            const rgb = bar.rgbAt(mouse.x)
            bar.colorPressed(rgb[0], rgb[1], rgb[2])
        }
    }
}
