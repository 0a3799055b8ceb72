import QtQuick
import "../common"

// The delay the macro page adds, in ms. The field takes 0-65535 and is committed by Enter,
// by leaving it, or by commit(): a delay over 65535 ms becomes 65535 (five digits pass the
// length limit whatever their value), one under 10 ms becomes 10, and an empty entry keeps
// the delay as it was.
Item {
    id: delayInput
    property int value: 1000
    readonly property bool isEditing: field.activeFocus
    readonly property alias text: field.text

    function commit() {
        const typed = parseInt(field.text, 10)
        if (!isNaN(typed))
            value = Math.max(Math.min(typed, 65535), 10)
        field.text = value
    }

    // Commits and gives the keys back to the page.
    function endEditing() {
        commit()
        field.focus = false
    }

    width: 151
    height: 23

    Image {
        source: sourceSlider
    }

    Row {
        x: 10
        anchors.verticalCenter: parent.verticalCenter

        LazyText {
            label: "DELAY【 "
        }

        TextInput {
            id: field
            width: fiveDigits.advanceWidth + 2
            horizontalAlignment: TextInput.AlignHCenter
            text: delayInput.value
            maximumLength: 5
            validator: IntValidator { bottom: 0; top: 65535 }
            selectByMouse: true
            font.family: globalSetting_fontFamily
            font.pixelSize: globalSetting_size
            font.bold: true
            color: activeFocus ? globalSetting_color : globalSetting_color_enable
            selectionColor: globalSetting_color
            selectedTextColor: "#000000"
            // Enter commits whatever is typed: an empty or partial entry is not "acceptable"
            // input and would never reach onAccepted.
            Keys.onReturnPressed: delayInput.commit()
            Keys.onEnterPressed: delayInput.commit()
            onActiveFocusChanged: {
                if (!activeFocus)
                    delayInput.commit()
            }

            TextMetrics {
                id: fiveDigits
                font: field.font
                text: "00000"
            }
        }

        LazyText {
            label: " 】ms"
        }
    }
}
