#include "../renovo_test.h"
#include "raccourci.h"
#include "settings/frmConfiguration.h"
#include "translation/langues.h"
#include "translation/traductions.h"
#include "widgets/boite_message.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

class TestConfigurationRenovo : public QObject {
    Q_OBJECT

    QTemporaryDir racine;
    colTraductions traductions;
    ParamètresRenovo p;
    std::unique_ptr<frmConfiguration> d;

    // The dialog shown, with the access type chosen as a user does when `type` is given.
    void Ouvre(int type = -1, const QString& fichierLangue = {}, const QStringList& langues = {}) {
        OublieMessages();
        RéponsesSuivantes({QMessageBox::Ok});
        d = std::make_unique<frmConfiguration>(p, traductions, fichierLangue, langues);
        d->show();
        if (type >= 0) {
            d->cboProxyType->setCurrentIndex(type);
            Q_EMIT d->cboProxyType->activated(type);
        }
    }
    QString Fichier(const QByteArray& contenu) {
        ÉcritFichier(racine.filePath(u"Test.lng"_s), contenu);
        return racine.filePath(u"Test.lng"_s);
    }
private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationName(u"Renovo"_s);
        ChargeTraductions(traductions, QString());
        // The system's folder cannot be written, even by root: it lies under a regular file.
        QFile(racine.filePath(u"fichier"_s)).open(QIODevice::WriteOnly);
        qputenv("XDG_CONFIG_DIRS", racine.filePath(u"fichier/xdg"_s).toUtf8());
        qputenv("XDG_CONFIG_HOME", racine.filePath(u"config"_s).toUtf8());
    }
    void init() {
        p = {};
        p.Langue = u"Français"_s;
        p.ProxyType = 2;
        p.ProxyAdresse = u"proxy"_s;
        p.ProxyPort = u"3128"_s;
    }

    void lecture() {
        const QString t = u"[Traduction]\r\n"_s, bloc = u"<TXT_A>bloc\r\nsur deux</TXT_A>\r\n"_s;
        // The file, and what it gives for TXT_A.
        const std::pair<QString, QString> cas[] = {
            {t + u"TXT_A=ligne é"_s, u"ligne é"_s},
            {t + u"TXT_A=ligne\r\n"_s + bloc, u"ligne"_s},
            {t + u"TXT_A=\r\n"_s + bloc, u"bloc\r\nsur deux"_s},
            {u"<txt_a>petit</Txt_A>"_s, u"petit"_s},
            {u"<TXT_A>ouvert"_s, u"défaut"_s},
            {t + u"TXT_B=x"_s, u"défaut"_s},
            {t + u"TXT_B=Fine\r\nTXT_A={TXT_B}"_s, u"Fine"_s},
            {t + u"TXT_A={TXT_B}\r\n<TXT_B>b</TXT_B><TXT_A>a</TXT_A>"_s, u"a"_s},
            {t + u"TXT_A={TXT_B}\r\nTXT_B={TXT_C}\r\nTXT_C=c"_s, u"{TXT_C}"_s},
            {t + u"TXT_A=un§deux"_s, u"un\r\ndeux"_s},
            {t + u"TXT_A=article '§' 3"_s, u"article § 3"_s}};
        for (const auto& [contenu, attendu] : cas)
            QCOMPARE(LitTraduction(Fichier(EnAnsi(contenu)), u"TXT_A"_s, u"défaut"_s), attendu);
        QCOMPARE(LitTraduction(QString(), u"MSG_X"_s, u"a§§b"_s), u"a\r\n\r\nb"_s);
        // An editor's UTF-8: its lines and its blocks alike.
        const QString utf8 =
            Fichier("[Traduction]\r\nTXT_A=\xC3\xA9t\xC3\xA9\r\n<TXT_B>\xC3\xA9</TXT_B>");
        QCOMPARE(LitTraduction(utf8, u"TXT_A"_s, {}) + LitTraduction(utf8, u"TXT_B"_s, {}),
                 u"étéé"_s);
        QCOMPARE(Erreur([this] { LitTraduction(racine.filePath(u"Absent.lng"_s), u"A"_s, {}); }),
                 53);

        // Keys in any letter case; a language file's missing texts stay French.
        colTraductions anglais;
        ChargeTraductions(anglais, Fichier("[Traduction]\r\nTXT_STATUT_OK=Done"));
        QCOMPARE(anglais.Item(u"txt_statut_ok"_s), u"Done"_s);
        QCOMPARE(anglais.Item(u"TXT_STATUT_ERREUR"_s), u"erreur"_s);
    }

    // Windows' primary language numbers (LANG_* of winnt.h); 0 for a language it lacks.
    void codeLangue_data() {
        QTest::addColumn<QLocale::Language>("langue");
        QTest::addColumn<int>("code");
        using enum QLocale::Language;
        const std::pair<QLocale::Language, int> codes[] = {
            {C, 0x09},        {Arabic, 0x01},   {Chinese, 0x04},        {German, 0x07},
            {English, 0x09},  {French, 0x0C},   {Japanese, 0x11},       {NorwegianBokmal, 0x14},
            {Serbian, 0x1A},  {Albanian, 0x1C}, {Swedish, 0x1D},        {Basque, 0x2D},
            {Tsonga, 0x31},   {Maltese, 0x3A},  {Turkmen, 0x42},        {Mongolian, 0x50},
            {Lao, 0x54},      {Konkani, 0x57},  {WesternFrisian, 0x62}, {Corsican, 0x83},
            {Danish, 0x06},   {Thai, 0x1E},     {Turkish, 0x1F},        {Indonesian, 0x21},
            {Persian, 0x29},  {Armenian, 0x2B}, {Georgian, 0x37},       {Swahili, 0x41},
            {Galician, 0x56}, {Esperanto, 0}};
        for (const auto& [langue, code] : codes)
            QTest::addRow("%s", qPrintable(QLocale::languageToString(langue))) << langue << code;
    }
    void codeLangue() {
        QFETCH(QLocale::Language, langue);
        QTEST(int(CodeLangue(QLocale(langue))), "code");
    }
    // Language files lie beside the program, and in share/renovo too for a program in bin/.
    void dossiersLangues() {
        QVERIFY(QDir(racine.path()).mkpath(u"share/renovo"_s));
        QCOMPARE(DossiersLangues(racine.filePath(u"bin"_s)),
                 (QStringList{racine.filePath(u"bin"_s), racine.filePath(u"share/renovo"_s)}));
        QCOMPARE(DossiersLangues(racine.filePath(u"opt"_s)),
                 QStringList{racine.filePath(u"opt"_s)});
    }
    // OK keeps a language in other letter case, or whose file is missing (shown as French).
    void langueInchangee() {
        const QString anglais = Fichier("[Traduction]");
        for (const auto& [langue, fichier, affichée] :
             {std::tuple{u"english"_s, anglais, u"English"_s},
              {u"English"_s, racine.filePath(u"Absent.lng"_s), u"Français"_s}}) {
            p.Langue = langue;
            Ouvre(-1, fichier, {u"English"_s});
            QCOMPARE(d->cboLangue->currentText(), affichée);
            d->btnOK->click();
            QVERIFY(!p.RedémarrageNécessaire && !p.ConfigurationAnnulée &&
                    MessagesAffichés().isEmpty());
            QCOMPARE(p.Langue, langue);
        }
    }

    // A refusal keeps the dialog open and the settings unchanged. OK stores every field and the
    // logon entry, in the user's folder; unticked, removes it.
    void verifie_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("motDePasse");
        QTest::addColumn<QString>("message"); // empty: accepted
        const QString port = u"Pour ce type d'accès, le champ PORT doit contenir une valeur "
                             u"numérique entière comprise entre 0 et 65535..."_s;
        const QString caractère = u"Le caractère « %1 » ne peut pas être enregistré dans la "
                                  u"configuration : seuls les caractères de l'alphabet latin "
                                  u"occidental (Windows-1252) sont acceptés..."_s;
        QTest::newRow("8080") << 2 << u"p"_s << u"8080"_s << u"pé€?"_s << QString();
        QTest::newRow("leading blank") << 2 << u"p"_s << u" 80"_s << QString() << port;
        QTest::newRow("70000") << 2 << u"p"_s << u"70000"_s << QString() << port;
        QTest::newRow("empty address")
            << 2 << QString() << u"80"_s << QString()
            << u"Pour ce type d'accès, le champ ADRESSE doit être renseigné..."_s;
        QTest::newRow("direct, empty") << 1 << QString() << QString() << QString() << QString();
        QTest::newRow("password outside Windows-1252")
            << 0 << QString() << QString() << u"Zażółć"_s << caractère.arg(u"ż"_s);
        QTest::newRow("beyond 16 bits")
            << 0 << QString() << QString() << u"a\U0001D11E"_s << caractère.arg(u"\U0001D11E"_s);
    }
    void verifie() {
        QFETCH(int, type);
        QFETCH(QString, adresse);
        QFETCH(QString, port);
        QFETCH(QString, motDePasse);
        QFETCH(QString, message);
        const bool accepté = message.isEmpty();
        const QString entrée = racine.filePath(u"config/autostart/KorvaneUpdate.desktop"_s);
        Ouvre(type);
        d->chkRechercherMaJOuvertureSession->click();
        d->cboRechercherMaJFréquence->setCurrentIndex(0);
        d->txtProxyAdresse->setText(adresse);
        d->txtProxyPort->setText(port);
        d->txtProxyLogin->setText(u"lui"_s);
        d->txtProxyPassword->setText(motDePasse);
        d->chkProxySiErreurTesterAussiAccèsDirect->setChecked(true);
        QCOMPARE(d->txtProxyPassword->echoMode(), QLineEdit::Password);
        d->btnOK->click();
        QCOMPARE(MessagesAffichés().size(), accepté ? 0 : 1);
        QVERIFY(accepté || (MessagesAffichés()[0].texte == message &&
                            MessagesAffichés()[0].icône == QMessageBox::Warning && d->isVisible()));
        QCOMPARE(std::tuple(p.RechercherMaJOuvertureSession, p.RechercherMaJFréquence, p.ProxyType,
                            p.ProxyAdresse, p.ProxyPort, p.ProxyLogin, p.ProxyPassword,
                            p.ProxySiErreurTesterAussiAccèsDirect, p.ConfigurationAnnulée),
                 accepté ? std::tuple(true, qint16(0), type, adresse, port, u"lui"_s, motDePasse,
                                      true, false)
                         : std::tuple(false, qint16(1), 2, u"proxy"_s, u"3128"_s, QString(),
                                      QString(), false, true));
        QCOMPARE(LitAnsi(entrée).contains(u"\nExec=\""_s + QCoreApplication::applicationFilePath() +
                                          u"\" /startup\n"_s),
                 accepté);
        if (accepté) {
            Ouvre();
            d->chkRechercherMaJOuvertureSession->click();
            d->btnOK->click();
        }
        QVERIFY(!QFile::exists(entrée));
    }

    // Written in the common folder, quoted whatever the path holds; removal leaves no copy.
    // Last, with the next: they let the common folder be written.
    void inscrit() {
        QTemporaryDir racine;
        qputenv("XDG_CONFIG_DIRS", racine.filePath(u"xdg:/etc/xdg"_s).toUtf8());
        qputenv("XDG_CONFIG_HOME", racine.filePath(u"home"_s).toUtf8());
        const QString commun = racine.filePath(u"xdg/autostart/KorvaneUpdate.desktop"_s);
        const QString utilisateur = racine.filePath(u"home/autostart/KorvaneUpdate.desktop"_s);

        InscritDémarrage(u"KorvaneUpdate"_s,
                         racine.filePath(u"Mes programmes/a\"b$c`d\\e%f/Renovo"_s), u"/startup"_s);
        QVERIFY(!QFile::exists(utilisateur));
        QCOMPARE(LitAnsi(commun),
                 u"[Desktop Entry]\nType=Application\nName=KorvaneUpdate\nExec=\""_s +
                     racine.filePath(u"Mes programmes/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f/Renovo\" "
                                     u"/startup\n"_s));

        QVERIFY(CréeRaccourci(utilisateur, racine.filePath(u"Renovo"_s), u"/startup"_s));
        InscritDémarrage(u"KorvaneUpdate"_s, QString(), u"/startup"_s);
        QVERIFY(!QFile::exists(commun) && !QFile::exists(utilisateur));
    }

    // Package removal removes the installed program's entry, not one edited or for a copy.
    void retraitPaquet_data() {
        QTest::addColumn<QString>("programme");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("modification");
        QTest::addColumn<bool>("retirée");
        const QString installé = u"/usr/bin/renovo"_s;
        QTest::newRow("remove") << installé << u"remove"_s << QStringList() << true;
        QTest::newRow("purge, former") << u"/usr/bin/Renovo"_s << u"purge"_s
                                       << QStringList{u"KorvaneUpdate"_s, u"Renovo"_s} << true;
        QTest::newRow("upgrade") << installé << u"upgrade"_s << QStringList() << false;
        QTest::newRow("copy") << u"/opt/renovo/renovo"_s << u"remove"_s << QStringList() << false;
        QTest::newRow("edited") << installé << u"remove"_s
                                << QStringList{u"\nExec"_s, u"\nHidden=true\nExec"_s} << false;
    }
    void retraitPaquet() {
        QFETCH(QString, programme);
        QFETCH(QString, action);
        QFETCH(QStringList, modification);
        QFETCH(bool, retirée);
        QTemporaryDir racine;
        qputenv("XDG_CONFIG_DIRS", racine.filePath(u"etc/xdg"_s).toUtf8());
        InscritDémarrage(u"KorvaneUpdate"_s, programme, u"/startup"_s);
        const QString entrée = racine.filePath(u"etc/xdg/autostart/KorvaneUpdate.desktop"_s);
        if (!modification.isEmpty()) {
            const QString texte = LitAnsi(entrée).replace(modification[0], modification[1]);
            QVERIFY(ÉcritFichier(entrée, texte.toUtf8()));
        }
        qputenv("DPKG_ROOT", racine.path().toUtf8());
        QProcess postrm;
        postrm.start(u"sh"_s, {QStringLiteral(POSTRM_RENOVO), action});
        QVERIFY(postrm.waitForFinished());
        QCOMPARE(postrm.exitCode(), 0);
        QCOMPARE(QFile::exists(entrée), !retirée);
    }
};

QTEST_MAIN(TestConfigurationRenovo)
#include "tst_configuration_renovo.moc"
