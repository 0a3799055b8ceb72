#include "view/myqquickview.h"

#include "storage/strictsettingsreader.h"
#include "view/userfolders.h"

#include <QFileDialog>

QStringList myQQuickView::getMacroIniNames()
{
    return objects.macros().getMacroIniNames();
}

QVariant myQQuickView::createMacroIni()
{
    return objects.macros().createMacroIni();
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    return objects.macros().deleteMacroIni(name);
}

void myQQuickView::renameMacroIniFile(QVariant oldName, QVariant newName)
{
    objects.macros().renameMacroIniFile(oldName, newName);
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    return objects.macros().loadMacroIni(name);
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros)
{
    return objects.macros().saveMacroIni(name, macros);
}

QVariantList myQQuickView::loadMacroIniConfig(QVariant name)
{
    return objects.macros().loadMacroIniConfig(name);
}

void myQQuickView::setMacroIniConfig(QVariant name, QVariantList config)
{
    objects.macros().setMacroIniConfig(name, config);
}

QVariant myQQuickView::getMacroRepeat(QVariant name)
{
    return objects.macros().getMacroRepeat(name);
}

void myQQuickView::initMacroIni(uchar macroCount)
{
    objects.macros().initMacroIni(macroCount);
}

QList<uchar> myQQuickView::macroIncode(QStringList macros, QVariant repeatTimes)
{
    return objects.macros().macroIncode(macros, repeatTimes);
}

void myQQuickView::ui_10H_SetMacroKey(QVariant macroId, QVariant name)
{
    objects.macros().ui_10H_SetMacroKey(macroId, name);
}

void myQQuickView::loadMacroIniFromFile(QVariant name)
{
    const QString source =
        QFileDialog::getOpenFileName(this, tr("Open File"), desktopFolder(), tr("Macro(*.mc)"));
    if (source.isEmpty())
        return;
    const FileRefusal refusal = objects.macros().importMacro(name, source);
    if (refusal != FileRefusal::None)
        showRefusal(refusal, source);
}

void myQQuickView::saveMacroIniToFile(QVariant name)
{
    if (!objects.macros().exists(name))
        return;
    const QString target =
        QFileDialog::getSaveFileName(this, tr("Save File"), desktopFolder(), tr("Macro(*.mc)"));
    if (!target.isEmpty())
        objects.macros().exportMacro(name, target);
}
