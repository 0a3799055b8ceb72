import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex
import "PageReads.js" as PageReads

// The key assignment page, page 0 of the page area. A key chosen on the keyboard picture takes a
// standard key (dragged onto the KEYBOARD field), a media function or a macro; values change
// here until apply writes the whole key matrix to the profile and the keyboard. Assignments can
// be edited only in gaming mode.
Item {
    id: page
    width: 759
    height: 442

    readonly property int matrixPositions: 128
    // The first menu's rows and the texts they show.
    readonly property int kindKeyboard: 0
    readonly property int kindMedia: 1
    readonly property int kindMacro: 2
    readonly property var kindTexts: [TextIndex.keyboard, TextIndex.media, TextIndex.macro]
    // Media functions in the order of the media list, whose texts follow one another.
    readonly property var mediaCodes: [0x30b5, 0x30b6, 0x30b7, 0x30cd, 0x30e2, 0x30e9, 0x30ea,
        0x3183, 0x318a, 0x3192, 0x3194, 0x3221, 0x3223, 0x3224, 0x3225, 0x3226, 0x3227, 0x322a]
    readonly property int macroKeyBase: 0x4100
    // The view's message that a macro without a keyboard slot cannot be bound.
    readonly property int noSlotMessage: 5
    // The pair's apply button, under the page's own name for it.
    readonly property alias applyButton: buttons.applyButton

    // isFirst builds the keyboard picture; every call shows the values of the current profile,
    // as read for the page before it was made (stored) or read now.
    function initUI(isFirst, _HWDef, stored) {
        if (isFirst)
            modelR7.initUI(_HWDef)
        const values = stored ?? PageReads.keys(modelR7.hWDef)
        showMacroFiles(values.macroFiles)
        for (let i = 0; i < modelR7.getKey.length; ++i)
            modelR7.getKey[i].keyCode = values.keyCodes[i]
        showSelectedKey()
        gamingMode.isSelect = values.gamingMode
    }

    function keyCodeToUI(_keyCode) {
        clearSecondMenus()
        switch (_keyCode & 0xF000) {
        case 0x0000:
            keyField.setKeycodeUSB(_keyCode & 0xFF)
            firstMenu.setCurIndex(kindKeyboard)
            break
        case 0x3000:
            mediaList.setCurIndex(mediaCodes.indexOf(_keyCode))
            firstMenu.setCurIndex(kindMedia)
            break
        case 0x4000:
            refreshMacroFiles()
            macroList.setCurIndex(storedMacroRow())
            firstMenu.setCurIndex(kindMacro)
            break
        default:
            firstMenu.setCurIndex(-1)
        }
    }

    function refreshMacroFiles() {
        showMacroFiles(ui_View.getMacroIniNames())
    }

    function showMacroFiles(files) {
        macroModel.clear()
        for (const file of files)
            macroModel.append({ textX: file.slice(0, -4), textR: "" })
    }

    function translateStrings() {
        for (let k = 0; k < kindModel.count; ++k)
            kindModel.setProperty(k, "textX", text(kindTexts[k]))
        for (let r = 0; r < mediaModel.count; ++r)
            mediaModel.setProperty(r, "textX", text(TextIndex.firstMedia + r))
    }

    // Writes every matrix position to the profile and the keyboard, low byte first. Positions
    // the picture does not know go back as the profile holds them.
    function apply() {
        const src = []
        for (let i = 0; i < matrixPositions; ++i) {
            const keyCode = i < modelR7.getKey.length ? modelR7.getKey[i].keyCode
                                                      : PageReads.storedKeyCode(i)
            src.push(keyCode & 0xFF, (keyCode >> 8) & 0xFF)
        }
        ui_View.ui_0C0DH_SetKeyMatrix(src)
    }

    function reset() {
        for (const key of modelR7.getKey)
            key.keyCode = key.keyCode_Default
        showSelectedKey()
        apply()
    }

    function resetSelectedKey() {
        const key = selectedKey()
        if (key)
            key.keyCode = key.keyCode_Default
        showSelectedKey()
        apply()
    }

    function text(index) {
        return globalSetting_stringList[index] ?? ""
    }

    function selectedKey() {
        return modelR7.getKey[modelR7.curKeyMatrix]
    }

    function showSelectedKey() {
        keyCodeToUI(selectedKey() ? selectedKey().keyCode : 0)
    }

    function setSelectedKeyCode(keyCode) {
        const key = selectedKey()
        if (key)
            key.keyCode = keyCode
    }

    // The macro row remembered for the selected key; none where nothing was remembered.
    function storedMacroRow() {
        const row = Number(ui_View.getGlobalData("macro/" + modelR7.curKeyMatrix) ?? -1)
        return Number.isInteger(row) && row >= 0 && row < macroModel.count ? row : -1
    }

    function clearSecondMenus() {
        keyField.setKeycodeUSB(-1)
        mediaList.setCurIndex(-1)
        macroList.setCurIndex(-1)
    }

    // A key dropped on the KEYBOARD field gives the selected key its default code, if that is
    // a standard key.
    function dropKey() {
        const dropped = modelR7.dragingKey
        if (!dropped || !keyField.enabled)
            return
        if (!isOverKeyField(dropped.correctionX, dropped.correctionY))
            return
        if ((dropped.keyCode_Default & 0xFF00) !== 0)
            return
        setSelectedKeyCode(dropped.keyCode_Default)
        keyField.setKeycodeUSB(dropped.keyCode_Default)
    }

    function chooseMedia(row) {
        if (row >= 0 && row < mediaCodes.length)
            setSelectedKeyCode(mediaCodes[row])
    }

    // The macro goes to its keyboard slot at once; the key takes it with the next apply. A
    // macro file without a slot cannot be bound: nothing is written, the key stays as it was,
    // and the user is told why the choice did not hold.
    function chooseMacro(row) {
        if (row < 0 || row >= macroModel.count)
            return
        const name = macroModel.get(row).textX
        const config = ui_View.loadMacroIniConfig(name)
        const slot = Number(config[0] ?? -1)
        if (!Number.isInteger(slot) || slot < 0 || slot > 0xFF) {
            macroList.setCurIndex(-1)
            ui_View.showNotice(noSlotMessage)
            return
        }
        config[2] = 1
        ui_View.setMacroIniConfig(name, config)
        ui_View.ui_10H_SetMacroKey(slot, name)
        setSelectedKeyCode(macroKeyBase | slot)
    }

    function isOverKeyField(pageX, pageY) {
        const at = keyField.mapFromItem(page, pageX, pageY)
        return keyField.visible && keyField.contains(at)
    }

    Component.onCompleted: {
        for (let k = 0; k < kindTexts.length; ++k)
            kindModel.append({ textX: "" })
        for (let r = 0; r < mediaCodes.length; ++r)
            mediaModel.append({ textX: "", textR: "" })
        translateStrings()
    }

    Connections {
        target: downItem
        function onBtnTotalResetClicked() {
            page.reset()
        }
        function onBtnTotalApplyKeyClicked() {
            page.apply()
        }
    }

    ListModel {
        id: kindModel
    }

    ListModel {
        id: mediaModel
    }

    ListModel {
        id: macroModel
    }

    LazyImage {
        pictureSource: sourceFnKeydefineBackground
    }

    Model_KeyDefine_R7 {
        id: modelR7
        objectName: "modelR7"
        x: 23
        y: 97
        dragIsOverTarget: dragingKey !== null && dragingKey.dragging
                          && page.isOverKeyField(dragingKey.correctionX, dragingKey.correctionY)
        onDragKey: page.dropKey()
    }

    // The assignment menus: the kind of assignment, then the field or list for that kind.
    Item {
        id: menus
        x: 140
        y: 15
        width: firstMenu.width + 10 + mediaList.width
        height: firstMenu.height
        enabled: gamingMode.isSelect
        opacity: gamingMode.isSelect ? 1.0 : 0.2

        DropdownList {
            id: firstMenu
            mdItems: kindModel
            onListElementClicked: page.clearSecondMenus()
        }

        KeyInput {
            id: keyField
            x: firstMenu.width + 10
            visible: firstMenu.defaultIndex === page.kindKeyboard
            isIn: modelR7.dragIsOverTarget
            onClearKey: page.setSelectedKeyCode(0)
        }

        FileListButton {
            id: mediaList
            x: keyField.x
            visible: firstMenu.defaultIndex === page.kindMedia
            mdItems: mediaModel
            onListElementClicked: (index) => page.chooseMedia(index)
        }

        FileListButton {
            id: macroList
            x: keyField.x
            visible: firstMenu.defaultIndex === page.kindMacro
            mdItems: macroModel
            onRequestToUpdateList: page.refreshMacroFiles()
            onListElementClicked: (index) => page.chooseMacro(index)
        }
    }

    Checkbox {
        id: gamingMode
        x: 560
        y: 19
        chkStr: page.text(TextIndex.gamingMode)
        onClicked: (select) => ui_View.ui_02H_SetKeyboardMode(select ? 1 : 0)
    }

    ResetApplyButtons {
        id: buttons
        anchors.right: parent.right
        anchors.rightMargin: 40
        y: 360
        spacing: 5
        enabled: gamingMode.isSelect
        labelled: true
        labelsFade: true
        resetText: page.text(TextIndex.reset)
        resetLabelGap: 30
        applyText: page.text(TextIndex.apply)
        onResetClicked: page.resetSelectedKey()
        onApplyClicked: page.apply()
    }
}
