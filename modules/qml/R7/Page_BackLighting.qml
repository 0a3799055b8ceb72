import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex
import "PageReads.js" as PageReads

// The backlight page, page 3 of the page area (the function menu's fourth row): the second
// lighting zone, whose whole state travels in the two packed bytes bl0 and bl1 of the lighting
// setting.
// The shell calls initUI when it makes the page (with what it read for it) and after every
// reload, syncColor whenever the page is shown and translateStrings after a language change.
Item {
    id: pageBackLighting
    objectName: "_Page_BackLighting"
    width: 759
    height: 396

    property int effect: 0
    // The pair's apply button, under the page's own name for it.
    readonly property alias _Apply: resetApply.applyButton

    // Shows the backlight as read for the page before it was made (stored), or read now.
    function initUI(stored) {
        const values = stored ?? PageReads.backlight()
        _PaletteIndex.setColors(values.colors)
        if (values.led.length >= 7)
            showPacked(Number(values.led[5]), Number(values.led[6]))
    }

    function syncColor() {
        _PaletteIndex.setColors(ui_View.ui_B0H_GetColor())
    }

    // The page shows the factory backlight; nothing is sent.
    function pageReset() {
        const led = ui_View.loadDefaultProfile("color/ledType")
        if (led && led.length >= 7)
            showPacked(Number(led[5]), Number(led[6]))
    }

    function pageApply() {
        const led = ui_View.ui_88H_GetLEDType()
        const stored = [0, 1, 2, 3, 4].map(i => Number(led[i]) & 0xFF)
        const bl0 = (effect & 0x1F) | ((brightness_Slider.currentIndex << 5) & 0xE0)
        const bl1 = ((8 - speed_Slider.currentIndex) & 0x07)
                | ((_PaletteIndex.currentIndex << 3) & 0x38)
                | (((_Direction.currentIndex - 1) << 6) & 0xC0)
        ui_View.ui_08H_SetLEDType(stored[0], stored[1], stored[2], stored[3], stored[4], bl0, bl1)
    }

    // Every text of the page binds to the string table.
    function translateStrings() {
    }

    // bl0: effect in bits 0-4, brightness in 5-7; bl1: speed (8 - level) in bits 0-2, colour
    // index in 3-5, direction in 6-7.
    function showPacked(bl0, bl1) {
        effect = bl0 & 0x1F
        brightness_Slider.setCurIndex((bl0 >> 5) & 0x07)
        speed_Slider.setCurIndex((8 - (bl1 & 0x07)) % 8)
        _PaletteIndex.currentIndex = (bl1 >> 3) & 0x07
        _Direction.setCurIndex(((bl1 >> 6) & 0x01) + 1)
    }

    ListModel {
        id: modColorIndex
        ListElement { clrR: 255; clrG: 0; clrB: 0 }
        ListElement { clrR: 255; clrG: 255; clrB: 0 }
        ListElement { clrR: 0; clrG: 255; clrB: 0 }
        ListElement { clrR: 0; clrG: 255; clrB: 255 }
        ListElement { clrR: 0; clrG: 0; clrB: 255 }
        ListElement { clrR: 255; clrG: 0; clrB: 255 }
        ListElement { clrR: 255; clrG: 255; clrB: 255 }
    }

    Connections {
        target: downItem
        // The keyboard takes the factory backlight that the page now shows.
        function onBtnTotalResetClicked() {
            pageBackLighting.pageReset()
            pageBackLighting.pageApply()
        }
        function onBtnTotalApplyBlgClicked() {
            pageBackLighting.pageApply()
        }
    }

    LazyImage {
        pictureSource: sourceFnCommonBackground
    }

    GlobalText {
        x: 30
        y: 30
        text: globalSetting_stringList[TextIndex.backlightEffect]
        color: globalSetting_color
    }

    Column {
        id: effectList
        x: 40
        y: 60
        spacing: 12

        Repeater {
            model: 4
            Checkbox {
                required property int index
                objectName: "effect" + index
                chkStr: globalSetting_stringList[TextIndex.firstBacklightEffect + index]
                isSelect: pageBackLighting.effect === index
                onClicked: {
                    pageBackLighting.effect = index
                    isSelect = Qt.binding(() => pageBackLighting.effect === index)
                }
            }
        }
    }

    GlobalText {
        x: 300
        y: 30
        text: globalSetting_stringList[TextIndex.backlightColor]
        color: globalSetting_color
    }

    PaletteIndexRow {
        id: _PaletteIndex
        x: 310
        y: 60
        model: modColorIndex
        currentIndex: 7
        loopText: globalSetting_stringList[TextIndex.loop]
        enabled: pageBackLighting.effect <= 2
        opacity: enabled ? 1 : 0.2
    }

    GlobalText {
        anchors.right: brightness_Slider.left
        anchors.rightMargin: 10
        anchors.verticalCenter: brightness_Slider.verticalCenter
        text: globalSetting_stringList[TextIndex.brightness]
    }

    Slider {
        id: brightness_Slider
        x: 400
        y: 110
    }

    GlobalText {
        anchors.right: speed_Slider.left
        anchors.rightMargin: 10
        anchors.verticalCenter: speed_Slider.verticalCenter
        text: globalSetting_stringList[TextIndex.speed]
    }

    Slider {
        id: speed_Slider
        x: 400
        y: 150
        minIndex: 1
        currentIndex: 4
    }

    GlobalText {
        anchors.right: _Direction.left
        anchors.rightMargin: 10
        anchors.verticalCenter: _Direction.verticalCenter
        text: globalSetting_stringList[TextIndex.direction]
        opacity: _Direction.opacity
    }

    SteeringWheel {
        id: _Direction
        x: 400
        y: 195
        enabled: pageBackLighting.effect === 2
        opacity: enabled ? 1 : 0.2
        textColor: globalSetting_color_enable
    }

    ResetApplyButtons {
        id: resetApply
        x: 670
        y: 350
        spacing: 8
        onResetClicked: pageBackLighting.pageReset()
        onApplyClicked: pageBackLighting.pageApply()
    }
}
