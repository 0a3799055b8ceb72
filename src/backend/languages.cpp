#include "backend/languages.h"

#include "backend/qt4localenames.h"
#include "storage/folderlisting.h"
#include "storage/listvalues.h"

#include <QDir>
#include <QSettings>

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

QVariantMap Languages::available()
{
    const QDir folder(languageFolder);
    QVariantMap languages;
    const QStringList files =
        entriesNamed(folder, u"lang_", u".ini", QDir::AllEntries | QDir::System | QDir::Hidden,
                     QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        const QString code = file.mid(5, 6);
        languages.insert(displayName(code), code);
    }
    return languages;
}

Languages::Texts Languages::load(const QString &code, int messageCount)
{
    const QSettings language(languageFolder + QStringLiteral("lang_") + code +
                                 QStringLiteral(".ini"),
                             QSettings::IniFormat);
    Texts texts;
    texts.uiTexts.append(language.value(QStringLiteral("font/family")).toString());
    const int total = countAt(language, QStringLiteral("font/total"));
    for (int k = 1; k <= total; ++k)
        texts.uiTexts.append(
            language.value(QStringLiteral("strings/") + QString::number(k)).toString());
    for (int k = 0; k < messageCount; ++k)
        texts.messages.append(
            language.value(QStringLiteral("msg/") + QString::number(k)).toString());
    return texts;
}
