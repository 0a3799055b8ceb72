#pragma once

#include <QString>

// The names Qt 4.8 gave its QLocale language and country numbers, which language file names
// carry. Numbers outside its enumerations are "Unknown", as Qt 4.8 printed them.
QString qt4LanguageName(int number);
QString qt4CountryName(int number);
