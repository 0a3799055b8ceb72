import QtQuick
import "../common"

// The macro page, page 1 of the page area. The shell calls initUI at start-up and
// translateStrings after a language change; the page's content has not been built yet.
Item {
    width: 759
    height: 396

    function initUI() {
    }

    function translateStrings() {
    }

    LazyImage {
        pictureSource: sourceFnCommonBackground
    }
}
