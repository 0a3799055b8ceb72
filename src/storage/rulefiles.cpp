#include "storage/rulefiles.h"

#include "storage/atomicfilecopy.h"
#include "storage/datalocations.h"
#include "storage/strictsettingsreader.h"

#include <QByteArrayList>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <utility>

namespace
{
// A stretch of the file: the lines of one section, or those before the first one.
struct Section {
    int firstLine = 1;
    QByteArray text;
};

QList<Section> sections(const QByteArray &content)
{
    QList<Section> result{Section{}};
    int lineNumber = 0;
    for (const QByteArray &line : content.split('\n')) {
        ++lineNumber;
        if (line.startsWith('['))
            result.append(Section{lineNumber, {}});
        result.last().text += line + '\n';
    }
    return result;
}

bool blankOrComment(const QByteArray &text)
{
    for (const QByteArray &line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(';'))
            return false;
    }
    return true;
}

QString problem(int line, const QString &what)
{
    return QStringLiteral("line %1: %2").arg(line).arg(what);
}

// The sections the strict reader accepts, read back as QSettings reads them.
void readAccepted(const QByteArrayList &accepted, RuleFiles::Content &content)
{
    QTemporaryDir folder;
    if (!folder.isValid() || accepted.isEmpty())
        return;
    const QByteArray text = accepted.join();
    const QString file = folder.filePath(QStringLiteral("rules.bin"));
    if (!writeFileAtomically(text, file))
        return;
    QSettings settings(file, QSettings::IniFormat);
    QList<std::pair<int, QString>> numbered;
    for (const QString &group : settings.childGroups()) {
        if (group == QLatin1String("default")) {
            content.defaultProfile = settings.value(QStringLiteral("default/profile")).toInt();
            continue;
        }
        numbered.append({group.mid(4).toInt(), group});
    }
    std::sort(numbered.begin(), numbered.end());
    for (const auto &[number, group] : numbered) {
        settings.beginGroup(group);
        RuleFiles::Record record;
        record.windowClass = settings.value(QStringLiteral("class")).toString();
        record.title = settings.value(QStringLiteral("title")).toString();
        record.profile = settings.value(QStringLiteral("profile")).toInt();
        settings.endGroup();
        if (record.windowClass.isEmpty() == record.title.isEmpty())
            content.problems.append(
                QStringLiteral("[%1] needs either a class or a title, not both or neither; it "
                               "is skipped.")
                    .arg(group));
        else if (record.profile == 0)
            content.problems.append(
                QStringLiteral("[%1] names no profile; it is skipped.").arg(group));
        else
            content.rules.append(record);
    }
}
} // namespace

QString RuleFiles::path()
{
    return DataLocations::userFolder() + QStringLiteral("/setting/rules.bin");
}

RuleFiles::Content RuleFiles::read(const QString &file)
{
    Content content;
    if (!QFileInfo::exists(file))
        return content;
    const CheckedFile checked = readCheckedFile(file, SettingsKind::ProfileRules);
    const FileRefusal whole = checked.check.refusal;
    // Binary bytes or bad UTF-8 anywhere make it no settings text at all.
    if (whole == FileRefusal::Unreadable || whole == FileRefusal::TooLarge ||
        (whole == FileRefusal::NotText && checked.check.line == 0)) {
        content.problems.append(QStringLiteral("the file is %1; no rule is used.")
                                    .arg(QLatin1String(refusalName(whole))));
        return content;
    }
    // Each section on its own, so that one faulty rule does not take the others with it.
    QByteArrayList accepted;
    for (const Section &section : sections(checked.content)) {
        if (section.firstLine == 1 && !section.text.startsWith('[')) {
            if (!blankOrComment(section.text))
                content.problems.append(
                    problem(1, QStringLiteral("lines before the first [section] are skipped.")));
            continue;
        }
        const SettingsCheck check = checkSettingsText(section.text, SettingsKind::ProfileRules);
        if (check.accepted()) {
            accepted.append(section.text);
            continue;
        }
        const int line = section.firstLine + std::max(check.line, 1) - 1;
        content.problems.append(
            problem(line, QStringLiteral("%1 (%2); the section is skipped.")
                              .arg(QString::fromUtf8(section.text.left(section.text.indexOf('\n'))),
                                   QLatin1String(refusalName(check.refusal)))));
    }
    readAccepted(accepted, content);
    return content;
}

bool RuleFiles::write(const QString &file, const QList<Record> &rules, int defaultProfile)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return false;
    const QString draft = folder.filePath(QStringLiteral("rules.bin"));
    {
        QSettings settings(draft, QSettings::IniFormat);
        settings.setValue(QStringLiteral("default/profile"), defaultProfile);
        for (qsizetype i = 0; i < rules.size(); ++i) {
            settings.beginGroup(QStringLiteral("rule%1").arg(i + 1));
            const Record &record = rules.at(i);
            if (!record.windowClass.isEmpty())
                settings.setValue(QStringLiteral("class"), record.windowClass);
            else
                settings.setValue(QStringLiteral("title"), record.title);
            settings.setValue(QStringLiteral("profile"), record.profile);
            settings.endGroup();
        }
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    return replaceFileAtomically(draft, file);
}
