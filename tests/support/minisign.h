#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The real minisign command with a key pair of its own, made for one test run, whose secret
// key has no password.
class Minisign {
public:
    // False when minisign failed.
    bool crée();

    QString cléSecrète() const { return m_dossier.filePath(QStringLiteral("cle.key")); }
    QString cléPublique() const { return m_dossier.filePath(QStringLiteral("cle.pub")); }

    // Signs the file into `fichier`.minisig, in the legacy format ("Ed") when asked, under the
    // trusted comment minisign makes; returns the signature, empty on failure.
    QByteArray signe(const QString& fichier, bool ancien = false) const;

private:
    QTemporaryDir m_dossier;
};
