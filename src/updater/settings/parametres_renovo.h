#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

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

// Where the settings live. Beside the program in portable use; on an install (the program
// in a "bin" folder with share/renovo beside it) or in a folder that cannot be written, in
// the user's own folder, where an older file left beside the program is moved.
struct EmplacementRenovo {
    QString DossierParamètres;
    QString FichierParamètres;
    bool installé = false;
    QString ancienFichier; // to move into the user's folder; empty when none
};
EmplacementRenovo DétermineEmplacement(const QString& dossierProgramme,
                                       const QString& dossierUtilisateur);

// Creates the user's folder and moves the older file there (it is readable by its owner
// only afterwards; the old one may stay where it could not be deleted). Raises
// ErreurRenovo when the folder cannot be made or the file cannot be copied.
void PrépareDossierParamètres(const EmplacementRenovo& emplacement);

// Every setting but the language, with its default and reading rule. Raises ErreurRenovo
// for a value that must be a number and is not, or a date that reads as none.
void LitParamètres(ParamètresRenovo& p, QDate& dernièreVérification);

// The language and the settings of the configuration dialog, in their order.
void EcritParamètres(const ParamètresRenovo& p);
void EcritRépertoireTéléchargement(const ParamètresRenovo& p);
void EcritDernièreVérification(const ParamètresRenovo& p, const QDate& jour);

// Dates are written dd/MM/yyyy whatever the locale, and read in that form, in the locale's
// short form or as yyyy-MM-dd.
QString TexteDate(const QDate& jour);
QDate LitDate(const QString& texte);

// "/startup" or "/run", in any letter case, alone on the command line.
bool ModeAutomatiqueDemandé(const QStringList& arguments);
