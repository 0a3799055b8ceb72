import QtQuick
import "basic"
import "common"
import "R7"

// The window's whole surface. The backend drives it only by calling the functions below by
// name; everything else happens in answer to the user.
Item {
    id: mainIten
    width: 1000
    height: 600
    visible: false

    // The look every page binds to; the global settings page holds the values.
    property int globalSetting_size: _Page_Globalsetting._Size
    property color globalSetting_color: _Page_Globalsetting._Color
    property color globalSetting_color_enable: _Page_Globalsetting._ColorEnable
    property color globalSetting_color_disable: _Page_Globalsetting._ColorDisable
    property int animation_speed: _Page_Globalsetting._AnimationSpeed
    property var globalSetting_stringList: _Page_Globalsetting._StringList
    property string globalSetting_fontFamily: _Page_Globalsetting._FontFamily
    property string globalSetting_url: _Page_Globalsetting._Url
    property int skin_No: _Page_Globalsetting.skin_No
    property bool isCustomBackground: _Page_Globalsetting.isCustomBackground
    property url sourceCustomBackground: String(_Page_Globalsetting.storedAtStart(6, ""))
    property bool isConnect: false
    property int currentpage: -1

    // Made after the first frame, by the start-up steps below.
    readonly property Item main_R7: keyboardLoader.item
    readonly property Item upItem: upLoader.item
    readonly property Item downItem: downLoader.item

    // The first frames show the backdrop and the logo only. The rest of the interface is made,
    // and what it reads is read, in steps once the backdrop has begun to show: a few
    // milliseconds' worth per frame while the opening animation plays, so that the animation
    // keeps its pace, or every step left at once when the user or the backend needs the
    // interface sooner (finishStartUp). The steps keep the order in which the interface has
    // always read the files and the keyboard.
    property var startUpSteps: []
    // Steps begun, and steps not yet over: the interface is complete when none is left.
    property int startUpTaken: 0
    property int startUpLeft: 0
    // What waits for the whole interface: the rest of the opening animation.
    property var afterStartUp: null
    // The animations' step; an opening shorter than that is shown at once (run), and waits
    // meanwhile for the backdrop's pictures.
    readonly property int frameMs: 16
    property bool openingWaitsForPictures: false

    // The skin's pictures, relative to the working folder, one property per file.
    readonly property string skinFolder: "file:modules/img/skin" + skin_No + "/"
    property url sourceKeyboardPic: skinFolder + "keyboardPic.png"
    property url sourceBackground: skinFolder + "background.png"
    property url sourceFrameBackground: skinFolder + "frame/frameBackground.png"
    property url sourceDecoration1: skinFolder + "frame/decoration1.png"
    property url sourceDecoration2: skinFolder + "frame/decoration2.png"
    property url sourceWeb_0: skinFolder + "frame/web_0.png"
    property url sourceWeb_1: skinFolder + "frame/web_1.png"
    property url sourceListUpContainer: skinFolder + "list_up/listUpContainer.png"
    property url sourceApplicationSetting_0: skinFolder + "list_up/applicationSetting_0.png"
    property url sourceApplicationSetting_1: skinFolder + "list_up/applicationSetting_1.png"
    property url sourceApplicationMinimize_0: skinFolder + "list_up/applicationMinimize_0.png"
    property url sourceApplicationMinimize_1: skinFolder + "list_up/applicationMinimize_1.png"
    property url sourceHide_0: skinFolder + "list_up/hide_0.png"
    property url sourceHide_1: skinFolder + "list_up/hide_1.png"
    property url sourceListDnContainer: skinFolder + "list_dn/listDnContainer.png"
    property url sourceListPfContainer: skinFolder + "list_pf/listPfContainer.png"
    property url sourceProfileFW_0: skinFolder + "list_pf/profileFW_0.png"
    property url sourceProfileFW_1: skinFolder + "list_pf/profileFW_1.png"
    property url sourceListFnBtn_0: skinFolder + "list_fn/listFnBtn_0.png"
    property url sourceListFnBtn_1: skinFolder + "list_fn/listFnBtn_1.png"
    property url sourceGlobalsettingBackground: skinFolder + "list_center/globalsettingBackground.png"
    property url sourceFnColorBackground: skinFolder + "list_center/fnColorBackground.png"
    property url sourceFnKeydefineBackground: skinFolder + "list_center/fnKeydefineBackground.png"
    property url sourceFnCommonBackground: skinFolder + "list_center/fnCommonBackground.png"
    property url sourceSlider: skinFolder + "common/slider_BASE.png"
    property url sourceDraw_line: skinFolder + "common/draw_line.png"
    property url sourceFilelist_BASE: skinFolder + "common/filelist_BASE.png"
    property url sourceDraw_inputValue: skinFolder + "common/draw_inputValue.png"
    property url sourceDraw_paletteIndex: skinFolder + "common/draw_paletteIndex.png"
    property url sourceDraw_palette: skinFolder + "common/draw_palette.png"
    property url sourceCheckbox_0: skinFolder + "common/checkbox_0.png"
    property url sourceCheckbox_1: skinFolder + "common/checkbox_1.png"
    property url sourceReset_0: skinFolder + "common/reset_0.png"
    property url sourceReset_1: skinFolder + "common/reset_1.png"
    property url sourceApply_0: skinFolder + "common/apply_0.png"
    property url sourceApply_1: skinFolder + "common/apply_1.png"
    property url sourceFram_2btn: skinFolder + "common/fram_2btn.png"
    property url sourceAdd_0: skinFolder + "common/add_0.png"
    property url sourceAdd_1: skinFolder + "common/add_1.png"
    property url sourceDelete_0: skinFolder + "common/delete_0.png"
    property url sourceDelete_1: skinFolder + "common/delete_1.png"
    property url sourceRecord_0: skinFolder + "common/record_0.png"
    property url sourceRecord_1: skinFolder + "common/record_1.png"
    property url sourceStop_0: skinFolder + "common/stop_0.png"
    property url sourceStop_1: skinFolder + "common/stop_1.png"
    property url sourceSolid_delete_0: skinFolder + "common/solid-delete_0.png"
    property url sourceSolid_delete_1: skinFolder + "common/solid-delete_1.png"
    property url sourceSolid_cut_0: skinFolder + "common/solid-cut_0.png"
    property url sourceSolid_cut_1: skinFolder + "common/solid-cut_1.png"
    property url sourceSolid_paste_0: skinFolder + "common/solid-paste_0.png"
    property url sourceSolid_paste_1: skinFolder + "common/solid-paste_1.png"
    property url sourceSolid_copy_0: skinFolder + "common/solid-copy_0.png"
    property url sourceSolid_copy_1: skinFolder + "common/solid-copy_1.png"
    property url sourceSlider_FILLER_0: skinFolder + "common/slider_FILLER_0.png"
    property url sourceSlider_FILLER_1: skinFolder + "common/slider_FILLER_1.png"
    property url sourceBtnFileListFrame: skinFolder + "common/btnFileListFrame.png"
    property url sourceBtnFrame: skinFolder + "common/btnFrame.png"

    // A key press or release from the keyboard hook, for the pages.
    signal msg_KB(bool isDown, int usbCode)

    // Blocks all input and shows the busy text for `interval` ms. Starting the running timer
    // again does nothing, so the same interval does not extend the wait; another one restarts it.
    function setProtectUI(interval) {
        protectUIItem.setBusy(true)
        ui_View.setEnabled(false)
        tmrProtectUI.interval = interval
        tmrProtectUI.start()
    }

    function initUI() {
        _Page_Globalsetting.initUI()
        console.debug(startUpLog, "settings read")
        addStartUpSteps([makeBars, makeKeyboardPart])
    }

    function makeBars() {
        upLoader.active = true
        downLoader.active = true
    }

    function makeKeyboardPart() {
        keyboardLoader.active = true
        main_R7.setSkin()
        main_R7.translateStrings()
        addStartUpSteps(main_R7.startUpSteps)
    }

    function addStartUpSteps(steps) {
        startUpSteps = startUpSteps.concat(steps)
        startUpLeft += steps.length
    }

    // Taken before it runs, so that a step that needs the rest at once can finish it.
    function runStartUpStep() {
        const step = startUpSteps[startUpTaken]
        startUpTaken += 1
        console.debug(startUpLog, "step", step.name)
        step()
        console.debug(startUpLog, "step done")
        startUpLeft -= 1
        if (startUpLeft > 0)
            return
        console.debug(startUpLog, "interface complete")
        if (afterStartUp) {
            const action = afterStartUp
            afterStartUp = null
            action()
        }
    }

    function finishStartUp() {
        while (startUpTaken < startUpSteps.length)
            runStartUpStep()
    }

    function whenStartedUp(action) {
        if (startUpLeft === 0)
            action()
        else
            afterStartUp = action
    }

    // Before "initUI" there is nothing to reload: the interface reads the keyboard and the
    // profile when it is set up.
    function zzzMorvel() {
        finishStartUp()
        if (main_R7)
            main_R7.zzzMorvel()
    }

    // The command line chose a profile, or changed the current one. Before "initUI" only the
    // keyboard switches; the interface reads its profile when it is set up.
    function chooseProfile(profile) {
        finishStartUp()
        if (main_R7)
            main_R7.chooseProfile(profile)
        else
            ui_View.ui_21H_SetCurrentProfile(profile)
    }

    function reloadPages() {
        finishStartUp()
        if (main_R7)
            main_R7.reloadPages()
    }

    // An opening shorter than a frame (animations off) would be over at its first tick, after
    // a blank frame: it is shown at once instead, once the backdrop's pictures are there.
    function run() {
        if (animation_speed >= frameMs)
            script0.restart()
        else if (envItem.picturesRead)
            openAtOnce()
        else
            openingWaitsForPictures = true
    }

    function openAtOnce() {
        openingWaitsForPictures = false
        script0.restart()
        script0.complete()
    }

    function currentVersion(isMyKeyboard) {
        isConnect = isMyKeyboard
    }

    function close() {
        scriptEnd.restart()
    }

    // The keyboard is there but cannot be opened: which, why and what to do; hidden again
    // once it can be.
    function deviceAccessMessage(isShown, title, text, buttonText) {
        if (isShown)
            accessMessage.show(title, text, buttonText)
        else
            accessMessage.visible = false
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    // The keyboard did not take a change; the backend says so at most once in a while.
    function showKeyboardNotice(text) {
        keyboardNoticeItem.show(text)
    }

    // The hook reports the mouse too; no page uses it.
    function detectMouse(isDown, volkCode, x, y) {
    }

    // Parts not made yet follow the skin and language when they are made.
    function setSkin() {
        if (downItem)
            downItem.setSkin()
        if (main_R7)
            main_R7.setSkin()
    }

    function translateStrings(code) {
        _Page_Globalsetting.translateStrings()
        if (main_R7)
            main_R7.translateStrings(code)
    }

    LoggingCategory {
        id: startUpLog
        name: "r7.startup"
        defaultLogLevel: LoggingCategory.Warning
    }

    FrameAnimation {
        // A frame waits for at most one step beyond this.
        readonly property int budgetMs: 6
        running: startUpTaken < startUpSteps.length && envItem.opacity > 0
        onTriggered: {
            const begun = Date.now()
            do
                runStartUpStep()
            while (startUpTaken < startUpSteps.length && Date.now() - begun < budgetMs)
        }
    }

    // Lowest of all: a press that no control takes drags the borderless window and ends the
    // entries in progress on the pages.
    MouseArea {
        id: dragRegion
        property int clickPosX: 0
        property int clickPosY: 0
        anchors.fill: parent
        hoverEnabled: true
        onPressed: (mouse) => {
            main_R7.lostFocus()
            clickPosX = mouse.x
            clickPosY = mouse.y
        }
        onPositionChanged: (mouse) => {
            if (!pressed)
                return
            ui_Ctl.onXChanged(mouse.x - clickPosX)
            ui_Ctl.onYChanged(mouse.y - clickPosY)
        }
    }

    // Closing it checks the keyboard again.
    MessagePanel {
        id: accessMessage
        objectName: "accessMessage"
        z: 98
        anchors.centerIn: parent
        onClosed: ui_Ctl.checkDeviceAgain()
    }

    BusyIndicator {
        id: protectUIItem
        z: 99
        anchors.centerIn: parent
    }

    KeyboardNotice {
        id: keyboardNoticeItem
        z: 100
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 70
    }

    Timer {
        id: tmrProtectUI
        interval: 1000
        repeat: false
        onRunningChanged: {
            if (!running) {
                ui_View.setEnabled(true)
                protectUIItem.setBusy(false)
            }
        }
    }

    Environment {
        id: envItem
        opacity: 0
        onPicturesReadChanged: {
            if (picturesRead && openingWaitsForPictures)
                openAtOnce()
        }
    }

    // Named by file, so that neither these files nor those they use are read with the window.
    Loader {
        id: keyboardLoader
        active: false
        source: "R7/Main_R7.qml"
        onLoaded: item.controlsEnabled = Qt.binding(() => !upItem.isGlobalSettingSelect)
    }

    Environment_Decoration {
        id: envDecorationItem
        opacity: 0
    }

    Loader {
        id: downLoader
        active: false
        source: "basic/Menu_Down.qml"
        onLoaded: {
            item.objectName = "downItem"
            item.y = 600
            item.enabled = Qt.binding(() => !upItem.isGlobalSettingSelect)
            item.opacity = Qt.binding(() => 0.2 + 0.8 * item.enabled)
        }
    }

    Loader {
        id: upLoader
        active: false
        source: "basic/Menu_Up.qml"
        onLoaded: {
            item.y = -600
            item.opacity = Qt.binding(() => 0.2 + 0.8 * item.enabled)
        }
    }

    Connections {
        target: upItem
        function onBtnClicked(btnIndex) {
            if (btnIndex === 0)
                upItem.isGlobalSettingSelect = !upItem.isGlobalSettingSelect
            else if (btnIndex === 1)
                mainIten.close()
        }
        function onIsGlobalSettingSelectChanged() {
            if (upItem.isGlobalSettingSelect)
                _fkGlobalsetting.show()
            else
                _fkGlobalsetting.close()
        }
    }

    Image {
        id: logoWeb_img
        y: 270
        opacity: 0
        anchors.horizontalCenter: parent.horizontalCenter
        source: logoArea.containsMouse ? sourceWeb_1 : sourceWeb_0
        MouseArea {
            id: logoArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: {
                ui_View.playMedia_Index(3)
                Qt.openUrlExternally(globalSetting_url)
            }
        }
    }

    Flickable {
        id: _fkGlobalsetting
        x: 5
        y: 60
        width: 340
        height: 420
        contentWidth: width
        contentHeight: height
        interactive: false
        clip: true
        visible: false

        function show() {
            if (paGlobalsettingBack_X.running) {
                paGlobalsettingBack_X.complete()
                show()
            } else if (paGlobalsetting_X.running) {
                paGlobalsetting_X.complete()
            } else {
                visible = true
                paGlobalsetting_X.restart()
            }
        }

        function close() {
            if (paGlobalsettingBack_X.running) {
                paGlobalsettingBack_X.complete()
            } else if (paGlobalsetting_X.running) {
                paGlobalsetting_X.complete()
                close()
            } else {
                paGlobalsettingBack_X.restart()
            }
        }

        Page_Globalsetting {
            id: _Page_Globalsetting
        }
    }

    // Start-up: the logo fades in and rises, the frame appears, then the menus drop in.
    SequentialAnimation {
        id: script0
        onStarted: {
            console.debug(startUpLog, "opening animation")
            ui_View.playMedia_Index(1)
            mainIten.visible = true
        }
        // The menus come in once they are all made.
        onFinished: whenStartedUp(() => {
            script1.restart()
            main_R7.playOnPowerOn()
        })
        NumberAnimation {
            target: logoWeb_img; property: "opacity"; from: 0; to: 1
            easing.type: Easing.InCirc; duration: animation_speed * 0.1
        }
        NumberAnimation {
            target: logoWeb_img; property: "y"; from: 270; to: 30
            easing.type: Easing.OutExpo; duration: animation_speed * 0.1
        }
        ParallelAnimation {
            NumberAnimation {
                target: envItem; property: "opacity"; from: 0; to: 1
                easing.type: Easing.OutCirc; duration: animation_speed
            }
            NumberAnimation {
                target: envDecorationItem; property: "opacity"; from: 0; to: 1
                easing.type: Easing.OutCirc; duration: animation_speed
            }
        }
    }

    ParallelAnimation {
        id: script1
        NumberAnimation {
            target: upItem; property: "y"; from: -600; to: 0
            easing.type: Easing.OutElastic; duration: animation_speed
        }
        NumberAnimation {
            target: downItem; property: "y"; from: 600; to: downItem ? 600 - downItem.height : 600
            easing.type: Easing.OutElastic; duration: animation_speed
        }
    }

    // Closing: the window folds up, then the program ends.
    NumberAnimation {
        id: scriptEnd
        target: mainIten; property: "height"; from: 600; to: 0
        easing.type: Easing.InOutCubic; duration: animation_speed
        onFinished: ui_Ctl.onExit()
    }

    NumberAnimation {
        id: paGlobalsetting_X
        target: _fkGlobalsetting; property: "contentX"; from: _fkGlobalsetting.width; to: 0
        easing.type: Easing.OutCubic; duration: animation_speed * 0.8
    }

    NumberAnimation {
        id: paGlobalsettingBack_X
        target: _fkGlobalsetting; property: "contentX"; from: 0; to: _fkGlobalsetting.width
        easing.type: Easing.OutCubic; duration: animation_speed * 0.8
        onFinished: _fkGlobalsetting.visible = false
    }
}
