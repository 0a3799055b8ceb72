import QtQuick

// The two ornaments that head the side menus; read on a thread like the backdrop, which they
// fade in with.
Item {
    width: 1000
    height: 600

    Image {
        x: 78 - width / 2
        y: 93 - height / 2
        asynchronous: true
        source: sourceDecoration1
    }

    Image {
        x: 923 - width / 2
        y: 93 - height / 2
        asynchronous: true
        source: sourceDecoration2
    }
}
