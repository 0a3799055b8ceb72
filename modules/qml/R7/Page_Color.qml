import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex
import "PageReads.js" as PageReads

// The lighting page, page 2 of the page area: the effect or user picture, the seven-colour
// palette, brightness, speed and direction, painting into the user pictures, and the keyboard
// drawing that previews it all. Edits stay here until Apply. The shell calls initUI (with true,
// the hardware definition and what it read for the page when it makes the page, without
// arguments after a reload), playEffect whenever the page is shown or hidden and
// translateStrings after a language change.
Item {
    id: pageColor
    objectName: "_Page_Color"
    width: 759
    height: 442

    // The lighting types of the user pictures follow one another from here.
    readonly property int firstPictureType: 0x33
    readonly property int pictureCount: PageReads.userPictures
    // The lighting type: 0x00-0x0B an effect, 0x33-0x37 user picture 1-5, -1 none.
    readonly property int effectIndex: {
        if (_effect1.defaultIndex === 0 && _effect2.defaultIndex >= 0)
            return firstPictureType + _effect2.defaultIndex
        if (_effect1.defaultIndex === 1)
            return _effect3.defaultIndex
        return -1
    }
    readonly property bool isPicture: isPictureType(effectIndex)
    readonly property bool isEffect: effectIndex >= 0x00 && effectIndex <= 0x0B
    readonly property bool colorEnabled: isPicture || [0x00, 0x01, 0x02, 0x03, 0x05, 0x08, 0x09,
        0x0B].includes(effectIndex)
    readonly property int colorIndex: _PaletteIndex.currentIndex
    // The five user pictures, mode, red, green, blue per matrix position.
    property var pictures: [[], [], [], [], []]
    // The pair's buttons, under the page's own names for them.
    readonly property alias _Reset: resetApply.resetButton
    readonly property alias _Apply: resetApply.applyButton

    function isPictureType(type) {
        return type >= firstPictureType && type <= firstPictureType + pictureCount - 1
    }

    // Shows the lighting as read for the page before it was made (stored), or read now.
    function initUI(isFirst, _HWDef, stored) {
        if (isFirst) {
            _model.initUI(_HWDef)
            _eft_Ctrl.initUI(_HWDef)
            const blank = new Array(_model.matrixCount * 4).fill(0)
            pictures = [blank, blank, blank, blank, blank]
        }
        const values = stored ?? PageReads.lighting()
        _PaletteIndex.setColors(values.colors)
        const shown = pictures.slice()
        for (let i = 0; i < pictureCount; ++i) {
            if (values.pictures[i].length > 0)
                shown[i] = values.pictures[i]
        }
        pictures = shown
        if (values.led.length >= 5)
            setLighting(values.led, false)
    }

    // The effects run in the preview item; a hidden page only keeps the static timer.
    function playEffect(isOn) {
        _model.showStatic()
        _eft_Ctrl.play(isOn ? effectIndex : -1)
    }

    function translateStrings() {
        const strings = globalSetting_stringList
        setTexts(md_effect1, [strings[TextIndex.painting], strings[TextIndex.effects]])
        setTexts(md_effect2, TextIndex.userPictures.map(index => strings[index]))
        setTexts(md_effect3, strings.slice(TextIndex.firstEffect))
    }

    function setTexts(listModel, texts) {
        for (let i = 0; i < listModel.count; ++i)
            listModel.setProperty(i, "textX", texts[i])
    }

    // The keyboard's speed 1-7 (fastest 1) as a slider level 7-1; anything else is level 1.
    function speedLevel(value) {
        return value >= 1 && value < 7 ? 8 - value : 1
    }

    // [type, brightness, speed, direction, color, ...]. An unknown type leaves no mode chosen
    // when loading the profile and leaves the menus as they are when resetting.
    function setLighting(led, keepUnknownType) {
        const type = Number(led[0])
        if (isPictureType(type)) {
            showMode(0, type - firstPictureType, -1)
        } else if (type >= 0x00 && type <= 0x0B) {
            showMode(1, -1, type)
        } else if (!keepUnknownType) {
            showMode(-1, -1, -1)
        }
        const brightness = Number(led[1])
        if (brightness >= 0 && brightness <= 63)
            brightness_Slider.setCurIndex(Math.round(brightness * 7 / 63))
        speed_Slider.setCurIndex(speedLevel(Number(led[2])))
        _Direction.setCurIndex((Number(led[3]) & 1) + 1)
        const color = Number(led[4])
        if (Number.isInteger(color))
            chooseColorIndex(color)
    }

    function showMode(mode, picture, effect) {
        _model.clearSelection()
        _effect1.setCurIndex(mode)
        _effect2.setCurIndex(picture)
        _effect3.setCurIndex(effect)
    }

    // Another picture or effect: the painting selection belonged to the one before.
    function chooseEffect() {
        _model.clearSelection()
        playEffect(visible)
    }

    function chooseColorIndex(index) {
        _PaletteIndex.currentIndex = index
        if (index >= 0 && index < 7) {
            const swatch = modColorIndex.get(index)
            _Palette.setRGB(3, swatch.clrR, swatch.clrG, swatch.clrB)
        }
    }

    // The picker's colour goes into the current swatch, unless the swatch was its source.
    function followPicker(source, r, g, b) {
        if (source !== 3 && colorIndex >= 0 && colorIndex < 7)
            modColorIndex.set(colorIndex, {clrR: r, clrG: g, clrB: b})
    }

    function apply() {
        _Palette.finishInput()
        ui_View.ui_30H_SetColor(_PaletteIndex.colorValues())
        mainIten.setProtectUI(100)
        for (let i = 0; i < pictureCount; ++i) {
            if (effectIndex === firstPictureType + i)
                ui_View.ui_12H_SetUserPicture(i, 0, pictures[i])
            else
                ui_View.ui_12H_SetUserPicture(i, 255, pictures[i])
        }
        // Without a chosen type there is no lighting to send.
        if (effectIndex >= 0) {
            const led = ui_View.ui_88H_GetLEDType()
            ui_View.ui_08H_SetLEDType(effectIndex,
                                      Math.round(brightness_Slider.currentIndex * 63 / 7),
                                      8 - speed_Slider.currentIndex,
                                      Math.max(_Direction.currentIndex - 1, 0) % 2,
                                      colorIndex, Number(led[5]) & 0xFF, Number(led[6]) & 0xFF)
        }
        playEffect(visible)
    }

    // Back to the factory lighting on the page only; Apply sends it.
    function reset() {
        _Palette.finishInput()
        _PaletteIndex.setColors(ui_View.loadDefaultProfile("color/color"))
        const blank = new Array(_model.matrixCount * 4).fill(0)
        pictures = [blank, blank, blank, blank, blank]
        const led = ui_View.loadDefaultProfile("color/ledType")
        if (led && led.length >= 5)
            setLighting(led, true)
        playEffect(visible)
    }

    // The selected keys of the shown user picture take the picker's colour, statically.
    function paintSelection() {
        if (!isPicture)
            return
        const n = effectIndex - firstPictureType
        const picture = pictures[n].slice()
        const mode = colorIndex === 7 ? 0x17 : 0x10
        for (const m of _model.selectedMatrix()) {
            picture[4 * m] = mode
            picture[4 * m + 1] = _Palette._R
            picture[4 * m + 2] = _Palette._G
            picture[4 * m + 3] = _Palette._B
        }
        const all = pictures.slice()
        all[n] = picture
        pictures = all
    }

    ListModel {
        id: md_effect1
        ListElement { textX: "PAINTING" }
        ListElement { textX: "EFFECTS" }
    }

    ListModel {
        id: md_effect2
        ListElement { textX: "USER DEFINE 1" }
        ListElement { textX: "USER DEFINE 2" }
        ListElement { textX: "USER DEFINE 3" }
        ListElement { textX: "USER DEFINE 4" }
        ListElement { textX: "USER DEFINE 5" }
    }

    ListModel {
        id: md_effect3
        ListElement { textX: "STATIC" }
        ListElement { textX: "BREATHING" }
        ListElement { textX: "WAVE" }
        ListElement { textX: "INDUCTION DARKEN" }
        ListElement { textX: "MARQUEE" }
        ListElement { textX: "RIPPLE" }
        ListElement { textX: "INDUCTION BRIGHTEN" }
        ListElement { textX: "NEON" }
        ListElement { textX: "MARQUEE COLORFUL" }
        ListElement { textX: "RAINING" }
        ListElement { textX: "MARQUEE CIRCLE" }
        ListElement { textX: "SPOTLIGHT" }
    }

    ListModel {
        id: modColorIndex
        ListElement { clrR: 255; clrG: 0; clrB: 0 }
        ListElement { clrR: 0; clrG: 255; clrB: 0 }
        ListElement { clrR: 255; clrG: 255; clrB: 0 }
        ListElement { clrR: 0; clrG: 0; clrB: 255 }
        ListElement { clrR: 0; clrG: 255; clrB: 255 }
        ListElement { clrR: 255; clrG: 0; clrB: 255 }
        ListElement { clrR: 255; clrG: 255; clrB: 255 }
    }

    // The keys read the palette as plain colours.
    Connections {
        target: modColorIndex
        function onDataChanged() {
            const colors = []
            for (let i = 0; i < 7; ++i) {
                const swatch = modColorIndex.get(i)
                colors.push([swatch.clrR, swatch.clrG, swatch.clrB])
            }
            _model.palette = colors
        }
    }

    // Key presses reach the reactive effects whether or not the page is shown.
    Connections {
        target: mainItem_R7
        function onMsg_KB(isDown, usbCode) {
            _eft_Ctrl.detectKeyboard(isDown, usbCode)
        }
    }

    // The bottom bar's reset and apply cover this page too.
    Connections {
        target: downItem
        function onBtnTotalResetClicked() {
            pageColor.reset()
            pageColor.apply()
        }
        function onBtnTotalApplyLedClicked() {
            pageColor.apply()
        }
    }

    LazyImage {
        pictureSource: sourceFnColorBackground
    }

    Item {
        id: keyArea
        x: 1
        y: 85
        width: 738
        height: 250

        Model_Color_R7 {
            id: _model
            x: 22
            y: 29
            colorIndex: pageColor.colorIndex
            brightnessLV: brightness_Slider.currentIndex
            effectIndex: pageColor.effectIndex
            picture: pageColor.isPicture
                     ? pageColor.pictures[pageColor.effectIndex - pageColor.firstPictureType]
                     : null
            // The key items show the user pictures, where the painting tool needs them.
            visible: pageColor.isPicture
        }

        // The effects, drawn as one item over the same keys.
        Effect_Controler_R7 {
            id: _eft_Ctrl
            objectName: "_eft_Ctrl"
            x: _model.x
            y: _model.y
            visible: !pageColor.isPicture
            palette: [].concat(..._model.palette)
            colorIndex: pageColor.colorIndex
            brightnessLV: brightness_Slider.currentIndex
            speedLV: 8 - speed_Slider.currentIndex
            directLV: _Direction.currentIndex
            pic_01: pageColor.pictures[0]
            pic_02: pageColor.pictures[1]
            pic_03: pageColor.pictures[2]
            pic_04: pageColor.pictures[3]
            pic_05: pageColor.pictures[4]
        }

        // The rubber band of the painting tool, in the picker's colour.
        Rectangle {
            id: band
            visible: paintArea.pressed
            color: "#80" + pickerHex.slice(1)
            border.width: 1
            border.color: pickerHex
            readonly property string pickerHex: Qt.rgba(_Palette._R / 255, _Palette._G / 255,
                                                        _Palette._B / 255, 1).toString()
        }

        MouseArea {
            id: paintArea
            property point origin
            anchors.fill: parent
            enabled: pageColor.isPicture

            // The band stays inside the keyboard area, which holds every key of the layout
            // (the numeric keypad included).
            function stretchTo(pointX, pointY) {
                const endX = Math.min(Math.max(pointX, 0), width)
                const endY = Math.min(Math.max(pointY, 0), height)
                band.x = Math.min(origin.x, endX)
                band.y = Math.min(origin.y, endY)
                band.width = Math.abs(endX - origin.x)
                band.height = Math.abs(endY - origin.y)
                _model.selectIn(Qt.rect(band.x - _model.x, band.y - _model.y, band.width,
                                        band.height))
            }

            onPressed: (mouse) => {
                _model.clearSelection()
                origin = Qt.point(mouse.x, mouse.y)
                stretchTo(mouse.x, mouse.y)
            }
            onPositionChanged: (mouse) => stretchTo(mouse.x, mouse.y)
            onReleased: (mouse) => {
                stretchTo(mouse.x, mouse.y)
                pageColor.paintSelection()
            }
        }
    }

    PaletteIndexRow {
        id: _PaletteIndex
        x: 30
        y: 350
        model: modColorIndex
        loopText: globalSetting_stringList[TextIndex.loop]
        enabled: pageColor.colorEnabled
        opacity: enabled ? 1 : 0.2
        onIndexClicked: (index) => pageColor.chooseColorIndex(index)
    }

    ColorPalette {
        id: _Palette
        x: 30
        y: 378
        enabled: pageColor.colorEnabled
        opacity: enabled ? 1 : 0.2
        onRgbSet: (source, r, g, b) => pageColor.followPicker(source, r, g, b)
    }

    GlobalText {
        anchors.right: brightness_Slider.left
        anchors.rightMargin: 10
        anchors.verticalCenter: brightness_Slider.verticalCenter
        text: globalSetting_stringList[TextIndex.brightness]
        opacity: brightness_Slider.opacity
    }

    Slider {
        id: brightness_Slider
        x: 370
        y: 352
        enabled: pageColor.isEffect || pageColor.isPicture
        opacity: enabled ? 1 : 0.2
        onSliderClicked: pageColor.playEffect(pageColor.visible)
    }

    GlobalText {
        anchors.right: speed_Slider.left
        anchors.rightMargin: 10
        anchors.verticalCenter: speed_Slider.verticalCenter
        text: globalSetting_stringList[TextIndex.speed]
        opacity: speed_Slider.opacity
    }

    Slider {
        id: speed_Slider
        x: 370
        y: 392
        minIndex: 1
        currentIndex: 4
        enabled: brightness_Slider.enabled
        opacity: enabled ? 1 : 0.2
        onSliderClicked: pageColor.playEffect(pageColor.visible)
    }

    GlobalText {
        anchors.right: _Direction.left
        anchors.rightMargin: 10
        anchors.verticalCenter: _Direction.verticalCenter
        text: globalSetting_stringList[TextIndex.direction]
        visible: _Direction.visible
        opacity: _Direction.opacity
    }

    SteeringWheel {
        id: _Direction
        x: 600
        y: 355
        visible: !pageColor.isPicture
        enabled: pageColor.effectIndex === 0x06 || pageColor.effectIndex === 0x0A
        opacity: enabled ? 1 : 0.2
        textColor: globalSetting_color_enable
        onWheelClicked: pageColor.playEffect(pageColor.visible)
    }

    ResetApplyButtons {
        id: resetApply
        x: 670
        y: 404
        spacing: 8
        enabled: brightness_Slider.enabled
        applyBusyTime: 1600
        onResetClicked: pageColor.reset()
        onApplyClicked: pageColor.apply()
    }

    DropdownList {
        id: _effect2
        x: 200
        y: 40
        visible: _effect1.defaultIndex === 0
        mdItems: md_effect2
        onListElementClicked: pageColor.chooseEffect()
    }

    DropdownList {
        id: _effect3
        x: 200
        y: 40
        visible: _effect1.defaultIndex === 1
        mdItems: md_effect3
        onListElementClicked: pageColor.chooseEffect()
    }

    DropdownList {
        id: _effect1
        x: 30
        y: 40
        mdItems: md_effect1
        onListElementClicked: {
            _effect2.setCurIndex(-1)
            _effect3.setCurIndex(-1)
            pageColor.chooseEffect()
        }
    }
}
