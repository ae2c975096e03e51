#include "ecriture_impossible.h"

#include "widgets/boite_message.h"

#include <QDir>

using namespace Qt::StringLiterals;

void SignaleÉcritureImpossible(QWidget* parent, ParamètresNavelo& paramètres) {
    if (std::exchange(paramètres.ÉcritureImpossibleSignalée, true))
        return;
    AfficheMessage(
        parent, QMessageBox::Warning, u"Attention"_s,
        u"Impossible d'enregistrer les paramètres dans le fichier %1...\n\n"
        u"Vérifiez que ce fichier et son dossier sont accessibles en écriture : "
        u"sans cela, les modifications seront perdues à la fermeture de la Navelo."_s.arg(
            QDir::toNativeSeparators(paramètres.FichierIni)),
        QMessageBox::Ok);
}
