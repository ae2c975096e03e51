#pragma once

#include <QFont>
#include <QStringList>

// The dialogs' font; where Tahoma is missing, the nearest sans-serif font stands in.
inline QFont PoliceTahoma(qreal points = 8.25) {
    QFont police;
    police.setFamilies({QStringLiteral("Tahoma")});
    police.setStyleHint(QFont::SansSerif);
    police.setPointSizeF(points);
    return police;
}
