#include "multitap.h"

QStringList ChargeTableMultiTap() {
    QStringList collection;
    for (const QStringView entrée : TableMultiTap.tokenize(u'|'))
        collection.append(entrée.toString());
    return collection;
}

QString RechercheMultiTap(const QStringList& collection, QStringView texteTouche) {
    if (texteTouche.size() != 2 || texteTouche.front() != MarqueurCaractère)
        return {};
    const QStringView caractère = texteTouche.sliced(1);
    for (const QString& entrée : collection) {
        if (QStringView(entrée).left(1).compare(caractère, Qt::CaseInsensitive) == 0)
            return entrée.mid(1, 2);
    }
    return {};
}
