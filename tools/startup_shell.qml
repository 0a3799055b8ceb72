import QtQuick

// A root that draws nothing and takes the calls the start-up makes, so that the program's own
// start-up can be timed without its interface.
Item {
    width: 1000
    height: 600
    visible: false

    function setProtectUI(interval) {
    }

    function currentVersion(isMyKeyboard) {
    }

    function initUI() {
    }

    function run() {
    }
}
