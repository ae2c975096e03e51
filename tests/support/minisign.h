#pragma once

#include "fichiers_test.h"

#include <QProcess>
#include <QTemporaryDir>

// The real minisign command with a key pair of its own, made for one test run, whose secret
// key has no password.
class Minisign {
public:
    // False when minisign failed.
    bool crée() {
        return lance({QStringLiteral("-GW"), QStringLiteral("-p"), cléPublique(),
                      QStringLiteral("-s"), cléSecrète()});
    }
    QString cléSecrète() const { return m_dossier.filePath(QStringLiteral("cle.key")); }
    QString cléPublique() const { return m_dossier.filePath(QStringLiteral("cle.pub")); }

    // Signs the file into `fichier`.minisig, in the legacy format ("Ed") when asked; returns
    // the signature, empty on failure.
    QByteArray signe(const QString& fichier, bool ancien = false) const {
        if (!lance({ancien ? QStringLiteral("-Sl") : QStringLiteral("-S"), QStringLiteral("-s"),
                    cléSecrète(), QStringLiteral("-m"), fichier}))
            return {};
        return LitFichier(fichier + QStringLiteral(".minisig"));
    }

private:
    static bool lance(const QStringList& arguments) {
        QProcess minisign;
        minisign.start(QStringLiteral("minisign"), arguments);
        return minisign.waitForFinished(30'000) && minisign.exitStatus() == QProcess::NormalExit &&
               minisign.exitCode() == 0;
    }

    QTemporaryDir m_dossier;
};
