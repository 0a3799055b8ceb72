#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

// A folder standing in for the program's own: it is made current, holds modules/setting/ and
// gives the previous working directory back when it goes.
class TestWorkspace
{
public:
    TestWorkspace();
    ~TestWorkspace();

    bool isValid() const { return folder.isValid(); }
    QString path(const QString &relative) const { return folder.filePath(relative); }

    // Writes an INI settings file under modules/setting/; keys are "group/key".
    void writeSetting(const QString &fileName, const QVariantMap &values) const;
    // Writes any file, creating its folders.
    void writeFile(const QString &relative, const QByteArray &content) const;

private:
    QTemporaryDir folder;
    QString previous;
};

// The process's virtual keyboard back in its factory state: plugged, both interfaces, an
// accepted firmware, answering everything, no fault armed, nothing recorded.
void resetVirtualKeyboard();
