#pragma once

#include <QByteArray>
#include <QString>

// Makes `target` a byte-for-byte copy of `source` without ever leaving it half written: the copy
// goes to a temporary file in the target's folder, which is then renamed over the target.
// Returns false, with the target as it was, when the source cannot be read completely or the
// copy cannot be put in place. Copying a file onto itself succeeds and changes nothing.
bool replaceFileAtomically(const QString &source, const QString &target);

// Makes `target` hold exactly `content`, the same way: written beside it, then renamed over it.
bool writeFileAtomically(const QByteArray &content, const QString &target);
