#include "app/commandservice.h"
#include "app/inputcallbacks.h"
#include "app/scenegraphbackend.h"
#include "app/singleinstance.h"
#include "app/uicontroler.h"
#include "app/widget.h"
#include "capture/inputhook.h"
#include "storage/datalocations.h"
#include "storage/executabledirectory.h"
#include "storage/leftoverfiles.h"
#include "view/startuplog.h"

#include <QApplication>
#include <QLocalSocket>

int main(int argc, char *argv[])
{
    qCDebug(lcStartup, "main");
    QApplication app(argc, argv);
    qCDebug(lcStartup, "application made");
    // Names the user's data folder when the program is installed.
    QCoreApplication::setApplicationName(QStringLiteral("R7Configurator"));
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(R7_APP_ID));
    enterDataFolders(QStringLiteral(R7_SHARED_FROM_EXECUTABLE));
    chooseSceneGraphBackend();

    // A second start shows the running window instead of writing the same files alongside it.
    // The instance is the user's: installed, every user has files and a window of their own.
    SingleInstance instance(DataLocations::userFolder());
    if (!instance.acquire())
        return 0;
    removeLeftoverFiles();
    qCDebug(lcStartup, "single instance");

    Widget widget;
    qCDebug(lcStartup, "window and interface loaded");
    QObject::connect(&instance, &SingleInstance::activationRequested, &widget,
                     &Widget::bringToFront);
    // r7ctl's commands, while the window owns the keyboard.
    CommandService commands(widget.uiController()->uiView());
    QObject::connect(&instance, &SingleInstance::commandReceived, &commands,
                     &CommandService::enqueue);
    // The keyboard is found and checked before the window shows.
    widget.checkDevice();
    qCDebug(lcStartup, "keyboard checked");

    const bool ukLayout = widget.uiController()->uiView()->backend().bridge().layoutType() == 0;
    InputHook hook(ukLayout);
    hook.setKeyCallback(&keyCallback, &widget);
    hook.setMouseCallback(&mouseCallback, &widget);
    qCDebug(lcStartup, "input hook installed");

    widget.showNormal();
    qCDebug(lcStartup, "window shown");
    widget.startUI();
    const int result = QApplication::exec();
    hook.removeHooks();
    return result;
}
