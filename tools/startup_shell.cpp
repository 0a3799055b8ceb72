// The program's start-up with an empty interface: the data folders, scene graph, window set-up,
// keyboard check, show and start of the program (not its single-instance lock or input hook),
// around a root that draws nothing. Launched by the start-up measurement in place of the
// program, it shows what the start-up costs before any of the interface's QML is loaded; with
// R7_SHELL_OPAQUE=1 the window is left opaque, to show what the translucent window costs.

#include "app/scenegraphbackend.h"
#include "app/widget.h"
#include "storage/executabledirectory.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("R7Configurator"));
    enterDataFolders();
    chooseSceneGraphBackend();

    Widget widget(nullptr, QUrl(QStringLiteral("qrc:/startup_shell.qml")));
    if (qEnvironmentVariableIntValue("R7_SHELL_OPAQUE") == 1) {
        widget.setAttribute(Qt::WA_TranslucentBackground, false);
        widget.setStyleSheet(QString());
    }
    widget.checkDevice();
    widget.showNormal();
    widget.startUI();
    return QApplication::exec();
}
