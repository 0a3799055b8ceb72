#pragma once

#include "cli/cliresult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What r7ctl hands the running window over its local socket, and the answer: one line of JSON
// each way. The window reads requests as strictly as any file from outside: a bounded size,
// exactly the known fields, and then the same parser as r7ctl's own arguments.
namespace ForwardedRequest
{
// A request is one command line; a few kilobytes hold any that makes sense.
constexpr qsizetype maxRequestBytes = 4096;
// The longest answer is a list of names.
constexpr qsizetype maxReplyBytes = 1 << 20;

struct Request {
    // r7ctl's working folder, absolute: relative file names are r7ctl's, not the window's.
    QString directory;
    QStringList arguments;
};

QByteArray encodeRequest(const Request &request);
// Empty when the line is not exactly a request.
std::optional<Request> decodeRequest(const QByteArray &line);

QByteArray encodeReply(const CliResult &result);
std::optional<CliResult> decodeReply(const QByteArray &line);
} // namespace ForwardedRequest
