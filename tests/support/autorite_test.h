#pragma once

#include <QSslCertificate>
#include <QSslKey>

// A certificate authority made for one test run with the openssl command, and the
// certificate of a server on 127.0.0.1 that it signed. Nothing is trusted until a test adds
// `autorité` to its TLS configuration.
struct AutoritéTest {
    // False when openssl failed.
    bool crée();

    QSslCertificate autorité;
    QSslCertificate serveur;
    QSslKey clé;
};
