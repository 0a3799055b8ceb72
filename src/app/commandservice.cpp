#include "app/commandservice.h"

#include "app/applog.h"
#include "cli/commandparser.h"
#include "cli/forwardedrequest.h"
#include "view/myqquickview.h"

#include <QLocalSocket>

CommandService::CommandService(myQQuickView *view) : front(view), runner(view->backend(), front) {}

void CommandService::enqueue(QLocalSocket *connection, const QByteArray &request)
{
    queue.append({connection, request});
    // Not from inside the connection's own signal: a command runs events while it waits.
    if (!running)
        QMetaObject::invokeMethod(this, &CommandService::runQueued, Qt::QueuedConnection);
}

void CommandService::runQueued()
{
    if (running)
        return;
    running = true;
    while (!queue.isEmpty()) {
        const auto [connection, line] = queue.takeFirst();
        CliResult result;
        const std::optional<ForwardedRequest::Request> request =
            ForwardedRequest::decodeRequest(line);
        if (!request) {
            qCWarning(lcApp) << "Refusing a malformed request from the command line";
            result =
                CliResult::badUsage(QStringLiteral("r7ctl: the window refused the request.\n"));
        } else {
            const CommandParser::Result parsed =
                CommandParser::parse(request->arguments, request->directory);
            result =
                parsed.command ? runner.run(*parsed.command) : CliResult::badUsage(parsed.error);
            qCInfo(lcApp) << "Carried out" << request->arguments
                          << "for the command line:" << result.status;
        }
        if (connection) {
            connection->write(ForwardedRequest::encodeReply(result));
            connection->disconnectFromServer();
        }
    }
    running = false;
}
