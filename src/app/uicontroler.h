#pragma once

#include "view/myqquickview.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>

class Hid_Thread;

// What the QML may do to its own window: drag it, hide it, close it and block input for a
// while. Its constructor gives the main window its look and builds the view inside it.
class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    static QUrl defaultRootSource() { return QUrl(QStringLiteral("qrc:modules/qml/main.qml")); }

    // rootSource is the program's own QML unless a test hosts another root.
    Ui_Controler(QWidget *window, Hid_Thread *hid, const QUrl &rootSource = defaultRootSource());

    myQQuickView *uiView() const { return view; }

public Q_SLOTS:
    void onMinimize();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime = 0);
    void onExit();
    // The user closed the message about a keyboard that could not be opened.
    void checkDeviceAgain();

Q_SIGNALS:
    void deviceCheckRequested();

private:
    // The window outlives the controller only until its destructor schedules the controller's
    // deletion; guarded so that a late call does nothing.
    QPointer<QWidget> widget;
    // A child widget of the window, destroyed with it.
    QPointer<myQQuickView> view;
};
