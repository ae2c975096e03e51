#include "settings/traductions.h"
#include "wizard/installation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// A shell-script installer that appends its name and working folder to "journal" there, runs
// `corps`, then exits with `code`.
void Installateur(const QString& chemin, int code, const QString& corps = QString()) {
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(
        u"#!/bin/sh\necho \"$(basename \"$0\") $(pwd)\" >> journal\n%1\nexit %2\n"_s.arg(corps)
            .arg(code)
            .toUtf8());
}

QString Journal(const QString& dossier) {
    QFile fichier(QDir(dossier).filePath(u"journal"_s));
    return fichier.open(QIODevice::ReadOnly) ? QString::fromUtf8(fichier.readAll()) : QString();
}

struct Listes : ListesInstallation {
    QStringList textes, tags, statuts, lignes;
    QStringList lignesAjoutées; // as they were while their installer ran

    int NombreLogiciels() const override { return int(textes.size()); }
    QString Texte(int i) const override { return textes[i]; }
    QString Tag(int i) const override { return tags[i]; }
    void ChangeTag(int i, const QString& tag) override { tags[i] = tag; }
    void ChangeStatut(int i, const QString& statut) override { statuts[i] = statut; }
    void AjouteLigne(const QString& ligne) override { lignes << ligne, lignesAjoutées << ligne; }
    void ChangeDernièreLigne(const QString& ligne) override { lignes.last() = ligne; }
    bool Arrêtée() const override { return false; }
};

} // namespace

class TestInstallation : public QObject {
    Q_OBJECT

    QTemporaryDir racine;

private Q_SLOTS:
    // Only programs downloaded in this run or whose installation failed run, in list order and
    // one after the other, in the download folder; exit code 0 alone is a success. The delete
    // box removes the file of a success only. The folder's blanks are part of the path: the
    // program "a" beside the folder "a b" never runs. Our own current folder is unchanged.
    void boucle_data() {
        QTest::addColumn<bool>("supprimer");
        QTest::newRow("files kept") << false;
        QTest::newRow("files deleted") << true;
    }
    void boucle() {
        QFETCH(bool, supprimer);
        const QString parent = racine.filePath(QString::fromLatin1(QTest::currentDataTag()));
        const QString dossier = parent + u"/a b"_s;
        QVERIFY(QDir().mkpath(dossier));
        Installateur(parent + u"/a"_s, 0);
        // The first one is still running when it writes its second line.
        Installateur(dossier + u"/Navelo110_setup.exe"_s, 0, u"sleep 0.3; echo fin >> journal"_s);
        Installateur(dossier + u"/Prog2_200_setup.exe"_s, 1);
        Installateur(dossier + u"/Outil300_setup.exe"_s, 0);
        Installateur(dossier + u"/Relance1_setup.exe"_s, 3010);
        for (const QString& inutile : {u"Fait150_setup.exe"_s, u"Vide_setup.exe"_s})
            Installateur(dossier + u'/' + inutile, 0);

        Listes l;
        l.textes = {u"Navelo"_s, u"Fait"_s,  u"Prog2"_s,   u"Echec"_s, u"Vide"_s,
                    u"AJour"_s,  u"Outil"_s, u"Relance"_s, u"Absent"_s};
        l.tags = {u"TOK|v1.1|110"_s, u"IOK|v1.5|150"_s, u"TOK|v2.0|200"_s,
                  u"TKO|v1.0|100"_s, QString(),         u"|v1.0|100"_s,
                  u"IKO|v3.0|300"_s, u"TOK|v0.1|1"_s,   u"TOK|v4|4"_s};
        l.statuts = QStringList(l.textes.size(), u"avant"_s);
        const QString courant = QDir::currentPath();
        colTraductions traductions;
        ChargeTraductions(traductions, QString());
        InstalleLogiciels(l, dossier, supprimer, traductions);

        QCOMPARE(QDir::currentPath(), courant);
        QCOMPARE(Journal(dossier),
                 u"Navelo110_setup.exe %1\nfin\nProg2_200_setup.exe %1\n"
                 u"Outil300_setup.exe %1\nRelance1_setup.exe %1\n"_s.arg(dossier));
        QCOMPARE(Journal(parent), QString());
        const QStringList fichiers = {u"Navelo110"_s, u"Prog2_200"_s, u"Outil300"_s, u"Relance1"_s,
                                      u"Absent4"_s};
        const QStringList états = {u"OK"_s, u"erreur"_s, u"OK"_s, u"erreur"_s, u"erreur"_s};
        for (int i = 0; i < fichiers.size(); ++i) {
            QCOMPARE(l.lignesAjoutées[i],
                     u"Installation de %1_setup.exe... en cours"_s.arg(fichiers[i]));
            QCOMPARE(l.lignes[i],
                     u"Installation de %1_setup.exe... %2"_s.arg(fichiers[i], états[i]));
        }
        QCOMPARE(l.lignes.size(), fichiers.size());
        QCOMPARE(l.tags, (QStringList{u"IOK|v1.1|110"_s, u"IOK|v1.5|150"_s, u"IKO|v2.0|200"_s,
                                      u"TKO|v1.0|100"_s, QString(), u"|v1.0|100"_s,
                                      u"IOK|v3.0|300"_s, u"IKO|v0.1|1"_s, u"IKO|v4|4"_s}));
        QCOMPARE(l.statuts,
                 (QStringList{u"v1.1 installée"_s, u"avant"_s, u"v2.0 erreur (installation)"_s,
                              u"avant"_s, u"avant"_s, u"avant"_s, u"v3.0 installée"_s,
                              u"v0.1 erreur (installation)"_s, u"v4 erreur (installation)"_s}));
        QStringList restants = QDir(dossier).entryList({u"*_setup.exe"_s}, QDir::Files);
        QStringList attendus{u"Fait150_setup.exe"_s, u"Prog2_200_setup.exe"_s,
                             u"Relance1_setup.exe"_s, u"Vide_setup.exe"_s};
        if (!supprimer)
            attendus += {u"Navelo110_setup.exe"_s, u"Outil300_setup.exe"_s};
        restants.sort();
        attendus.sort();
        QCOMPARE(restants, attendus);
    }

    // The installer waits for a file that only a timer of ours creates: it ends only if our
    // events keep running while we wait for it.
    void evenementsPendantAttente() {
        const QString dossier = racine.path();
        Installateur(dossier + u"/Prog_setup.exe"_s, 0,
                     u"i=0\nwhile [ ! -e signal ]; do i=$((i+1)); [ $i -gt 600 ] && exit 9; "
                     u"sleep 0.1; done"_s);
        QTimer::singleShot(100, this, [dossier] {
            QFile signal(dossier + u"/signal"_s);
            QVERIFY(signal.open(QIODevice::WriteOnly));
        });
        QVERIFY(ExécuteEtAttend(dossier + u"/Prog_setup.exe"_s, dossier));
    }
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
