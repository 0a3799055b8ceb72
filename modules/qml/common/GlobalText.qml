import QtQuick

// A label in the interface's own font, size and text colour.
Text {
    font.family: globalSetting_fontFamily
    font.pixelSize: globalSetting_size
    font.bold: true
    color: globalSetting_color_enable
}
