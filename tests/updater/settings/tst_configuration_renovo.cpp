#include "settings/frmConfiguration.h"
#include "settings/traductions.h"
#include "widgets/boite_message.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString messageAdresse = u"Pour ce type d'accès, le champ ADRESSE doit être renseigné..."_s;
const QString messagePort = u"Pour ce type d'accès, le champ PORT doit contenir une valeur "
                            u"numérique entière comprise entre 0 et 65535..."_s;
const QString messageLangue = u"Le changement de langue de l'interface sera pris en compte "
                              u"après redémarrage du logiciel..."_s;

ParamètresRenovo Paramètres() {
    ParamètresRenovo p;
    p.Langue = u"English"_s;
    p.RechercherMaJFréquence = 2;
    p.ProxyType = 2;
    p.ProxyAdresse = u"proxy.example"_s;
    p.ProxyPort = u"3128"_s;
    p.ProxyLogin = u"moi"_s;
    p.ProxyPassword = u"secret"_s;
    return p;
}

auto Valeurs(const ParamètresRenovo& p) {
    return std::tuple(p.Langue, p.RechercherMaJOuvertureSession, p.RechercherMaJFréquence,
                      p.ProxyType, p.ProxyAdresse, p.ProxyPort, p.ProxyLogin, p.ProxyPassword,
                      p.ProxySiErreurTesterAussiAccèsDirect);
}

QStringList Messages() {
    QStringList textes;
    for (const MessageAffiché& m : MessagesAffichés()) {
        const bool avertissement =
            m.titre == u"Renovo" && m.icône == QMessageBox::Warning && m.boutons == QMessageBox::Ok;
        textes.append(avertissement ? m.texte : u"(not a warning) "_s + m.texte);
    }
    return textes;
}

} // namespace

class TestConfigurationRenovo : public QObject {
    Q_OBJECT

    QTemporaryDir racine;
    QString fichierAnglais;
    colTraductions traductions;
    ParamètresRenovo p;
    std::unique_ptr<frmConfiguration> dialogue;

    void Ouvre(const QString& fichierLangue, const QStringList& langues) {
        dialogue = std::make_unique<frmConfiguration>(p, traductions, fichierLangue, langues);
        dialogue->show();
        QApplication::setActiveWindow(dialogue.get());
        QVERIFY(QTest::qWaitForWindowActive(dialogue.get()));
    }

