import QtQuick

// What LazyLoader is for parts, for a label: laid out the first time it shows. The pages'
// "【 】" brackets are found only in a CJK font, which takes megabytes to read: the pages made at
// start-up read it when first chosen, and a session that never opens them never reads it.
GlobalText {
    property string label: ""
    property bool shownOnce: false

    text: shownOnce || visible ? label : ""
    onVisibleChanged: {
        if (visible)
            shownOnce = true
    }
}
