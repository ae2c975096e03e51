#include "installation.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

bool ExécuteEtAttend(const QString& chemin, const QString& dossier) {
    // Absolute, so that a relative download folder is not applied twice.
    const QString programme = QFileInfo(chemin).absoluteFilePath();
    QFile fichier(programme);
    if (fichier.exists())
        fichier.setPermissions(fichier.permissions() | QFileDevice::ExeOwner);

    QProcess processus;
    processus.setProgram(programme);
    processus.setWorkingDirectory(QFileInfo(dossier).absoluteFilePath());
    // The installer talks to the user, not to us: nothing of its output piles up here.
    processus.setProcessChannelMode(QProcess::ForwardedChannels);
    processus.setInputChannelMode(QProcess::ForwardedInputChannel);
    processus.start();
    if (!processus.waitForStarted(-1))
        return false;

    QEventLoop boucle;
    QObject::connect(&processus, &QProcess::finished, &boucle, &QEventLoop::quit);
    if (processus.state() != QProcess::NotRunning)
        boucle.exec();
    // The loop also ends when the program is asked to quit; the installer is never cut short.
    if (processus.state() != QProcess::NotRunning)
        processus.waitForFinished(-1);
    return processus.exitStatus() == QProcess::NormalExit && processus.exitCode() == 0;
}
