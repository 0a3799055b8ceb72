#include "runningprogram.h"

#include "app/widget.h"
#include "copyfolder.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QTest>
#include <QTimer>

namespace
{
QtMessageHandler defaultHandler = nullptr;

bool isInterfaceMessage(const QMessageLogContext &context, const QString &text)
{
    const QString category = QString::fromLatin1(context.category ? context.category : "");
    return category.startsWith(QLatin1String("qml")) || category.startsWith(QLatin1String("js")) ||
           category.startsWith(QLatin1String("qt.qml")) || text.contains(QLatin1String("qrc:")) ||
           text.contains(QLatin1String("file:modules"));
}

void recordInterfaceWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg && isInterfaceMessage(context, text))
        interfaceWarnings().append(text);
    defaultHandler(type, context, text);
}

} // namespace

void watchInterfaceWarnings()
{
    if (!defaultHandler)
        defaultHandler = qInstallMessageHandler(recordInterfaceWarnings);
}

QStringList &interfaceWarnings()
{
    static QStringList warnings;
    return warnings;
}

void onNextModal(const std::function<void(QWidget *)> &act)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->isModal()) {
                poll->stop();
                poll->deleteLater();
                act(window);
                return;
            }
        }
    });
    poll->start(20);
}

QVariant qmlValue(QObject *object, const QString &code)
{
    QQmlExpression expression(qmlContext(object), object, code);
    const QVariant value = expression.evaluate();
    if (expression.hasError())
        qWarning() << "QML test expression failed:" << code << expression.error();
    return value;
}

Program::Program(int speed, const std::function<void(const TestWorkspace &)> &prepare)
{
    copyFolder(QStringLiteral(R7_MODULES_DIR), workspace.path(QStringLiteral("modules")));
    if (prepare)
        prepare(workspace);
    widget = std::make_unique<Widget>();
    widget->checkDevice();
    widget->showNormal();
    widget->startUI();
    // The interface loads the stored speed with "initUI"; the test's speed goes in after that
    // and before the start-up animation, which the event handled after this call queues.
    QMetaObject::invokeMethod(
        root(), [this, speed] { setSpeed(speed); }, Qt::QueuedConnection);
}

Program::~Program() = default;

void Program::setSpeed(int speed) const
{
    if (speed > 0)
        set(QStringLiteral("_Page_Globalsetting._AnimationSpeed = %1").arg(speed));
}

myQQuickView *Program::view() const
{
    return widget->uiController()->uiView();
}

QQuickItem *Program::root() const
{
    return view()->rootObject();
}

QObject *Program::keyboardScope() const
{
    return root()->findChild<QObject *>("_fkPage");
}

QVariant Program::eval(const QString &code, QObject *scope) const
{
    return qmlValue(scope ? scope : root(), code);
}

bool Program::started() const
{
    return root()->isVisible() && eval(QStringLiteral("startUpLeft")).toInt() == 0 &&
           page(QStringLiteral("_fkPage.visible")).toBool() &&
           !page(QStringLiteral("pa_X.running")).toBool() &&
           eval(QStringLiteral("upItem.y")).toInt() == 0;
}

void Program::click(QPointF at, Qt::MouseButton button) const
{
    QTest::mouseClick(view(), button, {}, at.toPoint());
}
