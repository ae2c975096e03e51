#pragma once

// Fixtures of the wizard's tests: uninstall entries, start-up options.

#include "../renovo_test.h"
#include "boite_message.h"
#include "wizard/frmKorvaneUpdate.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

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
