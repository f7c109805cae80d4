// The macro slots of the view: the macro library files, the encoder, and
// the upload of a macro block to the current device.
#include "backend/bridge/my_qquick_view.h"
#include "backend/feedback/device_feedback.h"
#include "backend/prompts/user_prompts.h"
#include "macro/encoder/macro_encoder.h"
#include "macro/library/macro_library.h"

QVariant myQQuickView::loadMacroIniFromFile()
{
    const QString source =
        userPrompts->openFileName(tr("Open File"), UserPrompts::startFolder(), tr("Macro(*.bin)"));
    if (source.isEmpty())
        return QString();
    QString error;
    const QString name = macros->importMacroIni(source, &error);
    if (name.isEmpty())
        fileNotSaved(tr("MACRO"), tr("The macro was not imported: %1").arg(error), error);
    return name;
}

void myQQuickView::saveMacroIniToFile(QVariant name)
{
    if (!macros->exists(name.toString()))
        return;
    const QString target = userPrompts->saveFileName(
        tr("Save File"), UserPrompts::startFolder(name.toString() + QStringLiteral(".bin")),
        tr("Macro(*.bin)"));
    QString error;
    if (!target.isEmpty() && !macros->exportMacroIni(name.toString(), target, &error))
        fileNotSaved(tr("MACRO"), tr("\"%1\" was not exported: %2").arg(name.toString(), error),
                     error);
}

void myQQuickView::renameMacroIniFile(QVariant oldName, QVariant newName)
{
    macros->renameMacroIniFile(oldName.toString(), newName.toString());
}

QVariant myQQuickView::createMacroIni()
{
    const QString name = macros->createMacroIni();
    if (name.isEmpty())
        deviceFeedback->noteFileNotSaved(macros->directory());
    return name;
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
    if (!result.saved && macros->exists(name.toString()))
        deviceFeedback->noteFileNotSaved(macros->filePath(name.toString()));
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
    if (!macros->setMacroIniConfig(name.toString(), config_, currentDeviceId()) &&
        macros->exists(name.toString()) && config_.size() >= 2)
        deviceFeedback->noteFileNotSaved(macros->filePath(name.toString()));
}

QList<uchar> myQQuickView::macroIncode(QStringList macroLines)
{
    return MacroEncoder::encode(macroLines, currentDeviceId());
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
