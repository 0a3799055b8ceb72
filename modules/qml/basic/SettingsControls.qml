import QtQuick
import "../common"
import "../common/TextIndex.js" as TextIndex

// The controls of the settings panel (Page_Globalsetting.qml), made when the panel first shows.
// They show the page's values and hand the user's choices to the page's functions; the page's
// own names (pageGlobalsetting, its models) reach them through the page's scope.
Item {
    width: pageGlobalsetting.width
    height: pageGlobalsetting.height
    readonly property alias resetButton: resetApply.resetButton
    readonly property alias applyButton: resetApply.applyButton

    function showSettings() {
        _skin.setCurIndex(pageGlobalsetting.skin_No - 1)
        _sound.setCurIndex(pageGlobalsetting.soundIndex)
        _animated.setCurIndex(pageGlobalsetting.animatedIndex)
        _language.setCurIndex(pageGlobalsetting.languageIndex)
        _TextSize_CHK.currentIndex = pageGlobalsetting.textSizeIndex
        brightness_Slider.setCurIndex(pageGlobalsetting.brightnessIndex)
        showPicker()
    }

    function showPicker() {
        _PaletteIndex.currentIndex = pageGlobalsetting.swatchIndex
        const rgb = pageGlobalsetting.pickerRgb
        _Palette._R = rgb[0]
        _Palette._G = rgb[1]
        _Palette._B = rgb[2]
        _Palette.showInInputs(rgb[0], rgb[1], rgb[2])
    }

    Component.onCompleted: showSettings()

    LazyImage {
        pictureSource: sourceGlobalsettingBackground
    }

    DropdownList {
        id: _skin
        x: 139
        y: visible ? 22 : 11
        visible: pageGlobalsetting.skinRowShown
        mdItems: md_skin
        defaultIndex: 0
        onListElementClicked: (index) => pageGlobalsetting.chooseSkin(index)
    }

    DropdownList {
        id: _sound
        x: 139
        anchors.top: _skin.bottom
        anchors.topMargin: 10
        mdItems: md_sound
        defaultIndex: 0
        onListElementClicked: (index) => {
            pageGlobalsetting.soundIndex = index
            pageGlobalsetting.runSoundIndex(index)
        }
    }

    DropdownList {
        id: _animated
        x: 139
        anchors.top: _sound.bottom
        anchors.topMargin: 10
        mdItems: md_animated
        defaultIndex: 0
        onListElementClicked: (index) => pageGlobalsetting.setAnimated(index)
    }

    DropdownList {
        id: _language
        x: 139
        anchors.top: _animated.bottom
        anchors.topMargin: 10
        mdItems: md_language
        onListElementClicked: (index) => pageGlobalsetting.setLanguage(index)
    }

    OptionToggle {
        id: _background
        x: 139
        anchors.top: _language.bottom
        anchors.topMargin: 10
        isOn: pageGlobalsetting.isCustomBackground
        onText: _StringList[TextIndex.on]
        offText: _StringList[TextIndex.off]
        onClicked: pageGlobalsetting.toggleBackground()
    }

    SettingLabel { control: _skin; text: _StringList[TextIndex.skin] }
    SettingLabel { control: _sound; text: _StringList[TextIndex.sound] }
    SettingLabel { control: _animated; text: _StringList[TextIndex.animated] }
    SettingLabel { control: _language; text: _StringList[TextIndex.language] }
    SettingLabel { control: _background; text: _StringList[TextIndex.background] }

    Item {
        id: _textSettingBox
        objectName: "_textSettingBox"
        x: 27
        y: 190
        width: 270
        height: 176

        Image {
            width: parent.width
            source: sourceDraw_line
        }

        Image {
            anchors.bottom: parent.bottom
            width: parent.width
            source: sourceDraw_line
        }

        GlobalText {
            x: 10
            y: 6
            text: _StringList[TextIndex.textSettings]
            color: globalSetting_color
        }

        SizeChoice {
            id: _TextSize_CHK
            x: 96
            y: 25
            texts: [_StringList[TextIndex.normalSize],
                    _StringList[TextIndex.largerSize]]
            onChosen: (index) => pageGlobalsetting.setTextSize(index)
        }

        SwatchStrip {
            id: _PaletteIndex
            x: 100
            y: 55
            width: 145
            model: modColorIndex
            onSwatchClicked: (index) => pageGlobalsetting.chooseSwatch(index)
        }

        ColorPalette {
            id: _Palette
            x: 100
            y: 90
            onRgbSet: (mode, r, g, b) => pageGlobalsetting.followPalette(mode, r, g, b)
        }

        Slider {
            id: brightness_Slider
            x: 97
            y: 140
            currentIndex: 7
            onSliderClicked: {
                pageGlobalsetting.brightnessIndex = currentIndex
                pageGlobalsetting.updateColor()
            }
        }

        GlobalText {
            anchors.right: parent.right
            anchors.rightMargin: 185
            anchors.verticalCenter: _TextSize_CHK.verticalCenter
            text: _StringList[TextIndex.textSize]
        }

        GlobalText {
            anchors.right: parent.right
            anchors.rightMargin: 185
            anchors.verticalCenter: _PaletteIndex.verticalCenter
            text: _StringList[TextIndex.textColor]
        }

        GlobalText {
            anchors.right: parent.right
            anchors.rightMargin: 185
            anchors.verticalCenter: brightness_Slider.verticalCenter
            text: _StringList[TextIndex.textBrightness]
        }
    }

    // The panel writes only the settings file, so the window need not wait for the
    // keyboard.
    ResetApplyButtons {
        id: resetApply
        anchors.right: _textSettingBox.right
        anchors.top: _textSettingBox.bottom
        anchors.topMargin: 10
        spacing: 10
        resetBusyTime: 0
        applyBusyTime: 0
        onResetClicked: pageGlobalsetting.resetApconfig()
        onApplyClicked: pageGlobalsetting.apply()
    }
}
