import QtQuick

// A labelled field for a colour component, 0-255. Enter or leaving the field commits it.
Item {
    id: valueInput
    property string textL: ""
    property int valueX: 0

    signal committed(int value)

    // Only whole numbers 0-255 are passed on; the field then shows valueX again, which the
    // owner's model updates through the binding (assigning valueX here would cut it off).
    function commit() {
        const text = field.text
        field.text = valueX
        if (!/^[0-9]{1,3}$/.test(text))
            return
        const value = parseInt(text, 10)
        if (value <= 255)
            committed(value)
    }

    width: label.width + frame.width
    height: frame.height

    // Shown again after every change, also when a typed value was not taken.
    onValueXChanged: field.text = valueX

    GlobalText {
        id: label
        anchors.verticalCenter: parent.verticalCenter
        text: valueInput.textL
    }

    BorderImage {
        id: frame
        x: label.width
        width: 40
        height: 14
        border { left: 4; right: 4; top: 4; bottom: 4 }
        source: sourceDraw_inputValue

        TextInput {
            id: field
            objectName: "field"
            anchors.fill: parent
            anchors.leftMargin: 4
            anchors.rightMargin: 4
            verticalAlignment: TextInput.AlignVCenter
            text: valueInput.valueX
            maximumLength: 3
            validator: IntValidator { bottom: 0; top: 255 }
            selectByMouse: true
            clip: true
            font.family: globalSetting_fontFamily
            font.pixelSize: globalSetting_size
            font.bold: true
            color: activeFocus ? globalSetting_color : globalSetting_color_enable
            selectionColor: globalSetting_color
            selectedTextColor: "#000000"
            onAccepted: valueInput.commit()
            onActiveFocusChanged: {
                if (!activeFocus)
                    valueInput.commit()
            }
        }
    }
}
