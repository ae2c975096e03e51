#pragma once

#include <QString>

// The updater's settings (section "Config" of Renovo.ini) and the flags of one run. The
// windows read and change them; they reach the file only at start and at exit (and the date
// of the scheduled check, which only that check writes).
struct ParamètresRenovo {
    QString DossierParamètres;
    QString FichierParamètres;

    QString Langue;
    bool RechercherMaJOuvertureSession = false;
    qint16 RechercherMaJFréquence = 1;
    QString RépertoireTéléchargement;
    qint32 ProxyType = 1;
    QString ProxyAdresse;
    QString ProxyPort;
    QString ProxyLogin;
    QString ProxyPassword; // in clear here; scrambled in the file
    bool ProxySiErreurTesterAussiAccèsDirect = false;
    // Base address of the update server (the version script and the installers). The key
    // "AdresseServeur" of the file replaces it; it is read, never written.
    QString AdresseServeur = QStringLiteral("https://www.korvane.example/file/");

    bool ParamètresModifiés = false;
    bool RedémarrageNécessaire = false;
    bool ConfigurationAnnulée = false;
};
