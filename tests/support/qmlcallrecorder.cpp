#include "qmlcallrecorder.h"

#include <QJSValue>
#include <QQuickItem>
#include <QQuickWidget>
#include <QTest>

QUrl recordingRoot()
{
    return QUrl::fromLocalFile(QStringLiteral(R7_TEST_QML_DIR "/RecordingRoot.qml"));
}

QmlCallRecorder::QmlCallRecorder(QQuickWidget *view)
{
    clock.start();
    QObject *root = view->rootObject();
    if (!root)
        QTest::qFail("The recording root did not load", __FILE__, __LINE__);
    else
        connect(root, SIGNAL(received(QString, QVariant)), this, SLOT(record(QString, QVariant)));
}

QList<QmlCallRecorder::Call> QmlCallRecorder::named(const QString &name) const
{
    QList<Call> matching;
    for (const Call &call : recorded)
        if (call.name == name)
            matching.append(call);
    return matching;
}

QStringList QmlCallRecorder::names() const
{
    QStringList list;
    for (const Call &call : recorded)
        list.append(call.name);
    return list;
}

void QmlCallRecorder::record(const QString &name, const QVariant &args)
{
    QVariant plain = args;
    if (plain.canConvert<QJSValue>())
        plain = plain.value<QJSValue>().toVariant();
    recorded.append(Call{name, plain.toList(), clock.elapsed()});
    if (onCall)
        onCall(recorded.constLast());
}
