#pragma once

#include "testworkspace.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QObject;
class QQuickItem;
class QWidget;
class Widget;
class myQQuickView;

// Animation speeds: the program's own "animations off" for tests that only need the end state,
// slowed down for tests that must catch an animation running.
constexpr int fastSpeed = 10;
constexpr int slowSpeed = 4000;

// Warnings and errors the interface logs (QML, JavaScript, its pictures), collected from the
// moment watchInterfaceWarnings() is called.
void watchInterfaceWarnings();
QStringList &interfaceWarnings();

// Runs `act` on the next modal window (a file dialog, a message box) once it is shown.
void onNextModal(const std::function<void(QWidget *)> &act);

// Evaluates QML in the scope of `object`; a failing expression is logged as a warning.
QVariant qmlValue(QObject *object, const QString &code);

// The program as main() starts it, in its own copy of the shipped modules/ folder. `prepare`
// may change that copy before the program starts; `speed` replaces the stored animation speed
// once the settings are loaded, 0 keeps it.
class Program
{
public:
    explicit Program(int speed = fastSpeed,
                     const std::function<void(const TestWorkspace &)> &prepare = {});
    ~Program();

    // 0 keeps the speed in use.
    void setSpeed(int speed) const;

    myQQuickView *view() const;
    QQuickItem *root() const;
    // The keyboard item's own scope, where the page area and the side menus are named.
    QObject *keyboardScope() const;

    QVariant eval(const QString &code, QObject *scope = nullptr) const;
    void set(const QString &code, QObject *scope = nullptr) const { eval(code, scope); }
    QVariant page(const QString &code) const { return eval(code, keyboardScope()); }

    // True once the start-up animation has ended and the page area has opened.
    bool started() const;

    // A click at a point of the window, in root coordinates.
    void click(QPointF at, Qt::MouseButton button = Qt::LeftButton) const;

    TestWorkspace workspace;
    std::unique_ptr<Widget> widget;
};
