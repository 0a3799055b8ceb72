import QtQuick
import "ByteValue.js" as ByteValue

// The seven palette colours as 15 x 15 swatches, the current one marked by a 3-pixel bar above
// it, followed by the "LOOP" check box, which stands for index 7. Clearing LOOP goes back to
// the swatch chosen last.
Item {
    id: row
    // Rows with clrR, clrG, clrB.
    property ListModel model
    property int currentIndex: 6
    // The swatch LOOP gives way to when it is cleared.
    property int lastSwatch: 0
    property string loopText: "LOOP"

    signal indexClicked(int index)

    // Takes 21 values, red, green, blue of colours 0-6; a shorter list changes nothing and a
    // value that is not a whole number 0-255 becomes 0.
    function setColors(values) {
        if (!values || values.length < 21)
            return
        for (let i = 0; i < 7; ++i) {
            model.set(i, {
                clrR: ByteValue.byteValue(values[3 * i]),
                clrG: ByteValue.byteValue(values[3 * i + 1]),
                clrB: ByteValue.byteValue(values[3 * i + 2])
            })
        }
    }

    function colorValues() {
        const values = []
        for (let i = 0; i < 7; ++i) {
            const swatch = model.get(i)
            values.push(swatch.clrR, swatch.clrG, swatch.clrB)
        }
        return values
    }

    function choose(index) {
        currentIndex = index
        indexClicked(index)
    }

    width: loopBox.x + loopBox.width
    height: 20
    onCurrentIndexChanged: {
        if (currentIndex >= 0 && currentIndex < 7)
            lastSwatch = currentIndex
    }

    Repeater {
        model: row.model
        Item {
            required property int index
            required property int clrR
            required property int clrG
            required property int clrB
            x: index * 19
            width: 15
            height: row.height

            Rectangle {
                width: 15
                height: 3
                color: globalSetting_color
                visible: row.currentIndex === index
            }

            Rectangle {
                y: 5
                width: 15
                height: 15
                color: Qt.rgba(clrR / 255, clrG / 255, clrB / 255, 1)
                border.width: swatchArea.containsMouse ? 1 : 0
                border.color: globalSetting_color_enable
            }

            MouseArea {
                id: swatchArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: row.choose(index)
            }
        }
    }

    Checkbox {
        id: loopBox
        x: 7 * 19 + 6
        y: 5 + (15 - height) / 2
        chkStr: row.loopText
        isSelect: row.currentIndex === 7
        onClicked: (select) => {
            row.choose(select ? 7 : row.lastSwatch)
            isSelect = Qt.binding(() => row.currentIndex === 7)
        }
    }
}
