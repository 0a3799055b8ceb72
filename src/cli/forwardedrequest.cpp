#include "cli/forwardedrequest.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
const QString versionKey = QStringLiteral("r7ctl");
const QString directoryKey = QStringLiteral("directory");
const QString argumentsKey = QStringLiteral("arguments");
constexpr int protocolVersion = 1;
constexpr qsizetype maxArguments = 16;

std::optional<QJsonObject> objectOf(const QByteArray &line, qsizetype limit)
{
    if (line.size() > limit || !line.endsWith('\n') || line.count('\n') != 1)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

QByteArray line(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}
} // namespace

QByteArray ForwardedRequest::encodeRequest(const Request &request)
{
    return line({{versionKey, protocolVersion},
                 {directoryKey, request.directory},
                 {argumentsKey, QJsonArray::fromStringList(request.arguments)}});
}

std::optional<ForwardedRequest::Request> ForwardedRequest::decodeRequest(const QByteArray &text)
{
    const std::optional<QJsonObject> object = objectOf(text, maxRequestBytes);
    if (!object || object->size() != 3 || object->value(versionKey) != protocolVersion ||
        !object->value(directoryKey).isString() || !object->value(argumentsKey).isArray())
        return std::nullopt;
    Request request;
    request.directory = object->value(directoryKey).toString();
    if (!QDir::isAbsolutePath(request.directory))
        return std::nullopt;
    const QJsonArray arguments = object->value(argumentsKey).toArray();
    if (arguments.isEmpty() || arguments.size() > maxArguments)
        return std::nullopt;
    for (const QJsonValue &argument : arguments) {
        if (!argument.isString())
            return std::nullopt;
        request.arguments.append(argument.toString());
    }
    return request;
}

QByteArray ForwardedRequest::encodeReply(const CliResult &result)
{
    return line({{QStringLiteral("status"), result.status},
                 {QStringLiteral("out"), result.out},
                 {QStringLiteral("err"), result.err}});
}

std::optional<CliResult> ForwardedRequest::decodeReply(const QByteArray &text)
{
    const std::optional<QJsonObject> object = objectOf(text, maxReplyBytes);
    if (!object)
        return std::nullopt;
    const int status = object->value(QStringLiteral("status")).toInt(-1);
    if (status != CliResult::Done && status != CliResult::KeyboardProblem &&
        status != CliResult::BadUsage)
        return std::nullopt;
    return CliResult{status, object->value(QStringLiteral("out")).toString(),
                     object->value(QStringLiteral("err")).toString()};
}
