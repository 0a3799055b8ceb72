#pragma once

#include <QDir>
#include <QStringList>
#include <QStringView>

// The entries of `folder` that `filters` admits whose names begin with `prefix` and end with
// `suffix`, ignoring case, in the order `sort` gives: what QDir's name filter "prefix*suffix"
// lists. QDir matches its name filters through the regular expression engine, which would then
// be loaded and compiled on every start for these few plain lookups.
QStringList entriesNamed(const QDir &folder, QStringView prefix, QStringView suffix,
                         QDir::Filters filters, QDir::SortFlags sort);
