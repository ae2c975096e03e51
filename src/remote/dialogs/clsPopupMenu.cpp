#include "clsPopupMenu.h"

#include "colonnes_menu.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPointer>
#include <QWindow>

using namespace Qt::StringLiterals;

struct clsPopupMenu::Élément {
    QPointer<QAction> action; // a submenu's action goes with the submenu
    qint32 id;
    bool nouvelleColonne;
    clsPopupMenu* sousMenu;
};

namespace {

bool EstFenêtrePropriétaire(const QWidget* fenêtre) {
    const Qt::WindowType type = fenêtre->windowType();
    return fenêtre->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop;
}

// The window the user is working in, else a shown one, else any.
QWidget* PremièreFenêtre() {
    if (QWidget* active = QApplication::activeWindow(); active && EstFenêtrePropriétaire(active))
        return active;
    const QWidgetList fenêtres = QApplication::topLevelWidgets();
    for (QWidget* fenêtre : fenêtres) {
        if (EstFenêtrePropriétaire(fenêtre) && fenêtre->isVisible())
            return fenêtre;
    }
    for (QWidget* fenêtre : fenêtres) {
        if (EstFenêtrePropriétaire(fenêtre))
            return fenêtre;
    }
    return nullptr;
}

QRect RectangleÉcran(const QWidget* widget) {
    if (widget->isWindow())
        return widget->frameGeometry();
    return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

// Keeps the popup above its owner, even when the owner stays on top of other windows.
void RendTransitoire(QWidget* popup, QWidget* propriétaire) {
    popup->winId();
    QWindow* fenêtre = propriétaire->window()->windowHandle();
    if (fenêtre && popup->windowHandle())
        popup->windowHandle()->setTransientParent(fenêtre);
}

} // namespace

ErreurExécution::ErreurExécution(qint32 numéro, const QString& source, const QString& description)
    : std::runtime_error(description.toStdString())
    , Number(numéro)
    , Source(source)
    , Description(description) {}

clsPopupMenu::clsPopupMenu()
    : menu_(std::make_unique<QMenu>()) {}

clsPopupMenu::~clsPopupMenu() = default;

QString clsPopupMenu::Caption() const {
    return caption_;
}

void clsPopupMenu::setCaption(const QString& caption) {
    caption_ = caption;
}

QMenu* clsPopupMenu::menu() const {
    return menu_.get();
}

void clsPopupMenu::AddItem(qint32 ItemID, const QVariant& Item, qint32 Flags) {
    const bool nouvelleColonne = Flags & NouvelleColonne;
    if (Item.metaType() == QMetaType::fromType<QString>()) {
        const QString texte = Item.toString();
        if (texte == u"-") {
            QAction* séparateur = menu_->addSeparator();
            séparateur->setData(ItemID);
            éléments.append({séparateur, ItemID, false, nullptr});
        } else {
            QAction* action = menu_->addAction(texte);
            action->setData(ItemID);
            if (Flags & Coché) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            éléments.append({action, ItemID, nouvelleColonne, nullptr});
        }
    } else if (Item.metaType() == QMetaType::fromType<clsPopupMenu*>()) {
        clsPopupMenu* sousMenu = Item.value<clsPopupMenu*>();
        if (sousMenu && sousMenu != this) {
            sousMenu->menu_->setTitle(sousMenu->caption_);
            éléments.append(
                {menu_->addMenu(sousMenu->menu_.get()), ItemID, nouvelleColonne, sousMenu});
        }
    }

    const auto cible = std::find_if(éléments.cbegin(), éléments.cend(), [ItemID](const Élément& é) {
        return é.action && é.id == ItemID;
    });
    if (cible == éléments.cend())
        return;
    if (Flags & ParDéfaut)
        menu_->setDefaultAction(cible->action);
    if (Flags & (Grisé | Désactivé))
        cible->action->setEnabled(false);
}

qint32 clsPopupMenu::TrackPopup(QWidget* OwnerWindow, int X, int Y, QWidget* AlignWindow,
                                bool RightAlign) {
    QWidget* propriétaire = OwnerWindow ? OwnerWindow : PremièreFenêtre();
    if (!propriétaire) {
        throw ErreurExécution(-1, u"cMenu.TrackPopup"_s,
                              u"Cannot find top window of current process!"_s);
    }

    QPoint point;
    if (AlignWindow) {
        const QRect rectangle = RectangleÉcran(AlignWindow);
        point = {rectangle.x() + (RightAlign ? rectangle.width() : 0),
                 rectangle.y() + rectangle.height()};
    } else {
        RightAlign = false;
        const QPoint souris = QCursor::pos();
        point = {X == -1 ? souris.x() : X, Y == -1 ? souris.y() : Y};
    }

    QList<const clsPopupMenu*> vus;
    const QAction* choisie = Affiche(point, RightAlign, propriétaire, ContientColonnes(vus));
    return choisie ? choisie->data().toInt() : 0;
}

bool clsPopupMenu::ContientColonnes(QList<const clsPopupMenu*>& vus) const {
    if (vus.contains(this))
        return false;
    vus.append(this);
    return std::any_of(éléments.cbegin(), éléments.cend(), [&vus](const Élément& é) {
        return é.action && (é.nouvelleColonne || (é.sousMenu && é.sousMenu->ContientColonnes(vus)));
    });
}

// As soon as one item of the tree starts a column, the whole tree opens in column menus,
// so that submenus keep their columns too.
QAction* clsPopupMenu::Affiche(QPoint point, bool alignéÀDroite, QWidget* propriétaire,
                               bool enColonnes) {
    if (!enColonnes) {
        RendTransitoire(menu_.get(), propriétaire);
        if (alignéÀDroite)
            point.rx() -= menu_->sizeHint().width();
        QAction* choisie = menu_->exec(point);
        // Picking a checked item must not uncheck it: items are only ever checked.
        if (choisie && choisie->isCheckable())
            choisie->setChecked(true);
        return choisie;
    }

    QList<MenuEnColonnes::Article> articles;
    for (const Élément& é : std::as_const(éléments)) {
        if (é.action)
            articles.append({é.action, é.nouvelleColonne});
    }
    const auto ouvreSousMenu = [this, propriétaire](QAction* article, QPoint position) {
        for (const Élément& é : std::as_const(éléments)) {
            if (é.action == article && é.sousMenu)
                return é.sousMenu->Affiche(position, false, propriétaire, true);
        }
        return static_cast<QAction*>(nullptr);
    };
    MenuEnColonnes colonnes(articles, menu_->defaultAction(), ouvreSousMenu);
    RendTransitoire(&colonnes, propriétaire);
    return colonnes.exec(point, alignéÀDroite);
}
