#include "autorite_test.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

bool OpenSsl(const QString& dossier, const QStringList& arguments) {
    QProcess openssl;
    openssl.setWorkingDirectory(dossier);
    openssl.start(u"openssl"_s, arguments);
    return openssl.waitForFinished(30000) && openssl.exitStatus() == QProcess::NormalExit &&
           openssl.exitCode() == 0;
}

QByteArray Lis(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

} // namespace

bool AutoritéTest::crée() {
    QTemporaryDir dossier;
    const QString d = dossier.path();
    QFile extensions(dossier.filePath(u"ext"_s));
    if (!extensions.open(QIODevice::WriteOnly))
        return false;
    extensions.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n");
    extensions.close();
    const QStringList clé{u"-newkey"_s, u"rsa:2048"_s, u"-nodes"_s, u"-days"_s, u"2"_s};
    if (!OpenSsl(d, QStringList{u"req"_s, u"-x509"_s} + clé +
                        QStringList{u"-keyout"_s, u"ca.key"_s, u"-out"_s, u"ca.pem"_s, u"-subj"_s,
                                    u"/CN=Korvane test CA"_s}) ||
        !OpenSsl(d, QStringList{u"req"_s} + clé.mid(0, 3) +
                        QStringList{u"-keyout"_s, u"srv.key"_s, u"-out"_s, u"srv.csr"_s, u"-subj"_s,
                                    u"/CN=127.0.0.1"_s}) ||
        !OpenSsl(d, {u"x509"_s, u"-req"_s, u"-in"_s, u"srv.csr"_s, u"-CA"_s, u"ca.pem"_s,
                     u"-CAkey"_s, u"ca.key"_s, u"-CAcreateserial"_s, u"-days"_s, u"2"_s,
                     u"-extfile"_s, u"ext"_s, u"-out"_s, u"srv.pem"_s}))
        return false;
    autorité = QSslCertificate(Lis(dossier.filePath(u"ca.pem"_s)));
    serveur = QSslCertificate(Lis(dossier.filePath(u"srv.pem"_s)));
    this->clé = QSslKey(Lis(dossier.filePath(u"srv.key"_s)), QSsl::Rsa);
    return !autorité.isNull() && !serveur.isNull() && !this->clé.isNull();
}
