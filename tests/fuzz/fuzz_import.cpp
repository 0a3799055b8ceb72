// Profile and macro import of any file, through the view as the dialogs reach it, followed by
// the reads the pages make: a refused file changes nothing, an accepted one is read safely.

#include "storage/strictsettingsreader.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace
{
struct Workspace {
    QTemporaryDir folder;
    std::unique_ptr<myQQuickView> view;
};

Workspace *workspace = nullptr;

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    // A new file each time: ext4 flushes a file truncated and rewritten in place to the disk
    // when it is closed, which would make the run about the disk.
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(content) != content.size())
        abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    // A refusal is logged; millions of them would make the run about the log.
    QLoggingCategory::setFilterRules(QStringLiteral("r7.*=false"));
    workspace = new Workspace;
    QDir::setCurrent(workspace->folder.path());
    writeFile(QStringLiteral("modules/setting/HWDef.bin"), "[common]\nmaxProfile=1\nmaxMacro=1\n");
    writeFile(QStringLiteral("modules/macro/M.bin"), "[config]\nindex=-1\ntotal=0\n");
    workspace->view = std::make_unique<myQQuickView>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    myQQuickView &view = *workspace->view;
    const QString source = QStringLiteral("shared.in");
    writeFile(source,
              QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));

    // A refused import returns before anything is written, so only an accepted file is read
    // back the way the pages read it.
    if (view.backend().profiles().importProfile(0, source) == FileRefusal::None) {
        static_cast<void>(view.ui_88H_GetLEDType());
        static_cast<void>(view.ui_B0H_GetColor());
        static_cast<void>(view.ui_92H_GetUserPicture(0));
        static_cast<void>(view.getKeydefine(0));
    }
    if (view.backend().macros().importMacro(QStringLiteral("M"), source) == FileRefusal::None) {
        static_cast<void>(view.loadMacroIni(QStringLiteral("M")));
        static_cast<void>(view.loadMacroIniConfig(QStringLiteral("M")));
        static_cast<void>(view.getMacroRepeat(QStringLiteral("M")));
    }
    return 0;
}
