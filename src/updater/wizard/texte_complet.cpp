#include "texte_complet.h"

#include <QHelpEvent>
#include <QListView>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>

namespace {

class TexteComplet : public QStyledItemDelegate {
public:
    TexteComplet(QAbstractItemView* vue, bool bornée)
        : QStyledItemDelegate(vue)
        , vue(vue)
        , bornée(bornée) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize taille = QStyledItemDelegate::sizeHint(option, index);
        if (bornée)
            taille.setWidth(std::min(taille.width(), vue->viewport()->width()));
        return taille;
    }

    bool helpEvent(QHelpEvent* évènement, QAbstractItemView* vueAide,
                   const QStyleOptionViewItem& option, const QModelIndex& index) override {
        if (évènement->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(évènement, vueAide, option, index);
        const QRect visible = vueAide->visualRect(index) & vueAide->viewport()->rect();
        if (QStyledItemDelegate::sizeHint(option, index).width() > visible.width())
            QToolTip::showText(évènement->globalPos(), index.data(Qt::DisplayRole).toString(),
                               vueAide->viewport(), visible);
        else
            QToolTip::hideText();
        return true;
    }

private:
    QAbstractItemView* vue;
    bool bornée;
};

} // namespace

void MontreTextesComplets(QAbstractItemView* vue) {
    auto* liste = qobject_cast<QListView*>(vue);
    vue->setItemDelegate(new TexteComplet(vue, liste != nullptr));
    if (liste) {
        liste->setTextElideMode(Qt::ElideMiddle);
        liste->setResizeMode(QListView::Adjust);
    }
}
