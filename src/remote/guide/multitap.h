#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Every character the box can type, as "character, number of presses, digit key".
inline constexpr QStringView TableMultiTap =
    u"181|242|343|444|545|646|757|848|959|020|.11|,21|?31|!41|-51|'61|\"71| 10|A12|Z49|E23|R37|"
    u"T18|Y39|U28|I34|O36|P17|Q27|S47|D13|F33|G14|H24|J15|K25|L35|M16|W19|X29|C32|V38|B22|N26";

// The marker that makes a key text a character to type, as in "¤k".
inline constexpr QChar MarqueurCaractère = u'\u00A4';

// The table's entries in table order.
QStringList ChargeTableMultiTap();

// Press count then digit key for a character key text ("¤k" gives "25"); empty when the text
// is not the marker and one character, or the character has no entry.
QString RechercheMultiTap(const QStringList& collection, QStringView texteTouche);
