#pragma once

class QAbstractItemView;

// A cell whose text does not fit shows it whole in a tooltip. In a list of lines, a line is
// never wider than the list: a long one is cut in its middle, so that its end, the result,
// stays in view.
void MontreTextesComplets(QAbstractItemView* vue);
