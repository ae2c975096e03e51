#include "../renovo_test.h"
#include "settings/traduction_fenetres.h"
#include "settings/traductions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

class TestTraductions : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    QString Fichier(const QString& contenu) {
        const QString chemin = dossier.filePath(u"Test.lng"_s);
        if (!ÉcritFichier(chemin, EnAnsi(contenu)))
            qFatal("fixture");
        return chemin;
    }

private Q_SLOTS:
    void lecture_data() {
        QTest::addColumn<QString>("contenu");
        QTest::addColumn<QString>("attendu"); // of TXT_A
        const auto ligne = [](const char* nom, const QString& contenu, const QString& attendu) {
            QTest::newRow(nom) << contenu << attendu;
        };
        const QString t = u"[Traduction]\r\n"_s, bloc = u"<TXT_A>bloc\r\nsur deux</TXT_A>\r\n"_s;
        ligne("ligne", t + u"TXT_A=ligne é"_s, u"ligne é"_s);
        ligne("clé en minuscules", u"[traduction]\r\ntxt_a=ligne"_s, u"ligne"_s);
        ligne("ligne avant bloc", t + u"TXT_A=ligne\r\n"_s + bloc, u"ligne"_s);
        ligne("ligne vide, bloc", t + u"TXT_A=\r\n"_s + bloc, u"bloc\r\nsur deux"_s);
        ligne("bloc en minuscules", u"<txt_a>petit</Txt_A>"_s, u"petit"_s);
        ligne("bloc sans fin", u"<TXT_A>ouvert"_s, u"défaut"_s);
        ligne("clé absente", t + u"TXT_B=x"_s, u"défaut"_s);
        ligne("alias", t + u"TXT_B=Fine\r\nTXT_A={TXT_B}"_s, u"Fine"_s);
        ligne("alias sans ligne, bloc de la clé demandée",
              t + u"TXT_A={TXT_B}\r\n<TXT_B>b</TXT_B><TXT_A>a</TXT_A>"_s, u"a"_s);
        ligne("alias sans rien", t + u"TXT_A={TXT_B}"_s, u"défaut"_s);
        ligne("alias d'un seul niveau", t + u"TXT_A={TXT_B}\r\nTXT_B={TXT_C}\r\nTXT_C=c"_s,
              u"{TXT_C}"_s);
        ligne("accolade seule", t + u"TXT_A={"_s, u"{"_s);
        ligne("saut de ligne", t + u"TXT_A=un§deux"_s, u"un\r\ndeux"_s);
        ligne("paragraphe littéral", t + u"TXT_A=article '§' 3"_s, u"article § 3"_s);
    }
    void lecture() {
        QFETCH(QString, contenu);
        QTEST(LitTraduction(Fichier(contenu), u"TXT_A"_s, u"défaut"_s), "attendu");
    }

    void catalogue() {
        QCOMPARE(LitTraduction(QString(), u"MSG_X"_s, u"a§§b"_s), u"a\r\n\r\nb"_s);
        QCOMPARE(Erreur([this] { LitTraduction(dossier.filePath(u"Absent.lng"_s), u"A"_s, {}); }),
                 53);
        colTraductions traductions;
        ChargeTraductions(traductions, QString());
        QCOMPARE(traductions.Count(), 35);
        QCOMPARE(traductions.Item(u"txt_statut_ok"_s), u"OK"_s);
        QCOMPARE(traductions.Item(1) + traductions.Item(36) + traductions.Item(u"CLÉ_ABSENTE"_s),
                 QString());
        QCOMPARE(Erreur([&] { traductions.Add(u"Txt_Statut_Ok"_s, u"encore"_s); }), 457);

        colTraductions anglais;
        ChargeTraductions(anglais, Fichier(u"[Traduction]\r\nTXT_STATUT_OK=Done"_s));
        QCOMPARE(anglais.Item(u"TXT_STATUT_OK"_s), u"Done"_s);
        QCOMPARE(anglais.Item(u"TXT_STATUT_ERREUR"_s), u"erreur"_s);
    }

    // Every text of the catalogue is translated, the file is read as Windows-1252 and its
    // block holds its line breaks.
    void anglais() {
        colTraductions français, anglais;
        ChargeTraductions(français, QString());
        ChargeTraductions(anglais, QStringLiteral(FICHIER_ANGLAIS));
        QCOMPARE(anglais.Item(u"TraductionIncomplète"_s), QString());
        for (int i = 2; i <= français.Count(); ++i)
            QVERIFY2(français.Item(i) == u"OK"_s || anglais.Item(i) != français.Item(i),
                     qPrintable(français.Item(i)));
        QVERIFY(anglais.Item(u"TXT_INTRO_SUITE"_s)
                    .startsWith(u"The process runs in several steps:\r\n   - search"_s));
        QCOMPARE(LitTraduction(QStringLiteral(FICHIER_ANGLAIS), u"lblRépertoire"_s, QString()),
                 u"Folder"_s);
        QCOMPARE(LitTraduction(QStringLiteral(FICHIER_ANGLAIS), u"fraProxy"_s, QString()),
                 u" HTTP proxy settings "_s);
    }

    void codeLangue() {
        for (const auto& [locale, code] : {std::pair{"fr_FR", 12},
                                           {"en_GB", 9},
                                           {"C", 9},
                                           {"de_DE", 7},
                                           {"es_ES", 10},
                                           {"it_IT", 16},
                                           {"nl_NL", 19},
                                           {"pt_BR", 22},
                                           {"nb_NO", 20},
                                           {"eo", 0}})
            QCOMPARE(CodeLangue(QLocale(QString::fromLatin1(locale))), code);
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
        QCOMPARE((QStringList{fenêtre.windowTitle(), seul->text(), membre->text(), cadre->title(),
                              case_->text(), bouton->text(), texte->text(),
                              liste->headerItem()->text(0), liste->headerItem()->text(1)}),
                 (QStringList{u"Title"_s, u"Alone\nhere"_s, u"Two"_s, u"Frame"_s, u"Box"_s,
                              u"O&K"_s, u"text"_s, u"Name"_s, u"Statut"_s}));
        QVERIFY(!image->pixmap().isNull());
    }
};

QTEST_MAIN(TestTraductions)
#include "tst_traductions.moc"
