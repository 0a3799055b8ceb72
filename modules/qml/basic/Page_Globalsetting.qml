import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex

// The application's options panel. It also holds the values the whole interface binds to
// (through the root's globalSetting_* properties); until initUI loads the stored settings they
// are the built-in ones below. The window needs the values from its first frame, the panel's
// controls only once the panel is opened: they are made then, and show the values as they are.
Item {
    id: pageGlobalsetting
    width: 340
    height: 420

    property int _Size: 11
    property color _Color: "#FF00FFFF"
    property color _ColorEnable: "#FFAAAAAA"
    property color _ColorDisable: "#80FFFFFF"
    property int _AnimationSpeed: 800
    property int skin_No: Number(storedAtStart(1, 1))
    property bool isCustomBackground: String(storedAtStart(5, false)) === "true"
    property string _FontFamily: "Arial"
    property string _Url: "https://r7-configurator.example.org/"
    // The built-in text table, addressed by index (each line's comment gives the index of its
    // first text). Index 0 is the font family.
    readonly property var _BuiltInStrings: [
        "Arial", "OPTIONS", "LOOP", "SPEED", "BRIGHTNESS", // 0
        "DIRECTION", "PAINTING", "EFFECTS", "USER DEFINE 1", "USER DEFINE 2", // 5
        "USER DEFINE 3", "USER DEFINE 4", "USER DEFINE 5", "STATIC", "BREATHING", // 10
        "WAVE", "INDUCTION DARKEN", "MARQUEE", "RIPPLE", "INDUCTION BRIGHTEN", // 15
        "NEON", "MARQUEE COLORFUL", "RAINING", "MARQUEE CIRCLE", "SPOTLIGHT", // 20
        "ROTATION", "SKIN", "SOUND", "ANIMATED", "LANGUAGE", // 25
        "BACKGROUND", "ON", "OFF", "TEXT", "SIZE", // 30
        "COLOR", "BRIGHTNESS", "NORMAL", "LARGER", "SKIN 1", // 35
        "SKIN 2", "SKIN 3", "SKIN 4", "SKIN 5", "MACRO", // 40
        "ACTION", "KEYBOARD", "MOUSE", "MEDIA", "COMBO KEY", // 45
        "MACRO", "LEFT", "RIGHT", "MIDDLE", "B4", // 50
        "B5", "NEXT TRACK", "PREVIOUS TRACK", "STOP", "PLAY / PAUSE", // 55
        "MUTE", "VOLUME UP", "VOLUME DOWN", "MEDIA SELECT", "MAIL", // 60
        "CALCULATOR", "MY COMPUTER", "WWW SEARCH", "WWW HOME", "WWW BACK", // 65
        "WWW FORWARD", "WWW STOP", "WWW REFRESH", "WWW FAVORITES", "KEY", // 70
        "MACRO", "COLOR", "RESET", "CANCEL", "GAMING MODE", // 75
        "DELETE", "CUT", "PASTE", "COPY", "LOAD", // 80
        "SAVE", "SENSOR", "LED POWER ON", "TWINKLING", "GLIDING", // 85
        "FINGER MOVING", "VERTICAL FLIPPING", "YO-YO", "FIRE KEY", "TRIPLE CLICK", // 90
        "DPI SWITCH", "NORMAL PLAY", "TIMES", "ALWAYS REPEAT", "REPEAT ON PRESSED", // 95
        "USER DEFINE 4", "USER DEFINE 5", "VERTICAL SCROLL SPEED", "DOUBLE CLICK SPEED", "DPI LEVEL", // 100
        "DPI INDICATOR LED", "DEFAULT", "APPLY", "SCROLL SWAP", "SCROLL UP", // 105
        "SCROLL DOWN", "UPDATE KEYBOARD", "RENAME", "ALL RESET", "ALL SAVE", // 110
        "BACKLIGHT" // 115
    ]
    // The text table of the language in use; the pages address it by index.
    property var _StringList: _BuiltInStrings
    // What the controls show: the rows chosen in the sound, animation and language lists, the
    // text size, the swatch, the brightness step, the picker's colour and whether the skin row
    // is offered.
    property int soundIndex: 0
    property int animatedIndex: 0
    property int languageIndex: -1
    property int textSizeIndex: 0
    property int swatchIndex: 0
    property int brightnessIndex: 7
    property var pickerRgb: [255, 255, 255]
    property bool skinRowShown: true
    // The alpha of the text colour, 45 at brightness step 0 to 255 at step 7.
    readonly property int _Brightness: 45 + brightnessIndex * 210 / 7
    // Entries of the stored settings list.
    readonly property int settingsCount: 32
    // The pair's buttons, under the page's own names for them, once the panel is made.
    readonly property Item _Reset_IMG: controls.item ? controls.item.resetButton : null
    readonly property Item _Apply_IMG: controls.item ? controls.item.applyButton : null

    ListModel {
        id: md_skin
        ListElement { textX: "SKIN 1" }
        ListElement { textX: "SKIN 2" }
    }

    ListModel {
        id: md_sound
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }

    ListModel {
        id: md_animated
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }

    // {textX: display name, code: language code, textR: ""}, filled by initLanguage.
    ListModel {
        id: md_language
    }

    ListModel {
        id: modColorIndex
        ListElement { clrR: 0; clrG: 255; clrB: 255 }
        ListElement { clrR: 255; clrG: 200; clrB: 150 }
        ListElement { clrR: 255; clrG: 180; clrB: 0 }
        ListElement { clrR: 200; clrG: 200; clrB: 100 }
        ListElement { clrR: 200; clrG: 170; clrB: 255 }
        ListElement { clrR: 255; clrG: 180; clrB: 180 }
        ListElement { clrR: 160; clrG: 190; clrB: 160 }
    }

    // A list of another layout, or none, leaves the built-in values.
    function isSettingsList(list) {
        return list.length >= settingsCount
    }

    // A stored setting as the window is made, or `builtIn` without a stored list, for the values
    // the backdrop's pictures depend on: they are asked for as the window is made.
    function storedAtStart(index, builtIn) {
        return isSettingsList(storedSettings) ? storedSettings[index] : builtIn
    }

    // Loads the stored settings; without any (or with a list of another layout) the built-in
    // values stay, and the languages are still offered. The skin row is offered only when there
    // is more than one skin.
    function initUI() {
        const list = ui_View.loadApConfig()
        if (isSettingsList(list))
            applySettings(list)
        else
            initLanguage()
        skinRowShown = ui_View.getIsSkinShow()
        if (controls.item)
            controls.item.showSettings()
    }

    // The values come back from the file as strings.
    function applySettings(list) {
        skin_No = Number(list[1])
        mainIten.setSkin()

        enableSound(Number(list[2]))
        soundIndex = Number(list[2])
        setAnimated(Number(list[3]))

        initLanguage()
        languageIndex = Number(list[4])
        setLanguage(Number(list[4]))

        isCustomBackground = String(list[5]) === "true"
        mainIten.sourceCustomBackground = String(list[6])

        setTextSize(Number(list[7]))

        for (let k = 0; k < modColorIndex.count; ++k) {
            modColorIndex.set(k, {clrR: Number(list[8 + 3 * k]), clrG: Number(list[9 + 3 * k]),
                                  clrB: Number(list[10 + 3 * k])})
        }
        chooseSwatch(Number(list[29]))

        brightnessIndex = Number(list[30])
        updateColor()

        _Url = String(list[31])
    }

    // The list the settings file keeps: format 1, then the controls in the order of the panel.
    function settingsList() {
        const list = [1, skin_No, soundIndex, animatedIndex, languageIndex, isCustomBackground,
                      String(mainIten.sourceCustomBackground), textSizeIndex]
        for (let k = 0; k < modColorIndex.count; ++k) {
            const swatch = modColorIndex.get(k)
            list.push(swatch.clrR, swatch.clrG, swatch.clrB)
        }
        list.push(swatchIndex, brightnessIndex, _Url)
        return list
    }

    function initLanguage() {
        const languages = ui_View.chkLanguages()
        md_language.clear()
        for (const name of Object.keys(languages))
            md_language.append({textX: name, code: languages[name], textR: ""})
    }

    function setLanguage(uiIndex) {
        if (uiIndex < 0 || uiIndex >= md_language.count)
            return
        languageIndex = uiIndex
        const code = md_language.get(uiIndex).code
        _StringList = completedTable(ui_View.getGlobalStrings(code))
        mainIten.translateStrings(code)
        _FontFamily = _StringList[TextIndex.fontFamily]
    }

    // A language file with fewer texts than the interface uses keeps the built-in ones for the
    // rest, so that no label is left without a text.
    function completedTable(texts) {
        const table = Array.from(texts)
        for (let k = table.length; k < _BuiltInStrings.length; ++k)
            table.push(_BuiltInStrings[k])
        return table
    }

    function translateStrings() {
        md_skin.setProperty(0, "textX", _StringList[TextIndex.skin1])
        md_skin.setProperty(1, "textX", _StringList[TextIndex.skin2])
        for (const model of [md_sound, md_animated]) {
            model.setProperty(0, "textX", _StringList[TextIndex.on])
            model.setProperty(1, "textX", _StringList[TextIndex.off])
        }
    }

    function resetApconfig() {
        endInput()
        runSoundIndex(1)
        ui_View.resetApconfig()
        initUI()
        ui_View.playMedia_Index(0)
    }

    function apply() {
        endInput()
        ui_View.saveApConfig(settingsList())
        upItem.isGlobalSettingSelect = false
    }

    // Taking the focus from the colour fields commits what was typed into them.
    function endInput() {
        pageGlobalsetting.forceActiveFocus()
    }

    function chooseSkin(index) {
        skin_No = index + 1
        mainIten.setSkin()
    }

    function enableSound(index) {
        if (index === 0)
            ui_View.setEnableAudio(true)
        else if (index === 1)
            ui_View.setEnableAudio(false)
    }

    // On starts the background music, off silences every sound at once.
    function runSoundIndex(index) {
        enableSound(index)
        if (index === 0)
            ui_View.playMedia_Index(0)
        else if (index === 1)
            ui_View.clearAllMedia()
    }

    function setAnimated(index) {
        animatedIndex = index
        if (index === 0)
            _AnimationSpeed = 800
        else if (index === 1)
            _AnimationSpeed = 10
    }

    function setTextSize(index) {
        textSizeIndex = index
        _Size = index === 1 ? 12 : 11
    }

    function toggleBackground() {
        if (isCustomBackground) {
            mainIten.sourceCustomBackground = ""
            isCustomBackground = false
            return
        }
        const path = ui_View.getCustomFilePath()
        mainIten.sourceCustomBackground = path === "" ? "" : "file:" + path
        isCustomBackground = path !== ""
    }

    function chooseSwatch(index) {
        if (index < 0 || index >= modColorIndex.count)
            return
        swatchIndex = index
        const swatch = modColorIndex.get(index)
        followPalette(3, swatch.clrR, swatch.clrG, swatch.clrB)
        if (controls.item)
            controls.item.showPicker()
    }

    function storeSwatch(r, g, b) {
        const index = swatchIndex
        if (index >= 0 && index < 7)
            modColorIndex.set(index, {clrR: r, clrG: g, clrB: b})
    }

    function updateColor() {
        _Color = Qt.rgba(pickerRgb[0] / 255, pickerRgb[1] / 255, pickerRgb[2] / 255,
                         _Brightness / 255)
    }

    // Which copies of the palette's colour follow it depends on where the colour came from.
    function followPalette(mode, r, g, b) {
        pickerRgb = [r, g, b]
        if (mode !== 3)
            storeSwatch(r, g, b)
        if (mode >= 1 && mode <= 3)
            updateColor()
    }

    // Made the first time the panel shows.
    LazyLoader {
        id: controls
        source: "SettingsControls.qml"
    }
}
