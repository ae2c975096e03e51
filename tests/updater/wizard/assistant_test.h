#pragma once

// Fixtures of the wizard's tests: files, uninstall entries, start-up options.

#include "ansi.h"
#include "wizard/frmKorvaneUpdate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

// Writes a whole file, its folders included.
inline bool ÉcritFichier(const QString& chemin, const QByteArray& contenu) {
    QDir().mkpath(QFileInfo(chemin).path());
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly) && fichier.write(contenu) == contenu.size();
}

inline QString LitAnsi(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? DepuisAnsi(fichier.readAll()) : QString();
}

// The user's uninstall entries under `racine`, none machine-wide; `logiciels` holds names
// and versions.
inline void InscritLogiciels(const QString& racine, const QStringList& logiciels) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(racine + u"/donnees"_s));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(racine + u"/systeme"_s));
    QDir().mkpath(racine + u"/donnees/korvane/uninstall"_s);
    for (qsizetype i = 0; i + 1 < logiciels.size(); i += 2) {
        const QByteArray nom = logiciels[i].toLatin1(), version = logiciels[i + 1].toLatin1();
        ÉcritFichier(racine + u"/donnees/korvane/uninstall/"_s + logiciels[i] + u".ini"_s,
                     "[Uninstall]\r\nPublisher=Korvane\r\nDisplayName=" + nom + " v" + version +
                         "\r\nDisplayVersion=" + version + "\r\n");
    }
}

// A French start in `dossier` on 7 December 2026; restarts are recorded, never made.
inline OptionsRenovo OptionsTest(const QString& dossier, const QStringList& arguments = {},
                                 QStringList* lancés = nullptr) {
    OptionsRenovo options;
    options.dossierProgramme = dossier;
    options.dossierUtilisateur = dossier + u"/utilisateur"_s;
    options.arguments = arguments;
    options.codeLangueSystème = [] { return qint16(12); };
    options.horloge = [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 0)); };
    options.programme = u"/opt/korvane/Renovo"_s;
    options.lanceur = [lancés](const QString& programme, const QStringList&, ModeAffichage) {
        if (lancés)
            lancés->append(programme);
        return true;
    };
    return options;
}
