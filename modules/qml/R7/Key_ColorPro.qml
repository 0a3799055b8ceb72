import QtQuick

// A key of the lighting preview. It follows the lighting state of `lighting` (the key model,
// or whatever drives the preview): the palette colour of the colour index, the loop colour
// and the alpha of the brightness level. Its shown colour (_R, _G, _B, _Alpha) is bound to the
// static preview until something takes it over; showStatic() binds it again.
Key_Color {
    id: key
    property Item lighting: null

    readonly property var bindColor: lighting.palette[((lighting.colorIndex % 7) + 7) % 7]
    readonly property int bind_R: bindColor[0]
    readonly property int bind_G: bindColor[1]
    readonly property int bind_B: bindColor[2]
    readonly property int bind_A: lighting.brightnessLV <= 0
                                  ? 0 : 45 + Math.round(210 * lighting.brightnessLV / 7)
    readonly property bool isLOOP: lighting.colorIndex < 0 || lighting.colorIndex > 6
    readonly property var loopColor: lighting.palette[lighting.loopIndex % 7]
    readonly property int bind_R_loop: loopColor[0]
    readonly property int bind_G_loop: loopColor[1]
    readonly property int bind_B_loop: loopColor[2]

    // The static preview: the user picture's colour at the key's position while one is shown,
    // else the palette colour (the loop colour with LOOP); nothing at all without an effect.
    readonly property var staticColor: {
        const picture = lighting.picture
        if (picture && matrix >= 0 && 4 * matrix + 3 < picture.length)
            return [picture[4 * matrix + 1], picture[4 * matrix + 2], picture[4 * matrix + 3]]
        return isLOOP ? loopColor : bindColor
    }
    readonly property int staticAlpha: lighting.effectIndex < 0 ? 0 : bind_A

    function showStatic() {
        _R = Qt.binding(() => key.staticColor[0])
        _G = Qt.binding(() => key.staticColor[1])
        _B = Qt.binding(() => key.staticColor[2])
        _Alpha = Qt.binding(() => key.staticAlpha)
    }

    _R: staticColor[0]
    _G: staticColor[1]
    _B: staticColor[2]
    _Alpha: staticAlpha
}
