#pragma once

#include "app/windowfront.h"
#include "cli/commandrunner.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>

class QLocalSocket;
class myQQuickView;

// Carries out the commands r7ctl hands the running window, one at a time and each exactly
// once, through the objects the window's pages use. A command waits for the keyboard with
// events running, so requests that arrive meanwhile queue behind it: two commands' reports
// never interleave on the wire.
class CommandService : public QObject
{
    Q_OBJECT

public:
    explicit CommandService(myQQuickView *view);

public Q_SLOTS:
    void enqueue(QLocalSocket *connection, const QByteArray &request);

private:
    void runQueued();

    WindowFront front;
    CommandRunner runner;
    QList<QPair<QPointer<QLocalSocket>, QByteArray>> queue;
    bool running = false;
};
