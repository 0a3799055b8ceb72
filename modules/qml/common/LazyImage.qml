import QtQuick

// A picture read from its file only once it is first shown, for the large pictures of pages and
// panels that start hidden: until the user opens them they cost neither start-up time nor
// memory. From then on it follows `pictureSource` like any Image follows `source`.
Image {
    property url pictureSource
    property bool shownOnce: false

    source: shownOnce || visible ? pictureSource : ""
    onVisibleChanged: {
        if (visible)
            shownOnce = true
    }
}
