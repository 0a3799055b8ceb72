#include "view/myqquickview.h"
#include "view/userfolders.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

QString myQQuickView::getCustomFilePath()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open File"), dialogFolder(QStandardPaths::PicturesLocation),
        tr("Image Files(*.png)"));
    if (path.isEmpty())
        return QString();
    return acceptPicture(path);
}

QString myQQuickView::acceptPicture(const QString &path) const
{
    QFile picture(path);
    if (!picture.open(QIODevice::ReadOnly)) {
        // Both texts come from the language file; the path is appended as it is.
        QMessageBox::warning(nullptr, tr("%1").arg(messages.value(2)),
                             QStringLiteral("%1%2").arg(messages.value(3), path), QMessageBox::Ok);
        return QString();
    }
    return path;
}
