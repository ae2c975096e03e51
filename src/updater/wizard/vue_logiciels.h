#pragma once

#include "updates/telechargement_signe.h"

#include <QString>

// An item of the list of programs, as the downloads and the installations read and change it.
struct LogicielDeLaListe {
    QString nom;
    QString tag;
    bool coché = false;
    InstallateurTéléchargé installateur;
};

// The list of programs and the step's list of lines, on the window.
class VueLogiciels {
public:
    virtual ~VueLogiciels() = default;
    virtual int NombreLogiciels() const = 0;
    virtual LogicielDeLaListe Logiciel(int logiciel) const = 0;
    // The item becomes `état`, with `statut` in its status cell.
    virtual void ChangeLogiciel(int logiciel, const LogicielDeLaListe& état,
                                const QString& statut) = 0;
    // A new line, shown before the work it announces starts.
    virtual void AjouteLigne(const QString& ligne) = 0;
    // The line this step added last, whatever was added below it meanwhile.
    virtual void ChangeDernièreLigne(const QString& ligne) = 0;
};
