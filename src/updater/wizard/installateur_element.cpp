#include "installateur_element.h"

#include <QStringList>
#include <QTreeWidgetItem>

namespace {

// Past the roles of the window's own data on items (grey state, tag, check).
constexpr int rôleInstallateur = Qt::UserRole + 8;

} // namespace

InstallateurTéléchargé InstallateurÉlément(const QTreeWidgetItem* élément) {
    const QStringList champs = élément->data(0, rôleInstallateur).toStringList();
    if (champs.size() != 3)
        return {};
    return {champs.at(0), champs.at(1), champs.at(2).toLatin1()};
}

void DéfinitInstallateurÉlément(QTreeWidgetItem* élément,
                                const InstallateurTéléchargé& installateur) {
    élément->setData(0, rôleInstallateur,
                     QStringList{installateur.chemin, installateur.nomServeur,
                                 QString::fromLatin1(installateur.signature)});
}
