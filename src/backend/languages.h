#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// The shipped languages, one file "./modules/i18n/lang_<code>.ini" each.
namespace Languages
{
// Display name to code, in display-name order: the settings list stores the language as an
// index into this order. Of two files with the same display name the later one counts.
QVariantMap available();

struct Texts {
    // The font family, then texts 1 to N of the UI text table.
    QStringList uiTexts;
    // "msg/0" to "msg/<count - 1>", empty where missing.
    QStringList messages;
};
Texts load(const QString &code, int messageCount);
} // namespace Languages
