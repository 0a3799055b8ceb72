import QtQuick

// A root with every function the backend invokes; each call is reported with its arguments.
Item {
    width: 1000
    height: 600

    signal received(string name, var args)

    function setProtectUI(interval) { received("setProtectUI", [interval]) }
    function initUI() { received("initUI", []) }
    function zzzMorvel() { received("zzzMorvel", []) }
    function run() { received("run", []) }
    function currentVersion(isMyKeyboard) { received("currentVersion", [isMyKeyboard]) }
    function close() { received("close", []) }
    function deviceAccessMessage(isShown, title, text, buttonText) {
        received("deviceAccessMessage", [isShown, title, text, buttonText])
    }
    function detectKeyboard(isDown, usbCode) { received("detectKeyboard", [isDown, usbCode]) }
    function showKeyboardNotice(text) { received("showKeyboardNotice", [text]) }
    function detectMouse(isDown, volkCode, x, y) {
        received("detectMouse", [isDown, volkCode, x, y])
    }
}
