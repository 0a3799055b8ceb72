#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QVariantList>

#include <functional>

class QQuickWidget;

// The root that records the backend's calls instead of drawing anything.
QUrl recordingRoot();

// Collects the calls the recording root receives, in order, with the time each arrived.
class QmlCallRecorder : public QObject
{
    Q_OBJECT

public:
    struct Call {
        QString name;
        QVariantList args;
        qint64 atMs; // on the recorder's clock
    };

    explicit QmlCallRecorder(QQuickWidget *view);

    QList<Call> calls() const { return recorded; }
    QList<Call> named(const QString &name) const;
    QStringList names() const;
    void clear() { recorded.clear(); }
    qint64 now() const { return clock.elapsed(); }

    // Runs inside the QML call, before the root function returns.
    std::function<void(const Call &)> onCall;

private Q_SLOTS:
    void record(const QString &name, const QVariant &args);

private:
    QList<Call> recorded;
    QElapsedTimer clock;
};