    void ChoisitAccès(int type) {
        dialogue->cboProxyType->setCurrentIndex(type);
        Q_EMIT dialogue->cboProxyType->activated(type);
    }

private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationName(u"Renovo"_s);
        ChargeTraductions(traductions, QString());
        fichierAnglais = racine.filePath(u"English.lng"_s);
        QFile fichier(fichierAnglais);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write("[Traduction]\r\nCodeLangue=9\r\n");
        // The system folder cannot be written, even by root: it lies under a regular file.
        QFile obstacle(racine.filePath(u"fichier"_s));
        QVERIFY(obstacle.open(QIODevice::WriteOnly));
        qputenv("XDG_CONFIG_DIRS", racine.filePath(u"fichier/xdg"_s).toUtf8());
        qputenv("XDG_CONFIG_HOME", racine.filePath(u"config"_s).toUtf8());
    }

    void init() {
        OublieMessages();
        RéponsesSuivantes(QList<QMessageBox::StandardButton>(4, QMessageBox::Ok));
        p = Paramètres();
    }

    // Address and port only for a named proxy, the credentials and the direct retry for every
    // type but direct; the frequency only with the logon box checked. The password shows
    // bullets.
    void etats_data() {
        QTest::addColumn<int>("type");
        QTest::newRow("browser's settings") << 0;
        QTest::newRow("direct") << 1;
        QTest::newRow("named proxy") << 2;
    }
    void etats() {
        QFETCH(int, type);
        Ouvre(QString(), {});
        QVERIFY(!dialogue->cboRechercherMaJFréquence->isEnabled());
        QCOMPARE(dialogue->cboProxyType->currentIndex(), 2);
        ChoisitAccès(type);
        QCOMPARE(dialogue->txtProxyAdresse->isEnabled(), type == 2);
        QCOMPARE(dialogue->txtProxyPort->isEnabled(), type == 2);
        QCOMPARE(dialogue->txtProxyLogin->isEnabled(), type != 1);
        QCOMPARE(dialogue->txtProxyPassword->isEnabled(), type != 1);
        QCOMPARE(dialogue->chkProxySiErreurTesterAussiAccèsDirect->isEnabled(), type != 1);
        if (type == 2)
            QCOMPARE(QApplication::focusWidget(), dialogue->txtProxyAdresse);
        QCOMPARE(dialogue->txtProxyPassword->echoMode(), QLineEdit::Password);

        QTest::mouseClick(dialogue->chkRechercherMaJOuvertureSession, Qt::LeftButton, {},
                          QPoint(5, dialogue->chkRechercherMaJOuvertureSession->height() / 2));
        QVERIFY(dialogue->cboRechercherMaJFréquence->isEnabled());
        QCOMPARE(dialogue->cboRechercherMaJFréquence->currentText(), u"Une fois par mois"_s);
    }

    // Only a named proxy needs an address and a port of digits from 0 to 65535. A refused field
    // keeps the dialog open with the focus on it and nothing stored.
    void verifie_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("message"); // empty when accepted
        QTest::newRow("8080") << 2 << u"proxy"_s << u"8080"_s << QString();
        QTest::newRow("65535") << 2 << u"proxy"_s << u"65535"_s << QString();
        QTest::newRow("empty address") << 2 << QString() << u"x"_s << messageAdresse;
        QTest::newRow("70000") << 2 << u"proxy"_s << u"70000"_s << messagePort;
        QTest::newRow("letter") << 2 << u"proxy"_s << u"80a"_s << messagePort;
        QTest::newRow("leading blank") << 2 << u"proxy"_s << u" 80"_s << messagePort;
        QTest::newRow("empty port") << 2 << u"proxy"_s << QString() << messagePort;
        QTest::newRow("beyond 64 bits")
            << 2 << u"proxy"_s << u"99999999999999999999"_s << messagePort;
        QTest::newRow("direct, empty") << 1 << QString() << QString() << QString();
        QTest::newRow("browser's, any port") << 0 << QString() << u"x"_s << QString();
    }
    void verifie() {
        QFETCH(int, type);
        QFETCH(QString, adresse);
        QFETCH(QString, port);
        QFETCH(QString, message);
        p.Langue = u"Français"_s;
        Ouvre(QString(), {});
        ChoisitAccès(type);
        dialogue->txtProxyAdresse->setText(adresse);
        dialogue->txtProxyPort->setText(port);
        QTest::mouseClick(dialogue->btnOK, Qt::LeftButton);
        QCOMPARE(Messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(dialogue->isVisible(), !message.isEmpty());
        QCOMPARE(p.ConfigurationAnnulée, !message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(std::tuple(p.ProxyType, p.ProxyAdresse, p.ProxyPort),
                     std::tuple(type, adresse, port));
        } else {
            QCOMPARE(QApplication::focusWidget(), message == messageAdresse
                                                      ? dialogue->txtProxyAdresse
                                                      : dialogue->txtProxyPort);
            QCOMPARE(p.ProxyPort, Paramètres().ProxyPort);
        }
    }

    // French alone without a language file; the restart is asked for only when another
    // language is chosen.
    void langues_data() {
        QTest::addColumn<bool>("fichiers");
        QTest::addColumn<QString>("choix");
        QTest::newRow("no language file") << false << QString();
        QTest::newRow("same language") << true << u"English"_s;
        QTest::newRow("other language") << true << u"Français"_s;
    }
    void langues() {
        QFETCH(bool, fichiers);
        QFETCH(QString, choix);
        if (fichiers)
            Ouvre(fichierAnglais, {u"English"_s});
        else
            Ouvre(QString(), {});
        QStringList liste;
        for (int i = 0; i < dialogue->cboLangue->count(); ++i)
            liste.append(dialogue->cboLangue->itemText(i));
        const QStringList attendue =
            fichiers ? QStringList{u"Français"_s, u"English"_s} : QStringList{u"Français"_s};
        QCOMPARE(liste, attendue);
        QCOMPARE(dialogue->cboLangue->isEnabled(), fichiers);
        QCOMPARE(dialogue->cboLangue->currentText(), fichiers ? u"English"_s : u"Français"_s);
        if (!choix.isEmpty())
            dialogue->cboLangue->setCurrentText(choix);

        QTest::mouseClick(dialogue->btnOK, Qt::LeftButton);
        const bool changée = dialogue->cboLangue->currentText() != u"English";
        QCOMPARE(Messages(), changée ? QStringList{messageLangue} : QStringList());
        QCOMPARE(p.RedémarrageNécessaire, changée);
        QCOMPARE(p.Langue, dialogue->cboLangue->currentText());
    }

    // Cancel stores nothing; OK stores every field and writes the logon entry, in the user's
    // folder since the system one is refused; OK with the box unchecked removes it.
    void enregistre() {
        const QString entrée = racine.filePath(u"config/autostart/KorvaneUpdate.desktop"_s);
        Ouvre(QString(), {});
        dialogue->chkRechercherMaJOuvertureSession->setChecked(true);
        dialogue->txtProxyPort->setText(u"8080"_s);
        QTest::mouseClick(dialogue->btnAnnuler, Qt::LeftButton);
        QVERIFY(!dialogue->isVisible());
        QVERIFY(p.ConfigurationAnnulée);
        QCOMPARE(Valeurs(p), Valeurs(Paramètres()));
        QVERIFY(!QFile::exists(entrée));

        Ouvre(QString(), {});
        dialogue->chkRechercherMaJOuvertureSession->setChecked(true);
        dialogue->cboRechercherMaJFréquence->setCurrentIndex(0);
        ChoisitAccès(0);
        dialogue->txtProxyLogin->setText(u"lui"_s);
        dialogue->txtProxyPassword->setText(u"motdepasse"_s);
        dialogue->chkProxySiErreurTesterAussiAccèsDirect->setChecked(true);
        QTest::mouseClick(dialogue->btnOK, Qt::LeftButton);
        QVERIFY(!dialogue->isVisible());
        QVERIFY(!p.ConfigurationAnnulée);
        QCOMPARE(Valeurs(p),
                 std::tuple(u"Français"_s, true, qint16(0), qint32(0), u"proxy.example"_s,
                            u"3128"_s, u"lui"_s, u"motdepasse"_s, true));
        QFile fichier(entrée);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        const QString exec =
            u"\nExec=\""_s + QCoreApplication::applicationFilePath() + u"\" /startup\n"_s;
        QVERIFY(QString::fromUtf8(fichier.readAll()).contains(exec));
        fichier.close();

        Ouvre(QString(), {});
        QVERIFY(dialogue->chkRechercherMaJOuvertureSession->isChecked());
        dialogue->chkRechercherMaJOuvertureSession->setChecked(false);
        QTest::mouseClick(dialogue->btnOK, Qt::LeftButton);
        QVERIFY(!p.RechercherMaJOuvertureSession);
        QVERIFY(!QFile::exists(entrée));
    }
};

QTEST_MAIN(TestConfigurationRenovo)
#include "tst_configuration_renovo.moc"
