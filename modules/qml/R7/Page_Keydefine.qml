import QtQuick
import "../common"

// The key assignment page, page 0 of the page area. The shell calls initUI at start-up (with
// true and the hardware definition) and after every profile change (without arguments), and
// translateStrings after a language change; the page's content has not been built yet.
Item {
    width: 759
    height: 442

    function initUI(isFirst, _HWDef) {
    }

    function translateStrings() {
    }

    LazyImage {
        pictureSource: sourceFnKeydefineBackground
    }
}
