#include "backend/profilerules.h"

namespace
{
// Qt's own wildcard conversion keeps "*" from matching "/", as in file names; a title is no path.
QRegularExpression titlePattern(const QString &pattern)
{
    QString expression;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*'))
            expression += QStringLiteral(".*");
        else if (c == QLatin1Char('?'))
            expression += QLatin1Char('.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::CaseInsensitiveOption |
                                  QRegularExpression::DotMatchesEverythingOption);
}
} // namespace

ProfileRules ProfileRules::load(const QString &path, int profileCount)
{
    ProfileRules result;
    RuleFiles::Content read = RuleFiles::read(path);
    result.file.problems = read.problems;
    const auto unknown = [&](int profile, const QString &what) {
        result.file.problems.append(QStringLiteral("%1 names profile %2, but the keyboard has "
                                                   "profiles 1 to %3; it is skipped.")
                                        .arg(what)
                                        .arg(profile)
                                        .arg(profileCount));
    };
    for (const RuleFiles::Record &record : std::as_const(read.rules)) {
        if (record.profile > profileCount) {
            unknown(record.profile,
                    record.windowClass.isEmpty()
                        ? QStringLiteral("the rule for title \"%1\"").arg(record.title)
                        : QStringLiteral("the rule for class \"%1\"").arg(record.windowClass));
            continue;
        }
        result.file.rules.append(record);
        result.titles.append(record.title.isEmpty() ? QRegularExpression()
                                                    : titlePattern(record.title));
    }
    if (read.defaultProfile > profileCount)
        unknown(read.defaultProfile, QStringLiteral("the default"));
    else
        result.file.defaultProfile = read.defaultProfile;
    return result;
}

int ProfileRules::profileFor(const Window &window) const
{
    for (qsizetype i = 0; i < file.rules.size(); ++i) {
        const RuleFiles::Record &rule = file.rules.at(i);
        const bool matches =
            rule.title.isEmpty()
                ? (window.instance.compare(rule.windowClass, Qt::CaseInsensitive) == 0 ||
                   window.windowClass.compare(rule.windowClass, Qt::CaseInsensitive) == 0)
                : titles.at(i).match(window.title).hasMatch();
        if (matches)
            return rule.profile - 1;
    }
    return file.defaultProfile - 1;
}
