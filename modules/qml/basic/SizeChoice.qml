import QtQuick
import "../common"

// Check items of which exactly one is chosen, 15 px apart.
Row {
    id: choice
    property var texts: []
    property int currentIndex: 0

    signal chosen(int index)

    spacing: 15

    Repeater {
        model: choice.texts
        Checkbox {
            objectName: "choice" + index
            chkStr: modelData
            isSelect: choice.currentIndex === index
            // A click toggles the box itself; the choice decides what it shows.
            onClicked: {
                isSelect = Qt.binding(() => choice.currentIndex === index)
                choice.currentIndex = index
                choice.chosen(index)
            }
        }
    }
}
