import QtQuick

// A colour picker: the colour bar and, 10 px to its right, the three component fields. Its
// colour (_R, _G, _B) comes from the bar (mode 1), the fields (mode 2) or the owner (mode 3 or
// another); the fields show it unless they were its source. rgbSet tells the owner, which keeps
// its own copies (swatches, text colour) in step as the mode asks.
Item {
    id: colorPalette
    property int _R: 255
    property int _G: 255
    property int _B: 255

    signal rgbSet(int mode, int r, int g, int b)

    function setRGB(mode, r, g, b) {
        _R = r
        _G = g
        _B = b
        if (mode !== 2)
            showInInputs(r, g, b)
        rgbSet(mode, r, g, b)
    }

    // Ends typing in a field, which commits it.
    function finishInput() {
        forceActiveFocus()
    }

    function showInInputs(r, g, b) {
        modRGBvalue.setProperty(0, "valueX", r)
        modRGBvalue.setProperty(1, "valueX", g)
        modRGBvalue.setProperty(2, "valueX", b)
    }

    function commitInput(index, value) {
        modRGBvalue.setProperty(index, "valueX", value)
        setRGB(2, modRGBvalue.get(0).valueX, modRGBvalue.get(1).valueX, modRGBvalue.get(2).valueX)
    }

    width: inputs.x + inputs.width
    height: inputs.height

    ListModel {
        id: modRGBvalue
        ListElement { textL: "R "; valueX: 255 }
        ListElement { textL: "G "; valueX: 255 }
        ListElement { textL: "B "; valueX: 255 }
    }

    ColorBar {
        id: bar
        width: 96
        height: 20
        anchors.verticalCenter: parent.verticalCenter
        onColorPressed: (r, g, b) => colorPalette.setRGB(1, r, g, b)
    }

    Column {
        id: inputs
        objectName: "inputs"
        x: bar.width + 10
        spacing: 2
        Repeater {
            model: modRGBvalue
            // Named input0 (red), input1 (green) and input2 (blue).
            ValueInput {
                objectName: "input" + index
                textL: model.textL
                valueX: model.valueX
                onCommitted: (value) => colorPalette.commitInput(index, value)
            }
        }
    }
}
