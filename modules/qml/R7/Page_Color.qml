import QtQuick
import "../common"

// The lighting page, page 2 of the page area. The shell calls initUI (with true and the
// hardware definition at start-up, without arguments after a reload), playEffect whenever the
// page is shown or hidden and translateStrings after a language change; the page's content has
// not been built yet.
Item {
    width: 759
    height: 442

    function initUI(isFirst, _HWDef) {
    }

    function playEffect(isOn) {
    }

    function translateStrings() {
    }

    LazyImage {
        pictureSource: sourceFnColorBackground
    }
}
