#pragma once

// The wizard under test, in a folder of its own, against the local update server.

#include "../renovo_test.h"
#include "boite_message.h"
#include "minisign.h"
#include "quand_ouvert.h"
#include "serveur_maj.h"
#include "wizard/elements_logiciels.h"
#include "wizard/frmKorvaneUpdate.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

// Name, version, status, check and tag of each program.
inline QStringList Éléments(const QTreeWidget* liste) {
    QStringList éléments;
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* é = liste->topLevelItem(i);
        éléments << QStringList{é->text(0), é->text(1), é->text(2),
                                é->checkState(0) == Qt::Checked ? u"x"_s : QString(), TagÉlément(é)}
                        .join(u';');
    }
    return éléments;
}

// A line of a list; empty when there is none, so that a fault fails rather than crashes.
inline QString Ligne(const QListWidget* liste, int i) {
    return liste->item(i) ? liste->item(i)->text() : QString();
}

inline const QString enCoursDe = u"Téléchargement de Navelo110_setup.exe... "_s;

struct BancAssistant {
    std::unique_ptr<QTemporaryDir> dossier;
    QStringList lancés;
    ServeurMaj serveur;
    Minisign éditeur;
    std::unique_ptr<frmKorvaneUpdate> f;

    bool Démarre() {
        QCoreApplication::setApplicationName(u"Renovo"_s);
        return serveur.écoute() != 0 && éditeur.crée();
    }
    // Navelo 1.0 registered; the server offers Navelo 1.1 and Prog2 1.5.
    void Prépare() {
        f.reset();
        dossier = std::make_unique<QTemporaryDir>();
        Inscrit({u"Navelo"_s, u"1.0"_s});
        lancés.clear();
        OublieMessages();
        serveur.options = {};
        serveur.options.catalogue = u"Navelo=1.1.0\nProg2=1.5.0"_s;
        serveur.options.dossierInstallateurs = Chemin(u"serveur"_s);
        serveur.oublieRequêtes();
    }
    bool Ouvre(OptionsRenovo options) {
        f = std::make_unique<frmKorvaneUpdate>(std::move(options));
        return f->Form_Load();
    }
    QString Chemin(const QString& nom) const { return dossier->filePath(nom); }
    void Écrit(const QString& nom, const QString& contenu) {
        QVERIFY(ÉcritFichier(Chemin(nom), EnAnsi(contenu)));
    }
    QString Lit(const QString& nom) const { return LitAnsi(Chemin(nom)); }
    // The user's uninstall entries, none machine-wide: names, each followed by its version.
    void Inscrit(const QStringList& logiciels) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(Chemin(u"donnees"_s)));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(Chemin(u"systeme"_s)));
        for (qsizetype i = 0; i + 1 < logiciels.size(); i += 2)
            Écrit(
                u"donnees/korvane/uninstall/%1.ini"_s.arg(logiciels[i]),
                u"[Uninstall]\r\nPublisher=Korvane\r\nDisplayName=%1 v%2\r\nDisplayVersion=%2\r\n"_s
                    .arg(logiciels[i], logiciels[i + 1]));
    }
    // A French start on 7 December 2026; restarts are recorded, never made.
    OptionsRenovo Options(const QStringList& arguments = {}) {
        return {.dossierProgramme = dossier->path(),
                .dossierUtilisateur = Chemin(u"utilisateur"_s),
                .arguments = arguments,
                .codeLangueSystème = [] { return qint16(12); },
                .horloge = [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 0)); },
                .programme = u"/opt/korvane/Renovo"_s,
                .lanceur = [this](const QString& programme, const QStringList&,
                                  ModeAffichage) { return lancés.append(programme), true; },
                .nomInstance = {}};
    }
    // Three programs, and settings for the local server and a download folder, `ligne` first.
    OptionsRenovo OptionsEnLigne(const QStringList& arguments = {}, const QString& ligne = {}) {
        Inscrit({u"Inconnu"_s, u"1.0"_s, u"Navelo"_s, u"1.0.0"_s, u"Prog2"_s, u"1.5"_s});
        QDir(dossier->path()).mkpath(u"téléchargements"_s);
        Écrit(u"Renovo.ini"_s, u"[Config]\r\n%3Langue=Français\r\nAdresseServeur=http://127.0.0.1:"
                               u"%1/file/\r\nRépertoireTéléchargement=%2\r\n"_s.arg(serveur.port())
                                   .arg(Chemin(u"téléchargements"_s), ligne));
        return Options(arguments);
    }
};
