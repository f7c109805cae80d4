// The macro slots of the view: the macro library files, the encoder, and
// the upload of a macro block to the current device.
#include "backend/bridge/my_qquick_view.h"
#include "backend/prompts/user_prompts.h"
#include "device/hid_thread.h"
#include "macro/encoder/macro_encoder.h"
#include "macro/library/macro_library.h"

QVariant myQQuickView::loadMacroIniFromFile()
{
    const QString source = userPrompts->openFileName(tr("Open File"), MacroLibrary::desktopFolder(),
                                                     tr("Macro(*.bin)"));
    if (source.isEmpty())
        return QString();
    QString error;
    const QString name = macros->importMacroIni(source, &error);
    if (name.isEmpty())
        userPrompts->failure(tr("MACRO"), tr("The macro was not imported: %1").arg(error));
    return name;
}

void myQQuickView::saveMacroIniToFile(QVariant name)
{
    if (!macros->exists(name.toString()))
        return;
    const QString target = userPrompts->saveFileName(tr("Save File"), MacroLibrary::desktopFolder(),
                                                     tr("Macro(*.bin)"));
    QString error;
    if (!target.isEmpty() && !macros->exportMacroIni(name.toString(), target, &error))
        userPrompts->failure(tr("MACRO"),
                             tr("\"%1\" was not exported: %2").arg(name.toString(), error));
}

void myQQuickView::renameMacroIniFile(QVariant oldName, QVariant newName)
{
    macros->renameMacroIniFile(oldName.toString(), newName.toString());
}

QVariant myQQuickView::createMacroIni()
{
    return macros->createMacroIni();
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    return macros->deleteMacroIni(name.toString());
}

QStringList myQQuickView::getMacroIniNames()
{
    return macros->getMacroIniNames();
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macroLines)
{
    const MacroSaveResult result =
        macros->saveMacroIni(name.toString(), macroLines, currentDeviceId());
    // A bound macro goes to the device at once, so it never plays an
    // outdated version.
    if (result.saved && result.upload) {
        if (result.upload->command == MacroUpload::Command::Mouse13H)
            ui_13H_SetMacroKey(result.upload->macroId, name);
        else
            ui_11H_SetMacroKey(result.upload->macroId, name);
    }
    return result.saved;
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    return macros->loadMacroIni(name.toString());
}

QVariantList myQQuickView::loadMacroIniConfig(QVariant name)
{
    return macros->loadMacroIniConfig(name.toString(), currentDeviceId());
}

void myQQuickView::setMacroIniConfig(QVariant name, QVariantList config_)
{
    macros->setMacroIniConfig(name.toString(), config_, currentDeviceId());
}

QList<uchar> myQQuickView::macroIncode(QStringList macroLines)
{
    return MacroEncoder::macroIncode(macroLines, currentDeviceId());
}

void myQQuickView::ui_13H_SetMacroKey(QVariant macroId, QVariant name)
{
    const QString macroName = name.toString();
    MacroBlock block = MacroEncoder::mouseBlock(macroId.toInt(), macros->loadMacroIni(macroName),
                                                macros->repeatCount(macroName), currentDeviceId());
    if (block.cut)
        userPrompts->warning(tr("MACRO"), tr("Out of memory,\nsome command line has been cut."));
    hidThread->hid_13H_SetMacroKey(block.macroId, reinterpret_cast<uchar *>(block.bytes.data()));
}

void myQQuickView::ui_11H_SetMacroKey(QVariant macroId, QVariant name)
{
    MacroBlock block = MacroEncoder::keyboardBlock(
        macroId.toInt(), macros->loadMacroIni(name.toString()), currentDeviceId());
    if (block.cut) {
        const QStringList msg = msgStrings();
        userPrompts->warning(tr("%1").arg(msg.value(0)), tr("%1").arg(msg.value(1)));
    }
    hidThread->hid_11H_SetMacroKey(block.macroId, reinterpret_cast<uchar *>(block.bytes.data()));
}
