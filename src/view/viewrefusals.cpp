#include "view/myqquickview.h"

#include "storage/strictsettingsreader.h"

#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace
{
// The language files' [msg] block of refused and set-aside files: a title, one text per
// refusal in the order of FileRefusal, then the title and text of the start-up notice.
constexpr int refusedTitle = 20;
constexpr int firstRefusalText = 21; // FileRefusal::Unreadable
constexpr int setAsideTitle = 28;
constexpr int setAsideText = 29;
} // namespace

void myQQuickView::showRefusal(FileRefusal refusal, const QString &file) const
{
    const int text = firstRefusalText + int(refusal) - int(FileRefusal::Unreadable);
    QMessageBox::warning(nullptr, messages.value(refusedTitle),
                         messages.value(text) + QStringLiteral("\n\n") +
                             QDir::toNativeSeparators(file),
                         QMessageBox::Ok);
}

void myQQuickView::showSetAsideFiles()
{
    const QStringList setAsideFiles = objects.takeSetAsideFiles();
    if (setAsideFiles.isEmpty())
        return;
    QStringList names;
    for (const QString &file : setAsideFiles)
        names.append(
            QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(file))));
    // After the start-up hand-shake, not inside it: the box runs its own event loop.
    QTimer::singleShot(0, this, [this, names] {
        QMessageBox::warning(nullptr, messages.value(setAsideTitle),
                             messages.value(setAsideText) + names.join(QLatin1Char('\n')),
                             QMessageBox::Ok);
    });
}

void myQQuickView::showMacroTooLong() const
{
    QMessageBox::warning(nullptr, tr("%1").arg(messages.value(0)), tr("%1").arg(messages.value(1)),
                         QMessageBox::Ok);
}
