#include "wizard/installation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The catalogue's French texts that the step uses.
QString Texte(const QString& clé) {
    static const QHash<QString, QString> textes = {
        {u"TXT_TRAITEMENT_DU_FICHIER"_s, u"%v de %v... %v"_s},
        {u"TXT_TRAITEMENT_INSTALLATION"_s, u"installation"_s},
        {u"TXT_STATUT_EN_COURS"_s, u"en cours"_s},
        {u"TXT_STATUT_OK"_s, u"OK"_s},
        {u"TXT_STATUT_ERREUR"_s, u"erreur"_s},
        {u"TXT_STATUT_INSTALLEE"_s, u"installée"_s}};
    return textes.value(clé);
}

// A shell-script installer that appends its name to "journal" in its working folder, runs
// `corps`, then exits with `code`.
void Installateur(const QString& chemin, int code, const QString& corps = QString()) {
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(
        u"#!/bin/sh\necho \"$(basename \"$0\") $(pwd)\" >> journal\n%1\nexit %2\n"_s.arg(corps)
            .arg(code)
            .toUtf8());
}

QStringList Journal(const QString& dossier) {
    QFile fichier(QDir(dossier).filePath(u"journal"_s));
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(fichier.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

struct Logiciel {
    QString texte;
    QString tag;
    QString statut;
};

struct Listes : ListesInstallation {
    QList<Logiciel> logiciels;
    QStringList lignes;
    QStringList lignesAjoutées; // as they were when added, before the installer ran

    int NombreLogiciels() const override { return int(logiciels.size()); }
    QString Texte(int i) const override { return logiciels[i].texte; }
    QString Tag(int i) const override { return logiciels[i].tag; }
    void ChangeTag(int i, const QString& tag) override { logiciels[i].tag = tag; }
    void ChangeStatut(int i, const QString& statut) override { logiciels[i].statut = statut; }
    void AjouteLigne(const QString& ligne) override {
        lignes.append(ligne);
        lignesAjoutées.append(ligne);
    }
    void ChangeDernièreLigne(const QString& ligne) override { lignes.last() = ligne; }
};

} // namespace

class TestInstallation : public QObject {
    Q_OBJECT

    QTemporaryDir racine;

private Q_SLOTS:
    // Exit code 0 alone is a success; a program that cannot start is a failure. The program
    // runs in the download folder, whatever our own current folder.
    void executeEtAttend_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("présent");
        QTest::addColumn<bool>("attendu");
        QTest::newRow("0") << 0 << true << true;
        QTest::newRow("1") << 1 << true << false;
        QTest::newRow("3010, restart needed") << 3010 << true << false;
        QTest::newRow("missing") << 0 << false << false;
    }
    void executeEtAttend() {
        QFETCH(int, code);
        QFETCH(bool, présent);
        QFETCH(bool, attendu);
        const QString dossier = racine.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(dossier));
        const QString chemin = dossier + u"/Prog_setup.exe"_s;
        if (présent)
            Installateur(chemin, code);
        const QString courant = QDir::currentPath();

        QCOMPARE(ExécuteEtAttend(chemin, dossier), attendu);
        QCOMPARE(QDir::currentPath(), courant);
        QCOMPARE(Journal(dossier),
                 présent ? QStringList{u"Prog_setup.exe "_s + dossier} : QStringList());
    }

    // The path is one program name: the folder "mes" beside "mes installateurs" is never run.
    // A relative download folder is taken from our current folder once only.
    void dossierAvecBlancs() {
        const QString dossier = racine.filePath(u"mes installateurs"_s);
        QVERIFY(QDir().mkpath(dossier));
        Installateur(racine.filePath(u"mes"_s), 0, u"echo leurre >> journal"_s);
        Installateur(dossier + u"/Prog_setup.exe"_s, 0);
        const QString courant = QDir::currentPath();
        QDir::setCurrent(racine.path());
        const bool réussi =
            ExécuteEtAttend(u"mes installateurs/Prog_setup.exe"_s, u"mes installateurs"_s);
        QDir::setCurrent(courant);
        QVERIFY(réussi);
        QCOMPARE(Journal(dossier), QStringList{u"Prog_setup.exe "_s + dossier});
        QCOMPARE(Journal(racine.path()), QStringList());
    }

    // The installer waits for a file that only a timer of ours creates: it ends only if our
    // events keep running while we wait for it.
    void evenementsPendantAttente() {
        const QString dossier = racine.filePath(u"attente"_s);
        QVERIFY(QDir().mkpath(dossier));
        Installateur(dossier + u"/Prog_setup.exe"_s, 0,
                     u"i=0\nwhile [ ! -e signal ]; do i=$((i+1)); [ $i -gt 600 ] && exit 9; "
                     u"sleep 0.1; done"_s);
        QTimer::singleShot(100, this, [dossier] {
            QFile signal(dossier + u"/signal"_s);
            QVERIFY(signal.open(QIODevice::WriteOnly));
        });
        QVERIFY(ExécuteEtAttend(dossier + u"/Prog_setup.exe"_s, dossier));
    }

    // Only programs downloaded in this run or whose installation failed run, in list order and
    // one at a time; each outcome is recorded in the lists. The delete box removes the file
    // of a success only.
    void boucle_data() {
        QTest::addColumn<bool>("supprimer");
        QTest::newRow("files kept") << false;
        QTest::newRow("files deleted") << true;
    }
    void boucle() {
        QFETCH(bool, supprimer);
        const QString dossier = racine.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(dossier));
        // The first one is still running when it writes its second line.
        Installateur(dossier + u"/Navelo110_setup.exe"_s, 0,
                     u"sleep 0.3; echo fin Navelo >> journal"_s);
        Installateur(dossier + u"/Prog2_200_setup.exe"_s, 1);
        Installateur(dossier + u"/Outil300_setup.exe"_s, 0);
        for (const QString& inutile : {u"Fait150_setup.exe"_s, u"Vide_setup.exe"_s})
            Installateur(dossier + u'/' + inutile, 0);

        Listes listes;
        listes.logiciels = {{u"Navelo"_s, u"TOK|v1.1|110"_s, u"v1.1 téléchargée"_s},
                            {u"Fait"_s, u"IOK|v1.5|150"_s, u"v1.5 installée"_s},
                            {u"Prog2"_s, u"TOK|v2.0|200"_s, u"v2.0 téléchargée"_s},
                            {u"Echec"_s, u"TKO|v1.0|100"_s, u"v1.0 erreur (téléchargement)"_s},
                            {u"Vide"_s, QString(), u"non pris en charge par KorvaneUpdate"_s},
                            {u"AJour"_s, u"|v1.0|100"_s, u"OK"_s},
                            {u"Outil"_s, u"IKO|v3.0|300"_s, u"v3.0 erreur (installation)"_s}};
        InstalleLogiciels(listes, dossier, supprimer, Texte);

        QCOMPARE(
            Journal(dossier),
            (QStringList{u"Navelo110_setup.exe "_s + dossier, u"fin Navelo"_s,
                         u"Prog2_200_setup.exe "_s + dossier, u"Outil300_setup.exe "_s + dossier}));
        QCOMPARE(listes.lignesAjoutées,
                 (QStringList{u"Installation de Navelo110_setup.exe... en cours"_s,
                              u"Installation de Prog2_200_setup.exe... en cours"_s,
                              u"Installation de Outil300_setup.exe... en cours"_s}));
        QCOMPARE(listes.lignes, (QStringList{u"Installation de Navelo110_setup.exe... OK"_s,
                                             u"Installation de Prog2_200_setup.exe... erreur"_s,
                                             u"Installation de Outil300_setup.exe... OK"_s}));
        QStringList tags, statuts;
        for (const Logiciel& logiciel : std::as_const(listes.logiciels)) {
            tags.append(logiciel.tag);
            statuts.append(logiciel.statut);
        }
        QCOMPARE(tags,
                 (QStringList{u"IOK|v1.1|110"_s, u"IOK|v1.5|150"_s, u"IKO|v2.0|200"_s,
                              u"TKO|v1.0|100"_s, QString(), u"|v1.0|100"_s, u"IOK|v3.0|300"_s}));
        QCOMPARE(
            statuts,
            (QStringList{u"v1.1 installée"_s, u"v1.5 installée"_s, u"v2.0 erreur (installation)"_s,
                         u"v1.0 erreur (téléchargement)"_s,
                         u"non pris en charge par KorvaneUpdate"_s, u"OK"_s, u"v3.0 installée"_s}));
        QStringList restants = QDir(dossier).entryList({u"*_setup.exe"_s}, QDir::Files);
        QStringList attendus{u"Fait150_setup.exe"_s, u"Prog2_200_setup.exe"_s, u"Vide_setup.exe"_s};
        if (!supprimer)
            attendus += {u"Navelo110_setup.exe"_s, u"Outil300_setup.exe"_s};
        restants.sort();
        attendus.sort();
        QCOMPARE(restants, attendus);
    }
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
