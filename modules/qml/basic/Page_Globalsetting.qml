import QtQuick

// The application's options panel. It also holds the values the whole interface binds to
// (through the root's globalSetting_* properties); until initUI loads the stored settings they
// are the built-in ones below.
Item {
    id: pageGlobalsetting
    width: 340
    height: 420

    property int _Size: 11
    property color _Color: "#FF00FFFF"
    property color _ColorEnable: "#FFAAAAAA"
    property color _ColorDisable: "#80FFFFFF"
    property int _AnimationSpeed: 800
    property int skin_No: 1
    property bool isCustomBackground: false
    property string _FontFamily: "Arial"
    property string _Url: "https://r7-configurator.example.org/"
    // The text table, addressed by index (each line's comment gives the index of its first
    // text); a language file replaces it whole. Index 0 is the language's font family.
    property var _StringList: [
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
        "SCROLL DOWN", "UPDATE KEYBOARD", "RENAME", "ALL RESET", "ALL SAVE" // 110
    ]

    // The shell calls these at start-up and after a language change. Until the panel has its
    // controls there is nothing to load or re-label, and the built-in values stay.
    function initUI() {
    }

    function translateStrings() {
    }

    Image {
        source: sourceGlobalsettingBackground
    }
}
