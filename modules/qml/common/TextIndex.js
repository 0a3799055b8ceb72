.pragma library

// Where the interface's texts stand in the UI text table of a language
// (globalSetting_stringList): every language file numbers its texts alike.

const fontFamily = 0
// Shown in a list's head while no row is chosen.
const listPrompt = 1

// The lighting pages.
const loop = 2
const speed = 3
const brightness = 4
const direction = 5
const painting = 6
const effects = 7
// The five user pictures, in their order.
const userPictures = [8, 9, 10, 100, 101]
// The twelve effects follow one another from here, in the order of their types.
const firstEffect = 13
const backlightEffect = 87
// The four backlight effects follow one another from here.
const firstBacklightEffect = 88
const backlightColor = 92

// The settings panel.
const skin = 26
const sound = 27
const animated = 28
const language = 29
const background = 30
const on = 31
const off = 32
// The text box: its heading, then its rows.
const textSettings = 33
const textSize = 34
const textColor = 35
const textBrightness = 36
const normalSize = 37
const largerSize = 38
const skin1 = 39
const skin2 = 40

// The macro page.
const macros = 44
const actions = 45
const deleteStep = 80
const cutStep = 81
const pasteStep = 82
const copyStep = 83
const rename = 112

// The key assignment page: the kinds of assignment, the media functions (one after another from
// here, in the order of the media list), gaming mode.
const keyboard = 46
const media = 48
const macro = 50
const firstMedia = 56
const gamingMode = 79

// The function menu.
const keyFunction = 74
const macroFunction = 75
const colorFunction = 76
const backlightFunction = 115

// Buttons and context menus.
const reset = 77
const cancel = 78
const load = 84
const save = 85
const apply = 107
const allReset = 113
const allSave = 114
