#include "elements_logiciels.h"

#include <QStringList>
#include <QTreeWidgetItem>

namespace {

enum Rôle : int {
    rôleGrisé = Qt::UserRole,
    rôleTag,
    rôleInstallateur,
    // The check state last seen.
    rôleCoché,
};

} // namespace

void GriseÉlément(QTreeWidgetItem* élément) {
    élément->setData(0, rôleGrisé, true);
    élément->setFlags(élément->flags() & ~Qt::ItemIsUserCheckable);
    élément->setCheckState(0, Qt::Unchecked);
    élément->setDisabled(true);
}

bool ÉlémentGrisé(const QTreeWidgetItem* élément) {
    return élément->data(0, rôleGrisé).toBool();
}

QString TagÉlément(const QTreeWidgetItem* élément) {
    return élément->data(0, rôleTag).toString();
}

void DéfinitTagÉlément(QTreeWidgetItem* élément, const QString& tag) {
    élément->setData(0, rôleTag, tag);
}

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

bool CocheChangée(QTreeWidgetItem* élément) {
    const int état = élément->checkState(0);
    if (élément->data(0, rôleCoché) == QVariant(état))
        return false;
    élément->setData(0, rôleCoché, état);
    return true;
}
