#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

// The remote's settings (section "Config" of its settings file) and the flags of one run.
// The windows read and change them; they reach the file at start, when the configuration is
// confirmed and at exit.
struct ParamètresNavelo {
    QString FichierIni;
    // Read while FichierIni does not exist, and copied there at the first write: settings
    // beside a program whose folder cannot be written.
    QString FichierIniProgramme;
    QString FichierChaînes;

    QString CodeTélécommande;
    qint16 Version = 5;
    qint16 Hd = 1;
    bool MémoriserPositionFenêtre = true;
    bool FenêtreToujoursAuDessus = false;
    qint16 TailleFenêtrePrincipale = 100;
    qint16 TailleClavier = 100;
    qint16 TailleLogos = 50;

    bool ParamètresModifiés = false;
    bool RedémarrageNécessaire = false;
    bool ClavierAffiché = false;
    bool ListeChaînesAffichée = false;
    // The user was told that FichierIni cannot be written; once is enough.
    bool ÉcritureImpossibleSignalée = false;
};

// Places of the three windows, in twips.
struct PositionsFenêtres {
    QPoint Fenêtre;
    QPoint FenêtreClavier;
    QRect FenêtreListeChaînes;
};

// The file the settings are read from: FichierIni, or FichierIniProgramme until the first
// write.
QString FichierIniLu(const ParamètresNavelo& p);

// Before the settings are written: copies FichierIniProgramme to FichierIni when that one does
// not exist yet. False when FichierIni cannot be written.
bool PrépareÉcriture(const ParamètresNavelo& p);

// Reads the eight settings from FichierIniLu(p) in their order, each with its default. Values
// typed by hand outside the ranges the configuration dialog allows are brought back into
// them, so the windows are always usable.
void LitParamètres(ParamètresNavelo& p);

// Writes the eight settings in their order.
void EcritParamètres(const ParamètresNavelo& p);

// A channel list width or height of 0 or less counts as missing.
PositionsFenêtres LitPositions(const QString& fichierIni, const PositionsFenêtres& défauts);
void EcritPositions(const QString& fichierIni, const PositionsFenêtres& positions);

// The leading decimal number of a text (blanks skipped first); 0 when there is none.
double LitNombre(QStringView texte);
