import QtQuick
import "../common"

// The backlight page, page 3 of the page area (no menu entry leads to it). The shell calls
// initUI at start-up and after every reload, syncColor whenever the page is shown and
// translateStrings after a language change; the page's content has not been built yet.
Item {
    width: 759
    height: 396

    function initUI() {
    }

    function syncColor() {
    }

    function translateStrings() {
    }

    LazyImage {
        pictureSource: sourceFnCommonBackground
    }
}
