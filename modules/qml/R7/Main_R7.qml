import QtQuick
import "PageReads.js" as PageReads

// The R7 keyboard's part of the window: the function and profile menus, the page area with the
// four feature pages, and the key names they share.
Item {
    id: mainItem_R7
    width: 1000
    height: 600

    // Off while the settings panel is open: menus and pages then ignore input and show faded.
    property bool controlsEnabled: true

    property var _HWDef: []
    property var _UsbStr: []
    property var _UsbCode: []
    property int _MaxProfile: 0

    readonly property Item _Page_Keydefine: keydefineLoader.item
    readonly property Item _Page_Macro: macroLoader.item
    readonly property Item _Page_Color: colorLoader.item
    readonly property Item _Page_BackLighting: backLightingLoader.item

    // A key press or release from the keyboard hook, for the pages.
    signal msg_KB(bool isDown, int usbCode)

    // The interface's set-up, in steps the root runs after the first frame: the keyboard's
    // definition and profile, then what each page shows, in the order the pages have always
    // read the profile and the keyboard.
    readonly property var startUpSteps: [readDefinition, readKeys, readMacros, readLighting,
        readBacklight]

    // The pages in the function menu's order. Each is made when first shown; until then what
    // it is to show waits here, read when the page would have read it.
    readonly property var pageLoaders: [keydefineLoader, macroLoader, colorLoader,
        backLightingLoader]
    readonly property var pageReaders: [() => PageReads.keys(_HWDef), PageReads.macros,
        PageReads.lighting, PageReads.backlight]
    property var pageReads: [null, null, null, null]

    function readDefinition() {
        _HWDef = ui_View.loadHWDef()
        _UsbStr = ui_View.loadUsbStr()
        _UsbCode = ui_View.loadUsbCode()
        _MaxProfile = ui_View.getMaxProfile()
        _KeyCodeString.initUI(_HWDef, _UsbStr, _UsbCode)
        pfItem.initProfile(_MaxProfile)
        pfItem.currentIndex = ui_View.ui_A1H_GetCurrentProfile()
    }

    function readKeys() {
        reloadPage(0)
    }

    function readMacros() {
        reloadPage(1)
    }

    function readLighting() {
        ui_View.syncLed()
        reloadPage(2)
    }

    function readBacklight() {
        reloadPage(3)
    }

    // The page shows the current profile again; a page not made yet keeps it for when it is.
    function reloadPage(index) {
        const page = pageLoaders[index].item
        if (page)
            page.initUI()
        else
            pageReads[index] = pageReaders[index]()
    }

    // Made in the language chosen meanwhile, with what was read for it. The reads come first:
    // a page wanted during the start-up finishes it.
    function makePage(index) {
        const loader = pageLoaders[index]
        if (loader.active)
            return
        mainIten.finishStartUp()
        loader.active = true
        const page = loader.item
        page.translateStrings()
        // The key and lighting pages build their keys from the hardware definition.
        if (index === 0 || index === 2)
            page.initUI(true, _HWDef, pageReads[index])
        else
            page.initUI(pageReads[index])
        pageReads[index] = null
    }

    // The keyboard changed its lighting by itself.
    function zzzMorvel() {
        reloadPage(2)
        reloadPage(3)
        if (_Page_Color)
            _Page_Color.playEffect(_Page_Color.visible)
    }

    // As a click on the profile in the menu; the current profile again is reloaded, as after
    // its import.
    function chooseProfile(profile) {
        pfItem.currentIndex = profile
        pfItem.indexChanged_btn(profile)
    }

    // The current profile's keys or lighting changed outside the pages.
    function reloadPages() {
        reloadPage(0)
        zzzMorvel()
    }

    function setSkin() {
        fnItem.setSkin()
    }

    // A page not made yet is translated when it is made.
    function translateStrings(code) {
        for (const page of [_Page_Keydefine, _Page_Macro, _Page_Color, _Page_BackLighting]) {
            if (page)
                page.translateStrings()
        }
        fnItem.translateStrings()
        pfItem.translateStrings()
    }

    // The window's background was pressed.
    function lostFocus() {
        if (_Page_Macro)
            _Page_Macro.lostFocus()
    }

    function playOnPowerOn() {
        script_PowerOn.restart()
    }

    // Every page reloads from the newly chosen profile.
    function changeProfile(profile) {
        ui_View.ui_21H_SetCurrentProfile(profile)
        reloadPage(0)
        ui_View.syncLed()
        reloadPage(2)
        reloadPage(3)
    }

    Connections {
        target: mainIten
        function onMsg_KB(isDown, usbCode) {
            mainItem_R7.msg_KB(isDown, usbCode)
        }
    }

    Flickable {
        id: _fkPage
        objectName: "_fkPage"
        x: 171
        y: 96
        width: 759
        height: 442
        contentWidth: width
        contentHeight: height
        interactive: false
        clip: true
        visible: false
        enabled: mainItem_R7.controlsEnabled
        opacity: 0.2 + 0.8 * enabled

        // The page shown.
        property int curID: 0

        // Slides the chosen page in, the shown one out first; index -1 only slides out. A
        // request during a slide finishes that slide at once, so the last request wins.
        function show(index) {
            if (index >= 0)
                mainItem_R7.makePage(index)
            ui_View.playMedia_Index(2)
            if (paBack_X.running) {
                paBack_X.tmpIndex = index
                paBack_X.complete()
            } else if (pa_X.running) {
                curID = index
                pa_X.complete()
            } else if (index < 0) {
                paBack_X.tmpIndex = index
                paBack_X.restart()
            } else if (paBack_X.tmpIndex < 0) {
                paBack_X.tmpIndex = index
                curID = index
                pa_X.restart()
            } else {
                paBack_X.tmpIndex = index
                paBack_X.restart()
            }
        }

        // Each page's file is read when the page is first shown.
        Loader {
            id: keydefineLoader
            visible: _fkPage.curID === 0
            active: false
            source: "Page_Keydefine.qml"
        }

        Loader {
            id: macroLoader
            y: 46
            visible: _fkPage.curID === 1
            active: false
            source: "Page_Macro.qml"
        }

        Loader {
            id: colorLoader
            visible: _fkPage.curID === 2
            active: false
            source: "Page_Color.qml"
        }

        Loader {
            id: backLightingLoader
            y: 46
            visible: _fkPage.curID === 3
            active: false
            source: "Page_BackLighting.qml"
        }
    }

    // Shown or not, the macro page records what the keyboard reports.
    Connections {
        target: mainItem_R7
        function onMsg_KB(isDown, usbCode) {
            if (_Page_Macro)
                _Page_Macro.detectKeyboard(isDown, usbCode)
        }
    }

    Connections {
        target: downItem
        function onEveryPageWanted() {
            for (let i = 0; i < pageLoaders.length; ++i)
                makePage(i)
        }
    }

    Connections {
        target: _Page_Color
        function onVisibleChanged() {
            _Page_Color.playEffect(_Page_Color.visible)
        }
    }

    Connections {
        target: _Page_BackLighting
        function onVisibleChanged() {
            if (_Page_BackLighting.visible)
                _Page_BackLighting.syncColor()
        }
    }

    Menu_Func {
        id: fnItem
        objectName: "fnItem"
        x: 8
        y: 180
        visible: false
        currentIndex: -1
        enabled: mainItem_R7.controlsEnabled
        opacity: 0.2 + 0.8 * enabled
        onIndexChanged_btn: (currentIndex) => {
            mainIten.currentpage = currentIndex
            _fkPage.show(currentIndex)
        }
    }

    Menu_Prof {
        id: pfItem
        objectName: "pfItem"
        x: 1000 - width - 8
        y: 95
        visible: false
        enabled: mainItem_R7.controlsEnabled
        opacity: 0.2 + 0.8 * enabled
        onIndexChanged_btn: (currentIndex) => {
            mainItem_R7.changeProfile(currentIndex)
            if (_Page_Color)
                _Page_Color.playEffect(_Page_Color.visible)
        }
    }

    KeyCodeString {
        id: _KeyCodeString
    }

    // The side menus slide in from the edges, then the page area opens on the chosen page.
    ParallelAnimation {
        id: script_PowerOn
        onStarted: {
            pfItem.x = 1000
            fnItem.x = -150
            pfItem.visible = true
            fnItem.visible = true
        }
        onFinished: {
            // The page comes before the area shows, so that no other page is shown for a moment
            // (and reads its pictures) on the way.
            _fkPage.curID = fnItem.currentIndex
            _fkPage.visible = true
            pa_X.restart()
        }
        NumberAnimation {
            target: pfItem; property: "x"; from: 1000; to: 1000 - pfItem.width - 8
            easing.type: Easing.OutElastic; duration: animation_speed
        }
        NumberAnimation {
            target: fnItem; property: "x"; from: -150; to: 8
            easing.type: Easing.OutElastic; duration: animation_speed
        }
    }

    NumberAnimation {
        id: pa_X
        target: _fkPage; property: "contentX"; from: -2 * _fkPage.width; to: 0
        easing.type: Easing.OutCubic; duration: animation_speed * 0.5
    }

    NumberAnimation {
        id: paBack_X
        // The page to show once the shown one has left, -1 for none.
        property int tmpIndex: -1
        target: _fkPage; property: "contentX"; from: 0; to: -2 * _fkPage.width
        easing.type: Easing.InCubic; duration: animation_speed * 0.5
        onFinished: {
            _fkPage.curID = tmpIndex
            if (tmpIndex >= 0)
                pa_X.restart()
        }
    }
}
