// Prints what the colour page's live preview costs: the program starts as its main() does,
// shows the colour page and plays each of the twelve effects at the fastest speed for a while,
// then hides the page. For each it prints the process's CPU time as a share of one core, the
// frames the window rendered and the effect's ticks. While a reactive effect runs (light on
// press, laser, ripple) keys are pressed ten times a second through the keyboard hook's path.
//
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bin/bench_effects [--seconds 10]
//   QT_QUICK_BACKEND=software xvfb-run -a ... build/bin/bench_effects

#include "app/scenegraphbackend.h"
#include "app/widget.h"
#include "storage/executabledirectory.h"
#include "view/effects/keyboardpreview.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTextStream>
#include <QTimer>

#include <ctime>
#include <functional>

namespace
{
double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void waitFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        waitFor(50);
    return done();
}

QVariant eval(QObject *scope, const QString &code)
{
    QQmlExpression expression(qmlContext(scope), scope, code);
    const QVariant value = expression.evaluate();
    if (expression.hasError())
        qWarning("%s: %s", qPrintable(code), qPrintable(expression.error().toString()));
    return value;
}

const char *const effectNames[] = {"static",   "breathing", "fading marquee", "light on press",
                                   "starry",   "laser",     "wave",           "neon",
                                   "raindrop", "ripple",    "wave 2",         "vortex"};
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("R7_VIRTUAL_KEYBOARD"))
        qputenv("R7_VIRTUAL_KEYBOARD", "1");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption frameGap(QStringLiteral("frame-interval"),
                                      QStringLiteral("Shortest time between two frames."),
                                      QStringLiteral("ms"));
    parser.addOption(frameGap);
    const QCommandLineOption seconds(QStringLiteral("seconds"),
                                     QStringLiteral("How long each effect runs."),
                                     QStringLiteral("s"), QStringLiteral("10"));
    parser.addOption(seconds);
    parser.addHelpOption();
    parser.process(app);
    const int runMs = parser.value(seconds).toInt() * 1000;

    enterDataFolders();
    chooseSceneGraphBackend();
    Widget widget;
    widget.checkDevice();
    widget.showNormal();
    widget.startUI();

    myQQuickView *view = widget.uiController()->uiView();
    QQuickItem *root = view->rootObject();
    QObject *pages = root->findChild<QObject *>(QStringLiteral("_fkPage"));
    QTextStream out(stdout);
    if (!pages ||
        !waitUntil([&] { return eval(pages, QStringLiteral("visible")).toBool(); }, 30000)) {
        out << "the page area did not open\n";
        return 1;
    }
    // The colour page is made when it is first shown.
    eval(pages, QStringLiteral("show(2)"));
    QObject *preview = nullptr;
    if (!waitUntil(
            [&] { return (preview = root->findChild<QObject *>(QStringLiteral("_eft_Ctrl"))); },
            10000)) {
        out << "the colour page's preview was not found\n";
        return 1;
    }
    int frames = 0;
    QObject::connect(
        view->quickWindow(), &QQuickWindow::afterRendering, &app, [&frames] { ++frames; },
        Qt::DirectConnection);
    if (parser.isSet(frameGap))
        preview->setProperty("frameInterval", parser.value(frameGap).toInt());
    int ticks = 0;
    QObject::connect(qobject_cast<KeyboardPreview *>(preview), &KeyboardPreview::ticked, &app,
                     [&ticks] { ++ticks; });

    // Ten key presses a second, A to Z in turn, as the keyboard hook reports them.
    int next = 0;
    QTimer presses;
    QObject::connect(&presses, &QTimer::timeout, &app, [&] {
        view->detectKeyboard(true, uchar(4 + next));
        view->detectKeyboard(false, uchar(4 + next));
        next = (next + 1) % 26;
    });

    const QString backend = QQuickWindow::sceneGraphBackend().isEmpty()
                                ? QStringLiteral("default")
                                : QQuickWindow::sceneGraphBackend();
    out << "scene graph: " << backend << ", graphics API "
        << int(view->quickWindow()->rendererInterface()->graphicsApi()) << ", " << runMs / 1000
        << " s per row, speed level 7, frames at least "
        << preview->property("frameInterval").toInt() << " ms apart\n";
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("effect"), -16)
               .arg(QStringLiteral("CPU %"), 7)
               .arg(QStringLiteral("frames"), 7)
               .arg(QStringLiteral("ticks"), 7);
    out.flush();

    const auto measure = [&](const QString &name) {
        waitFor(500);
        const int ticksBefore = ticks;
        const int framesBefore = frames;
        const double cpuBefore = processSeconds();
        QElapsedTimer wall;
        wall.start();
        waitFor(runMs);
        const double share = 100 * (processSeconds() - cpuBefore) / (double(wall.elapsed()) / 1000);
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(name, -16)
                   .arg(share, 7, 'f', 2)
                   .arg(frames - framesBefore, 7)
                   .arg(ticks - ticksBefore, 7);
        out.flush();
    };

    eval(pages, QStringLiteral("show(2)"));
    waitFor(2000);
    for (int type = 0; type < 12; ++type) {
        eval(preview, QStringLiteral("speedLV = 1"));
        eval(preview, QStringLiteral("play(%1)").arg(type));
        const bool reactive = type == 0x03 || type == 0x05 || type == 0x09;
        if (reactive)
            presses.start(100);
        measure(QString::fromLatin1(effectNames[type]));
        presses.stop();
    }
    eval(preview, QStringLiteral("play(6)"));
    eval(pages, QStringLiteral("show(0)"));
    waitFor(2000);
    measure(QStringLiteral("page hidden"));
    return 0;
}
