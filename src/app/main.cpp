#include "app/executabledirectory.h"
#include "app/widget.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    makeExecutableDirectoryCurrent();

    Widget widget;
    // The keyboard is found and checked before the window shows.
    widget.checkDevice();
    widget.showNormal();
    widget.startUI();
    return QApplication::exec();
}
