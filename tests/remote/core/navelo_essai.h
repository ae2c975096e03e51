#pragma once

#include "core/frmNavelo.h"
#include "ini_essai.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

// Navelo in a folder of its own, with the sample channel list as today's cache, so that its
// start fetches nothing; `démarre` gives it the stand-in's code, so that it opens no dialog.
struct NaveloEssai {
    QTemporaryDir dossier;
    QStringList lancés; // restarts asked for
    static inline int nombre = 0;
    // One per fixture: a second start in the same one finds the first.
    QString nomInstance = QStringLiteral("navelo-essai-%1").arg(++nombre);

    NaveloEssai() {
        QFile::copy(QStringLiteral(EXEMPLE_CHAINES), dossier.filePath(QStringLiteral("channels")));
    }

    QString ini() const { return dossier.filePath(QStringLiteral("Navelo.ini")); }
    QString litIni() const { return LitConfig(ini()); }

    std::unique_ptr<frmNavelo> crée() {
        OptionsNavelo options;
        options.dossierParamètres = dossier.path();
        options.nomInstance = nomInstance;
        options.lanceur = [this](const QString& programme, const QStringList& arguments,
                                 ModeAffichage mode) {
            if (arguments.isEmpty() && mode == ModeAffichage::RéduitAvecFocus)
                lancés.append(programme);
            return true;
        };
        return std::make_unique<frmNavelo>(options);
    }

    std::unique_ptr<frmNavelo> démarre(const QString& lignes = {}) {
        if (!ÉcritConfig(ini(), u"CodeTélécommande=12345678\r\n" + lignes))
            return nullptr;
        auto fenêtre = crée();
        return fenêtre->Form_Load() ? std::move(fenêtre) : nullptr;
    }
};
