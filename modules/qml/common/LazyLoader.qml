import QtQuick

// What LazyImage is for pictures, for parts of the window that start hidden: made the first time
// the loader shows, kept from then on.
Loader {
    property bool shownOnce: false

    active: shownOnce || visible
    onVisibleChanged: {
        if (visible)
            shownOnce = true
    }
}
