// Starts the program exactly as its main() does, saves a picture of its window and reports how
// long it took from the start of the process to the first frame on screen.
//
//   R7Screenshot [--delay ms] [--started-at epoch-ms] [--eval qml]... [--refused-keyboard]
//                [file.png]
//
// --started-at is the wall-clock time at which the caller launched the process (for example
// `date +%s%3N`); without it the time is counted from the application object's construction.
// Each --eval is a QML expression run in the root's scope at the first frame, once the interface
// is complete, for example "upItem.btnClicked(0)" to open the settings panel. The picture is
// taken --delay ms after the first frame; the process's resident memory is reported at the same
// moment.
// --refused-keyboard makes the virtual keyboard one that this user may not open.

#include "app/scenegraphbackend.h"
#include "app/widget.h"
#include "device/virtual/virtualkeyboard.h"
#include "storage/executabledirectory.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTextStream>
#include <QTimer>

namespace
{
// Notes the first paint of the view that shows a rendered scene.
class FirstFrameWatcher : public QObject
{
public:
    FirstFrameWatcher(myQQuickView *view, std::function<void()> onFirstFrame)
        : firstFrame(std::move(onFirstFrame))
    {
        connect(
            view->quickWindow(), &QQuickWindow::afterRendering, this, [this] { rendered = true; },
            Qt::DirectConnection);
        view->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && rendered && firstFrame) {
            // The paint ends with the flush to the screen: count from just after it.
            QTimer::singleShot(0, this, firstFrame);
            firstFrame = nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> firstFrame;
    bool rendered = false;
};

// VmRSS of /proc/self/status, in kB; 0 where there is no such file.
qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

bool evaluate(QQuickItem *root, const QString &code, QTextStream &out)
{
    QQmlExpression expression(qmlContext(root), root, code);
    expression.evaluate();
    if (expression.hasError()) {
        out << "--eval " << code << ": " << expression.error().toString() << "\n";
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    const qint64 constructedAt = QDateTime::currentMSecsSinceEpoch();
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Saves a picture of the program's window."));
    parser.addHelpOption();
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Wait this long after the first frame."),
                                   QStringLiteral("ms"), QStringLiteral("3000"));
    const QCommandLineOption startedAt(QStringLiteral("started-at"),
                                       QStringLiteral("When the process was launched."),
                                       QStringLiteral("epoch-ms"));
    const QCommandLineOption eval(QStringLiteral("eval"),
                                  QStringLiteral("Run this QML in the root's scope first."),
                                  QStringLiteral("qml"));
    parser.addOption(delay);
    parser.addOption(startedAt);
    const QCommandLineOption refused(QStringLiteral("refused-keyboard"),
                                     QStringLiteral("The virtual keyboard refuses every open."));
    parser.addOption(eval);
    parser.addOption(refused);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The picture to write."));
    parser.process(app);

    const qint64 start =
        parser.isSet(startedAt) ? parser.value(startedAt).toLongLong() : constructedAt;
    const QString file = QDir::current().absoluteFilePath(
        parser.positionalArguments().value(0, QStringLiteral("r7-window.png")));

    enterDataFolders();
    if (parser.isSet(refused))
        VirtualKeyboard::shared().setRefusesOpens(HidBackend::OpenFailure::NoPermission);
    chooseSceneGraphBackend();
    Widget widget;
    widget.checkDevice();
    widget.showNormal();
    widget.startUI();

    QTextStream out(stdout);
    int result = 0;
    FirstFrameWatcher watcher(widget.uiController()->uiView(), [&] {
        out << "first frame: " << QDateTime::currentMSecsSinceEpoch() - start << " ms\n";
        out.flush();
        QQuickItem *root = widget.uiController()->uiView()->rootObject();
        // The expressions may name any part of the interface, which makes its last parts after
        // the first frame.
        const QStringList codes = parser.values(eval);
        if (!codes.isEmpty())
            evaluate(root, QStringLiteral("finishStartUp()"), out);
        for (const QString &code : codes) {
            if (!evaluate(root, code, out))
                result = 1;
        }
        QTimer::singleShot(parser.value(delay).toInt(), &app, [&] {
            out << "resident memory: " << residentKilobytes() << " kB\n";
            if (!widget.grab().save(file)) {
                out << "cannot write " << file << "\n";
                result = 1;
            } else {
                out << "saved " << file << "\n";
            }
            QApplication::quit();
        });
    });
    const int loop = QApplication::exec();
    return result != 0 ? result : loop;
}
