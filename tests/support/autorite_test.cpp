#include "autorite_test.h"

#include "fichiers_test.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

bool OpenSsl(const QString& dossier, const QString& arguments) {
    QProcess openssl;
    openssl.setWorkingDirectory(dossier);
    openssl.start(u"openssl"_s, arguments.split(u' '));
    return openssl.waitForFinished(30000) && openssl.exitStatus() == QProcess::NormalExit &&
           openssl.exitCode() == 0;
}

} // namespace

bool AutoritéTest::crée() {
    QTemporaryDir dossier;
    const QString nouvelle = u"req -x509 -newkey rsa:2048 -nodes -days 2 "_s;
    if (!OpenSsl(dossier.path(),
                 nouvelle + u"-subj /CN=Korvane-test-CA -keyout ca.key -out ca.pem"_s) ||
        !OpenSsl(dossier.path(),
                 nouvelle + u"-subj /CN=127.0.0.1 -keyout srv.key -out srv.pem -CA ca.pem "
                            u"-CAkey ca.key -addext subjectAltName=IP:127.0.0.1,DNS:localhost "
                            u"-addext basicConstraints=CA:FALSE"_s))
        return false;
    autorité = QSslCertificate(LitFichier(dossier.filePath(u"ca.pem"_s)));
    serveur = QSslCertificate(LitFichier(dossier.filePath(u"srv.pem"_s)));
    this->clé = QSslKey(LitFichier(dossier.filePath(u"srv.key"_s)), QSsl::Rsa);
    return !autorité.isNull() && !serveur.isNull() && !this->clé.isNull();
}
