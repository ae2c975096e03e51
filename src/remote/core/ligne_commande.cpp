#include "ligne_commande.h"

#include "commande_touches.h"
#include "emplacements.h"
#include "instance_unique.h"
#include "textes_ligne_commande.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// Long enough for a running remote to send every key, each with its own delay.
int DélaiRemoteMs(qsizetype touches) {
    return static_cast<int>(10'000 + 10'000 * qMin<qsizetype>(touches, 1000));
}

RésultatTouches EnvoieSansTélécommande(const DemandeTouches& demande) {
    ParamètresNavelo paramètres;
    SitueParamètres(paramètres, EmplacementsProgramme(), {});
    LitParamètres(paramètres);
    ExpéditeurTouches expéditeur(paramètres);
    QObject contexte;
    std::optional<RésultatTouches> résultat;
    EnvoieTouches(expéditeur, paramètres, demande, contexte, [&](const RésultatTouches& r) {
        résultat = r;
        QCoreApplication::exit();
    });
    if (!résultat)
        QCoreApplication::exec();
    return résultat.value_or(RésultatTouches{IssueTouches::Injoignable, {}, 0});
}

} // namespace

bool DemandeLigneDeCommande(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1)) {
        if (argument == u"--key"_s || argument.startsWith(u"--key="_s) || argument == u"--long"_s ||
            argument == u"--help"_s || argument == u"-h"_s)
            return true;
    }
    return false;
}

int ExécuteLigneDeCommande(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const TextesLigneCommande textes(
        QFileInfo(QCoreApplication::arguments().constFirst()).fileName());
    QTextStream erreurs(stderr);
    const auto échec = [&](const QString& message, int code) {
        erreurs << message << Qt::endl;
        return code;
    };

    QCommandLineParser analyse;
    const QCommandLineOption touches(u"key"_s, {}, u"NAME"_s);
    const QCommandLineOption longues(u"long"_s);
    const QCommandLineOption aide(QStringList{u"h"_s, u"help"_s});
    analyse.addOptions({touches, longues, aide});
    if (!analyse.parse(QCoreApplication::arguments())) {
        const QStringList inconnues = analyse.unknownOptionNames();
        if (inconnues.isEmpty())
            return échec(textes.ValeurManquante(), 2);
        const QString& option = inconnues.constFirst();
        return échec(textes.OptionInconnue((option.size() == 1 ? u"-"_s : u"--"_s) + option), 2);
    }
    if (analyse.isSet(aide)) {
        QTextStream(stdout) << textes.Aide(NomsDeTouches());
        return 0;
    }
    if (!analyse.positionalArguments().isEmpty())
        return échec(textes.ArgumentInattendu(analyse.positionalArguments().constFirst()), 2);
    if (!analyse.isSet(touches))
        return échec(textes.LongueSansTouches(), 2);

    const DemandeTouches demande{analyse.values(touches).join(u',').split(u','),
                                 analyse.isSet(longues)};
    const QStringList noms = NomsDeTouches();
    for (const QString& touche : demande.touches) {
        if (!noms.contains(touche))
            return échec(textes.ToucheInconnue(touche), 2);
    }

    // Through the running remote, so that its play toggle stays right.
    InstanceUnique instance(NomInstance(u"Navelo"_s, u"WakeUp!"_s));
    const std::optional<QByteArray> réponse =
        instance.EnvoieCommande(CommandeTouches(demande), DélaiRemoteMs(demande.touches.size()));
    std::optional<RésultatTouches> résultat =
        réponse ? LitRéponseTouches(*réponse) : EnvoieSansTélécommande(demande);
    if (!résultat)
        return échec(textes.TélécommandeMuette(), 1);
    if (résultat->issue == IssueTouches::Acceptées)
        return 0;
    return échec(textes.Échec(*résultat), 1);
}
