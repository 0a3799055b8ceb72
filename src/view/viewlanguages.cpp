#include "view/myqquickview.h"

#include "backend/qt4localenames.h"
#include "storage/filelimits.h"

#include <QDir>
#include <QSettings>

#include <algorithm>

namespace
{
const QString languageFolder = QStringLiteral("./modules/i18n/");

// "lang_LLLCCC.ini": a Qt 4.8 language number and a country number, 000 for none. The two
// Chinese scripts are told apart by country, shown as the script's short name.
QString displayName(const QString &code)
{
    const QString language = qt4LanguageName(code.left(3).toInt()).toUpper();
    const int country = code.mid(3, 3).toInt();
    if (country == 0)
        return language;
    if (country == 44)
        return language + QStringLiteral(" (Simp)");
    if (country == 208)
        return language + QStringLiteral(" (Trad)");
    return language + QStringLiteral(" (") + qt4CountryName(country).toUpper() + QLatin1Char(')');
}
} // namespace

// Display name to code, in display-name order: the settings list stores the language as an
// index into this order. Of two files with the same display name the later one counts.
QVariantMap myQQuickView::chkLanguages()
{
    const QDir folder(languageFolder);
    QVariantMap languages;
    const QStringList files = folder.entryList({QStringLiteral("lang_*.ini")},
                                               QDir::AllEntries | QDir::System | QDir::Hidden,
                                               QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        const QString code = file.mid(5, 6);
        languages.insert(displayName(code), code);
    }
    return languages;
}

// [font family, text 1, ..., text N]; the message texts ("msg/0" ... "msg/39") stay with the
// view. Each feature that tells the user something owns a block of ten numbers.
QStringList myQQuickView::getGlobalStrings(QString langCode)
{
    const QSettings language(languageFolder + QStringLiteral("lang_") + langCode +
                                 QStringLiteral(".ini"),
                             QSettings::IniFormat);
    QStringList texts{language.value(QStringLiteral("font/family")).toString()};
    const int total =
        std::clamp(language.value(QStringLiteral("font/total"), 0).toInt(), 0, maxCountedEntries);
    for (int k = 1; k <= total; ++k)
        texts.append(language.value(QStringLiteral("strings/") + QString::number(k)).toString());

    messages.clear();
    for (int k = 0; k < messageCount; ++k)
        messages.append(language.value(QStringLiteral("msg/") + QString::number(k)).toString());
    if (accessProblem)
        sendDeviceAccessMessage();
    return texts;
}
