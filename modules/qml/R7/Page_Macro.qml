import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex
import "PageReads.js" as PageReads

// The macro page, page 1 of the page area: the macro files, the steps of the chosen one, and
// the tools to record steps from the keyboard, add keys and delays, and cut, copy and paste
// steps. Every change is saved at once; saving a macro bound to a keyboard slot also writes
// it to the keyboard.
Item {
    id: pageMacro
    objectName: "_Page_Macro"

    property bool isRecordStart: false
    // One step string (value and 10-character command) waiting to be pasted.
    property string scrapbook: ""
    // After copy a step may be pasted again and again, after cut only once.
    property bool isUnlimitedCopy: false

    readonly property bool isFileSelected: fl_MacroFile.lvItems.currentIndex >= 0
    readonly property bool isStepSelected: fl_MacroActions.lvItems.currentIndex >= 0
    // The row being renamed is the chosen macro; the list shows the new name before the file
    // has it.
    property bool isRenamingChosen: false

    // A step is its value followed by one of these, each exactly 10 characters.
    readonly property string downCommand: "    [Down]"
    readonly property string upCommand: "      [Up]"
    readonly property string delayCommand: "   [Delay]"

    // The macro files as read for the page before it was made (stored), or read now.
    function initUI(stored) {
        showMacroFiles((stored ?? PageReads.macros()).macroFiles)
    }

    // The texts follow the text table by binding; nothing to re-label.
    function translateStrings() {
    }

    // Every key the hook reports: first for the capture field, then, while recording, as a
    // step. Keys without a name cannot be stored and are left out.
    function detectKeyboard(isDown, usbCode) {
        keyboardAction.detectKeyboard(isDown, usbCode)
        if (!isRecordStart)
            return
        const name = _KeyCodeString.keycodeTostr(usbCode)
        if (name === undefined)
            return
        md_MacroActions.append(stepRow(name, isDown ? downCommand : upCommand))
    }

    // The window's background was pressed: a rename and a delay entry in progress end.
    function lostFocus() {
        fl_MacroFile.stopEditFileName()
        if (delaytime.isEditing)
            delaytime.endEditing()
    }

    function refreshMacroFiles() {
        showMacroFiles(ui_View.getMacroIniNames())
    }

    function showMacroFiles(files) {
        md_MacroFile.clear()
        for (const file of files)
            md_MacroFile.append({textX: file.slice(0, -4), textR: ""})
    }

    function refreshMacroActions() {
        md_MacroActions.clear()
        const name = getCurrentMacroName()
        if (name === undefined)
            return
        for (const step of ui_View.loadMacroIni(name))
            md_MacroActions.append(stepRow(step.slice(0, -10), step.slice(-10)))
    }

    function getCurrentMacroName() {
        const row = fl_MacroFile.lvItems.currentIndex
        return row < 0 ? undefined : md_MacroFile.get(row).textX
    }

    function getAllMacroActions() {
        const steps = []
        for (let i = 0; i < md_MacroActions.count; ++i)
            steps.push(stepString(i))
        return steps
    }

    function getCurrentMacroActions() {
        const row = fl_MacroActions.lvItems.currentIndex
        return row < 0 ? undefined : stepString(row)
    }

    function stepRow(value, command) {
        return {textX: String(value), textR: command}
    }

    function stepString(row) {
        const step = md_MacroActions.get(row)
        return step.textX + step.textR
    }

    function selectMacro(name) {
        let row = -1
        for (let i = 0; i < md_MacroFile.count; ++i) {
            if (md_MacroFile.get(i).textX === name)
                row = i
        }
        fl_MacroFile.lvItems.currentIndex = row
    }

    // A macro whose file has gone shows no steps. One whose file could not be written keeps
    // them on the page, where they are all the user has; the view has said why.
    function saveMacro() {
        const name = getCurrentMacroName()
        if (!ui_View.saveMacroIni(name, getAllMacroActions()) &&
                !ui_View.getMacroIniNames().includes(name + ".bin"))
            md_MacroActions.clear()
    }

    // Steps go before the selected step, which moves down and stays selected, so steps added
    // one after another keep their order; with no step selected they go after the last one.
    function insertSteps(rows) {
        const at = fl_MacroActions.lvItems.currentIndex
        for (let i = 0; i < rows.length; ++i) {
            if (at < 0)
                md_MacroActions.append(rows[i])
            else
                md_MacroActions.insert(at + i, rows[i])
        }
        if (at >= 0)
            fl_MacroActions.lvItems.currentIndex = at + rows.length
        saveMacro()
    }

    function startRecording() {
        md_MacroActions.clear()
        if (getCurrentMacroName())
            isRecordStart = true
    }

    function stopRecording() {
        isRecordStart = false
        saveMacro()
    }

    function addKey() {
        const name = _KeyCodeString.keycodeTostr(keyboardAction.tmpKeycodeUSB)
        if (name === undefined)
            return
        insertSteps([stepRow(name, downCommand), stepRow(name, upCommand)])
    }

    function addDelay() {
        lostFocus()
        insertSteps([stepRow(delaytime.value, delayCommand)])
    }

    // The step after the removed one takes its place and its selection; after the last one
    // nothing is selected.
    function deleteStep() {
        const row = fl_MacroActions.lvItems.currentIndex
        md_MacroActions.remove(row)
        fl_MacroActions.lvItems.currentIndex = row < md_MacroActions.count ? row : -1
        saveMacro()
    }

    function cutStep() {
        isUnlimitedCopy = false
        scrapbook = getCurrentMacroActions()
        deleteStep()
    }

    function copyStep() {
        isUnlimitedCopy = true
        scrapbook = getCurrentMacroActions()
    }

    function pasteStep() {
        const row = stepRow(scrapbook.slice(0, -10), scrapbook.slice(-10))
        if (!isUnlimitedCopy)
            scrapbook = ""
        insertSteps([row])
    }

    function addMacroFile() {
        const name = ui_View.createMacroIni()
        if (!name)
            return
        md_MacroFile.append({textX: name, textR: ""})
        fl_MacroFile.lvItems.currentIndex = md_MacroFile.count - 1
        refreshMacroActions()
    }

    function deleteMacroFile() {
        const row = fl_MacroFile.lvItems.currentIndex
        if (!ui_View.deleteMacroIni(getCurrentMacroName()))
            return
        md_MacroFile.remove(row)
        fl_MacroFile.lvItems.currentIndex = -1
        refreshMacroActions()
    }

    // The list then shows what the folder holds, so a rename the store refused (a name taken
    // or not allowed as a file name) shows the old name again. An empty name would leave a
    // macro without a name (the file ".bin"), so it is not asked for. The chosen macro stays
    // chosen.
    function renameMacro(oldName, newName) {
        const chosen = isRenamingChosen ? oldName : getCurrentMacroName()
        if (newName !== "")
            ui_View.renameMacroIniFile(oldName, newName)
        refreshMacroFiles()
        selectMacro(chosen)
        if (chosen === oldName && !isFileSelected)
            selectMacro(newName)
    }

    function openFileMenu(row) {
        const place = fl_MacroFile.lvItems.itemAtIndex(row).mapToItem(pageMacro, 0, 0)
        fileMenu.open(fl_MacroFile.x, place.y, row)
    }

    // LOAD imports a file into the macro, SAVE exports it, RENAME edits its name in place.
    function runFileMenuRow(row, fileRow) {
        const name = md_MacroFile.get(fileRow).textX
        if (row === 0) {
            ui_View.loadMacroIniFromFile(name)
            if (fileRow === fl_MacroFile.lvItems.currentIndex)
                refreshMacroActions()
        } else if (row === 1) {
            ui_View.saveMacroIniToFile(name)
        } else if (row === 2) {
            fl_MacroFile.editFileName(fileRow)
        }
    }

    width: 759
    height: 396

    LazyImage {
        pictureSource: sourceFnCommonBackground
    }

    ListModel {
        id: md_MacroFile
    }

    ListModel {
        id: md_MacroActions
    }

    ListTitle {
        x: fl_MacroFile.x
        y: fl_MacroFile.y - height
        text: globalSetting_stringList[TextIndex.macros]

        // Files are made by the keyboard's slot set; these two are kept but not shown.
        Button_2state {
            id: addFileButton
            visible: false
            enabled: !pageMacro.isRecordStart
            source0: sourceAdd_0
            source1: sourceAdd_1
            onClicked: pageMacro.addMacroFile()
        }

        Button_2state {
            id: deleteFileButton
            visible: false
            enabled: pageMacro.isFileSelected && !pageMacro.isRecordStart
            source0: sourceDelete_0
            source1: sourceDelete_1
            onClicked: pageMacro.deleteMacroFile()
        }
    }

    FileList {
        id: fl_MacroFile
        x: 119
        y: 77
        width: 141
        height: 198
        mdItems: md_MacroFile
        enabled: !pageMacro.isRecordStart
        onListElementClicked: pageMacro.refreshMacroActions()
        onListElementRightBtnClicked: (index) => pageMacro.openFileMenu(index)
        onEditFileName_start: (tarIndex) => {
            pageMacro.isRenamingChosen = tarIndex === lvItems.currentIndex
        }
        onEditFileName_completed: (oldName, newName) => pageMacro.renameMacro(oldName, newName)
    }

    Column {
        id: stepTools
        x: 446
        y: 77
        spacing: 1

        StepTool {
            id: deleteStepButton
            enabled: pageMacro.isStepSelected
            source0: sourceSolid_delete_0
            source1: sourceSolid_delete_1
            tip: globalSetting_stringList[TextIndex.deleteStep]
            onClicked: pageMacro.deleteStep()
        }

        StepTool {
            id: cutButton
            enabled: pageMacro.isStepSelected
            source0: sourceSolid_cut_0
            source1: sourceSolid_cut_1
            tip: globalSetting_stringList[TextIndex.cutStep]
            onClicked: pageMacro.cutStep()
        }

        StepTool {
            id: pasteButton
            enabled: pageMacro.scrapbook !== "" && pageMacro.isFileSelected
            source0: sourceSolid_paste_0
            source1: sourceSolid_paste_1
            tip: globalSetting_stringList[TextIndex.pasteStep]
            onClicked: pageMacro.pasteStep()
        }

        StepTool {
            id: copyButton
            enabled: pageMacro.isStepSelected
            source0: sourceSolid_copy_0
            source1: sourceSolid_copy_1
            tip: globalSetting_stringList[TextIndex.copyStep]
            onClicked: pageMacro.copyStep()
        }
    }

    KeyInput_2 {
        id: keyboardAction
        x: 290
        y: 205
    }

    Button_2state {
        id: addKeyButton
        x: keyboardAction.x + keyboardAction.width + 5
        y: keyboardAction.y + 1
        enabled: pageMacro.isFileSelected && keyboardAction.tmpKeycodeUSB !== 0
        source0: sourceAdd_0
        source1: sourceAdd_1
        onClicked: pageMacro.addKey()
    }

    DelayInput {
        id: delaytime
        x: keyboardAction.x
        y: keyboardAction.y + keyboardAction.height
    }

    Button_2state {
        id: addDelayButton
        x: delaytime.x + delaytime.width + 5
        y: delaytime.y + 1
        enabled: pageMacro.isFileSelected
        source0: sourceAdd_0
        source1: sourceAdd_1
        onClicked: pageMacro.addDelay()
    }

    ListTitle {
        x: fl_MacroActions.x
        y: fl_MacroActions.y - height
        text: globalSetting_stringList[TextIndex.actions]

        Button_2state {
            id: recordButton
            enabled: pageMacro.isFileSelected && !pageMacro.isRecordStart
            source0: sourceRecord_0
            source1: sourceRecord_1
            onClicked: pageMacro.startRecording()
        }

        Button_2state {
            id: stopButton
            enabled: pageMacro.isRecordStart
            source0: sourceStop_0
            source1: sourceStop_1
            onClicked: pageMacro.stopRecording()
        }
    }

    FileList {
        id: fl_MacroActions
        x: 468
        y: 77
        width: 141
        height: 198
        mdItems: md_MacroActions
    }

    ContextMenu {
        id: fileMenu
        z: 1
        rowTexts: [TextIndex.load, TextIndex.save, TextIndex.rename, TextIndex.cancel]
        onRowChosen: (row, fileRow) => pageMacro.runFileMenuRow(row, fileRow)
    }
}
