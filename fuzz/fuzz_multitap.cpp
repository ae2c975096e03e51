#include "exige.h"
#include "guide/multitap.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace {

bool EstChiffre(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    static const QStringList table = ChargeTableMultiTap();
    const QString texteTouche =
        QString::fromUtf8(reinterpret_cast<const char*>(octets), static_cast<qsizetype>(taille));
    const QString appuis = RechercheMultiTap(table, texteTouche);
    if (!appuis.isEmpty()) {
        EXIGE(texteTouche.size() == 2 && texteTouche.front() == MarqueurCaractère);
        EXIGE(appuis.size() == 2 && appuis[0] >= u'1' && appuis[0] <= u'9' &&
              EstChiffre(appuis[1]));
    }

    // Any table, such as a damaged one: the answer is part of one of its entries.
    const QStringList autreTable = texteTouche.split(u'|');
    const QString autresAppuis = RechercheMultiTap(autreTable, texteTouche.left(2));
    EXIGE(autresAppuis.isEmpty() ||
          std::any_of(autreTable.cbegin(), autreTable.cend(),
                      [&](const QString& entrée) { return entrée.mid(1, 2) == autresAppuis; }));
    return 0;
}
