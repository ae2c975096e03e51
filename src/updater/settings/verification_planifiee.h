#pragma once

#include <QDate>
#include <QDateTime>

// Whether the scheduled check is due: a calendar boundary of the frequency's unit (0 a
// midnight, 1 a Monday, 2 the first day of a month) lies between the day of the last check
// and now. A last check dated after today (a clock set back) is due too, or no check would
// run until that day.
bool VérificationDue(qint16 fréquence, const QDate& dernière, const QDateTime& maintenant);
