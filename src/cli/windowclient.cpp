#include "cli/windowclient.h"

#include "cli/clilog.h"

#include <QDeadlineTimer>
#include <QLocalSocket>

namespace
{
// Twenty commands queued behind each other, each with a slow keyboard's waits.
constexpr int answerTimeoutMs = 60000;

CliResult noAnswer()
{
    return CliResult::keyboardProblem(
        QStringLiteral("r7ctl: the R7 Configurator window runs but did not carry the command "
                       "out. Make the change in the window, or close it and try again.\n"));
}
} // namespace

CliResult forwardToWindow(QLocalSocket &window, const ForwardedRequest::Request &request)
{
    window.write(ForwardedRequest::encodeRequest(request));
    if (!window.waitForBytesWritten(answerTimeoutMs))
        return noAnswer();
    const QDeadlineTimer deadline(answerTimeoutMs);
    QByteArray answer;
    while (!answer.endsWith('\n') && answer.size() <= ForwardedRequest::maxReplyBytes) {
        if (!window.bytesAvailable() && !window.waitForReadyRead(int(deadline.remainingTime())))
            break;
        answer += window.readAll();
    }
    const std::optional<CliResult> result = ForwardedRequest::decodeReply(answer);
    if (!result) {
        qCWarning(lcCli) << "The window's answer is not one:" << answer.left(200);
        return noAnswer();
    }
    return *result;
}
