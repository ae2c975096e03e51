#include "ansi.h"
#include "settings/traduction_fenetres.h"
#include "settings/traductions.h"
#include "wizard/erreur_renovo.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class TestTraductions : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    QString Fichier(const QString& contenu) {
        const QString chemin = dossier.filePath(u"Test.lng"_s);
        QFile fichier(chemin);
        if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("fixture");
        fichier.write(EnAnsi(contenu));
        return chemin;
    }

private Q_SLOTS:
    void lecture_data() {
        QTest::addColumn<QString>("contenu");
        QTest::addColumn<QString>("clé");
        QTest::addColumn<QString>("attendu");
        const QString bloc = u"<TXT_A>bloc\r\nsur deux lignes</TXT_A>\r\n"_s;
        QTest::newRow("ligne") << u"[Traduction]\r\nTXT_A=ligne é"_s << u"TXT_A"_s << u"ligne é"_s;
        QTest::newRow("clé en minuscules")
            << u"[traduction]\r\ntxt_a=ligne"_s << u"TXT_A"_s << u"ligne"_s;
        QTest::newRow("ligne avant bloc")
            << u"[Traduction]\r\nTXT_A=ligne\r\n"_s + bloc << u"TXT_A"_s << u"ligne"_s;
        QTest::newRow("ligne vide, bloc")
            << u"[Traduction]\r\nTXT_A=\r\n"_s + bloc << u"TXT_A"_s << u"bloc\r\nsur deux lignes"_s;
        QTest::newRow("bloc en minuscules")
            << u"<txt_a>petit</Txt_A>"_s << u"TXT_A"_s << u"petit"_s;
        QTest::newRow("bloc sans fin") << u"<TXT_A>ouvert"_s << u"TXT_A"_s << u"défaut"_s;
        QTest::newRow("clé absente") << u"[Traduction]\r\nTXT_B=x"_s << u"TXT_A"_s << u"défaut"_s;
        QTest::newRow("alias")
            << u"[Traduction]\r\nTXT_STATUT_OK=Fine\r\nTXT_STATUT_ERREUR={TXT_STATUT_OK}"_s
            << u"TXT_STATUT_ERREUR"_s << u"Fine"_s;
        QTest::newRow("alias sans ligne, bloc de la clé demandée")
            << u"[Traduction]\r\nTXT_A={TXT_B}\r\n<TXT_B>b</TXT_B><TXT_A>a</TXT_A>"_s << u"TXT_A"_s
            << u"a"_s;
        QTest::newRow("alias sans rien")
            << u"[Traduction]\r\nTXT_A={TXT_B}"_s << u"TXT_A"_s << u"défaut"_s;
        QTest::newRow("alias d'un seul niveau")
            << u"[Traduction]\r\nTXT_A={TXT_B}\r\nTXT_B={TXT_C}\r\nTXT_C=c"_s << u"TXT_A"_s
            << u"{TXT_C}"_s;
        QTest::newRow("accolade seule") << u"[Traduction]\r\nTXT_A={"_s << u"TXT_A"_s << u"{"_s;
        QTest::newRow("saut de ligne")
            << u"[Traduction]\r\nTXT_A=un§deux"_s << u"TXT_A"_s << u"un\r\ndeux"_s;
        QTest::newRow("paragraphe littéral")
            << u"[Traduction]\r\nTXT_A=article '§' 3"_s << u"TXT_A"_s << u"article § 3"_s;
    }

    void lecture() {
        QFETCH(QString, contenu);
        QFETCH(QString, clé);
        QTEST(LitTraduction(Fichier(contenu), clé, u"défaut"_s), "attendu");
    }

    void sansFichier() {
        QCOMPARE(LitTraduction(QString(), u"MSG_X"_s, u"a§§b"_s), u"a\r\n\r\nb"_s);
        try {
            LitTraduction(dossier.filePath(u"Absent.lng"_s), u"TXT_A"_s, u"x"_s);
            QFAIL("a missing language file must stop the loading");
        } catch (const ErreurRenovo& erreur) {
            QCOMPARE(erreur.numéro, 53);
        }
    }

    void catalogue() {
        colTraductions traductions;
        ChargeTraductions(traductions, QString());
        QCOMPARE(traductions.Count(), 35);
        QCOMPARE(traductions.Item(1), QString());
        QCOMPARE(traductions.Item(u"txt_statut_ok"_s), u"OK"_s);
        QCOMPARE(traductions.Item(u"CLÉ_ABSENTE"_s), QString());
        QCOMPARE(traductions.Item(36), QString());
        try {
            traductions.Add(u"Txt_Statut_Ok"_s, u"encore"_s);
            QFAIL("a key added twice must raise an error");
        } catch (const ErreurRenovo& erreur) {
            QCOMPARE(erreur.numéro, 457);
        }

        colTraductions anglais;
        ChargeTraductions(anglais, Fichier(u"[Traduction]\r\nTXT_STATUT_OK=Done"_s));
        QCOMPARE(anglais.Item(u"TXT_STATUT_OK"_s), u"Done"_s);
        QCOMPARE(anglais.Item(u"TXT_STATUT_ERREUR"_s), u"erreur"_s);
    }

    // Every text of the catalogue is translated, the file is read as Windows-1252 and its
    // block holds its line breaks.
    void anglais() {
        colTraductions français;
        colTraductions anglais;
        ChargeTraductions(français, QString());
        ChargeTraductions(anglais, QStringLiteral(FICHIER_ANGLAIS));
        QCOMPARE(anglais.Item(u"TraductionIncomplète"_s), QString());
        for (int i = 2; i <= français.Count(); ++i) {
            if (français.Item(i) != u"OK"_s)
                QVERIFY2(anglais.Item(i) != français.Item(i), qPrintable(français.Item(i)));
        }
        QVERIFY(anglais.Item(u"TXT_INTRO_SUITE"_s)
                    .startsWith(u"The process runs in several steps:\r\n   - search"_s));
        QCOMPARE(LitTraduction(QStringLiteral(FICHIER_ANGLAIS), u"lblRépertoire"_s, QString()),
                 u"Folder"_s);
        QCOMPARE(LitTraduction(QStringLiteral(FICHIER_ANGLAIS), u"fraProxy"_s, QString()),
                 u" HTTP proxy settings "_s);
    }

    void codeLangue_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("code");
        QTest::newRow("français") << u"fr_FR"_s << 12;
        QTest::newRow("anglais") << u"en_GB"_s << 9;
        QTest::newRow("C") << u"C"_s << 9;
        QTest::newRow("allemand") << u"de_DE"_s << 7;
        QTest::newRow("espagnol") << u"es_ES"_s << 10;
        QTest::newRow("italien") << u"it_IT"_s << 16;
        QTest::newRow("néerlandais") << u"nl_NL"_s << 19;
        QTest::newRow("portugais") << u"pt_BR"_s << 22;
        QTest::newRow("norvégien") << u"nb_NO"_s << 20;
        QTest::newRow("espéranto") << u"eo"_s << 0;
    }

    void codeLangue() {
        QFETCH(QString, locale);
        QTEST(int(CodeLangue(QLocale(locale))), "code");
    }

    void fenetre() {
        QWidget fenêtre;
        fenêtre.setObjectName(u"frmTest"_s);
        fenêtre.setWindowTitle(u"Titre"_s);
        const auto nommé = [](auto* contrôle, const QString& nom) {
            contrôle->setObjectName(nom);
            return contrôle;
        };
        auto* seul = nommé(new QLabel(u"Seul"_s, &fenêtre), u"lblSeul"_s);
        auto* membre = nommé(new QLabel(u"Deux"_s, &fenêtre), u"lbl"_s);
        membre->setProperty("Index", 2);
        auto* image = nommé(new QLabel(&fenêtre), u"imgImage"_s);
        image->setPixmap(QPixmap(4, 4));
        auto* cadre = nommé(new QGroupBox(u"Cadre"_s, &fenêtre), u"fraCadre"_s);
        auto* case_ = nommé(new QCheckBox(u"Case"_s, cadre), u"chkCase"_s);
        auto* bouton = nommé(new QPushButton(u"&OK"_s, &fenêtre), u"btnOK"_s);
        auto* texte = nommé(new QLineEdit(u"texte"_s, &fenêtre), u"txtTexte"_s);
        auto* liste = new QTreeWidget(&fenêtre);
        CréeColonnes(liste, {{u"COL_NOM"_s, u"Nom"_s}, {u"COL_STATUT"_s, u"Statut"_s}});

        TraduitFeuille(&fenêtre, dossier.filePath(u"Absent.lng"_s));
        QCOMPARE(fenêtre.windowTitle(), u"Titre"_s);

        const QString fichier = Fichier(
            u"[Traduction]\r\nfrmTest=Title\r\nlbl(2)=Two\r\nlbl=Wrong\r\nimgImage=Wrong\r\n"
            u"fraCadre=Frame\r\nchkCase=Box\r\nbtnOK=O&K\r\ntxtTexte=text\r\nCOL_NOM=Name\r\n"
            u"<lblSeul>Alone§here</lblSeul>"_s);
        TraduitFeuille(&fenêtre, fichier);
        TraduitColonnes(liste, fichier);
        QCOMPARE(fenêtre.windowTitle(), u"Title"_s);
        QCOMPARE(seul->text(), u"Alone\nhere"_s);
        QCOMPARE(membre->text(), u"Two"_s);
        QVERIFY(!image->pixmap().isNull());
        QCOMPARE(cadre->title(), u"Frame"_s);
        QCOMPARE(case_->text(), u"Box"_s);
        QCOMPARE(bouton->text(), u"O&K"_s);
        QCOMPARE(texte->text(), u"text"_s);
        QCOMPARE(liste->headerItem()->text(0), u"Name"_s);
        QCOMPARE(liste->headerItem()->text(1), u"Statut"_s);
    }
};

QTEST_MAIN(TestTraductions)
#include "tst_traductions.moc"
