#include "lanceur.h"

#include <QProcess>

#include <windows.h>

bool LanceProgramme(const QString& programme, const QStringList& arguments, ModeAffichage mode) {
    QProcess processus;
    processus.setProgram(programme);
    processus.setArguments(arguments);
    processus.setCreateProcessArgumentsModifier([mode](QProcess::CreateProcessArguments* args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow =
            mode == ModeAffichage::RéduitAvecFocus ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    });
    return processus.startDetached();
}
