#include "colonnes_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStylePainter>

namespace {

// Space between two columns, with the line that separates them in the middle.
constexpr int écartColonnes = 8;

QChar CléAccès(const QString& texte) {
    for (qsizetype i = 0; i + 1 < texte.size(); ++i) {
        if (texte[i] != u'&')
            continue;
        if (texte[i + 1] != u'&')
            return texte[i + 1].toUpper();
        ++i;
    }
    return {};
}

} // namespace

MenuEnColonnes::MenuEnColonnes(const QList<Article>& articles, QAction* actionParDéfaut,
                               OuvreSousMenu ouvreSousMenu)
    : QWidget(nullptr, Qt::Popup)
    , actionParDéfaut(actionParDéfaut)
    , ouvreSousMenu(std::move(ouvreSousMenu)) {
    setFont(QApplication::font("QMenu"));
    setMouseTracking(true);
    setAttribute(Qt::WA_X11NetWmWindowTypePopupMenu);
    for (const Article& article : articles)
        cases.append({article.action, article.nouvelleColonne, {}});
    délaiSousMenu.setSingleShot(true);
    délaiSousMenu.setInterval(style()->styleHint(QStyle::SH_Menu_SubMenuPopupDelay, nullptr, this));
    connect(&délaiSousMenu, &QTimer::timeout, this, [this] {
        if (sélection >= 0 && cases[sélection].action->menu())
            Active(sélection);
    });
    Dispose();
}

MenuEnColonnes::~MenuEnColonnes() = default;

// The same measures as QMenu, with a break wherever an item asks for a new column.
void MenuEnColonnes::Dispose() {
    const int cadre = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
    const int margeH = style()->pixelMetric(QStyle::PM_MenuHMargin, nullptr, this);
    const int margeV = style()->pixelMetric(QStyle::PM_MenuVMargin, nullptr, this);
    const int icône = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);

    for (const Case& c : cases) {
        if (!c.action->icon().isNull())
            largeurIcône = qMax(largeurIcône, icône + 4);
        avecCoches = avecCoches || c.action->isCheckable();
        const QString texte = c.action->text();
        if (const qsizetype tab = texte.indexOf(u'\t'); tab >= 0)
            largeurRaccourci =
                qMax(largeurRaccourci, fontMetrics().horizontalAdvance(texte.mid(tab + 1)));
    }

    QList<int> hauteurs;
    int largeurColonne = 0;
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const QStyleOptionMenuItem option = Option(i);
        QSize contenu(2, 2);
        if (!cases[i].action->isSeparator()) {
            const QString texte = option.text.left(option.text.indexOf(u'\t'));
            contenu.setWidth(
                option.fontMetrics
                    .boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic, texte)
                    .width());
            contenu.setHeight(qMax(option.fontMetrics.height(), fontMetrics().height()));
            if (!option.icon.isNull())
                contenu.setHeight(qMax(contenu.height(), icône));
        }
        const QSize mesure = style()->sizeFromContents(QStyle::CT_MenuItem, &option, contenu, this);
        hauteurs.append(mesure.height());
        largeurColonne = qMax(largeurColonne, mesure.width());
    }
    largeurColonne += largeurRaccourci;

    const int haut = cadre + margeV;
    int x = cadre + margeH;
    int y = haut;
    int bas = haut;
    nombreColonnes = 1;
    for (qsizetype i = 0; i < cases.size(); ++i) {
        if (cases[i].nouvelleColonne && i > 0) {
            x += largeurColonne + écartColonnes;
            y = haut;
            ++nombreColonnes;
        }
        cases[i].rect = QRect(x, y, largeurColonne, hauteurs[i]);
        cases[i].colonne = nombreColonnes - 1;
        y += hauteurs[i];
        bas = qMax(bas, y);
    }
    taille = QSize(x + largeurColonne + margeH + cadre, bas + margeV + cadre);
}

QStyleOptionMenuItem MenuEnColonnes::Option(qsizetype i) const {
    const QAction* action = cases[i].action;
    QStyleOptionMenuItem option;
    option.initFrom(this);
    option.state = QStyle::State_None;
    if (isActiveWindow())
        option.state |= QStyle::State_Active;
    if (action->isEnabled())
        option.state |= QStyle::State_Enabled;
    else
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    if (i == sélection && !action->isSeparator())
        option.state |= QStyle::State_Selected;
    option.font = action->font().resolve(font());
    if (action == actionParDéfaut)
        option.font.setBold(true);
    option.fontMetrics = QFontMetrics(option.font);
    option.menuHasCheckableItems = avecCoches;
    if (!action->isCheckable())
        option.checkType = QStyleOptionMenuItem::NotCheckable;
    else if (action->actionGroup() && action->actionGroup()->isExclusive())
        option.checkType = QStyleOptionMenuItem::Exclusive;
    else
        option.checkType = QStyleOptionMenuItem::NonExclusive;
    option.checked = action->isChecked();
    if (action->isSeparator())
        option.menuItemType = QStyleOptionMenuItem::Separator;
    else if (action->menu())
        option.menuItemType = QStyleOptionMenuItem::SubMenu;
    else if (action == actionParDéfaut)
        option.menuItemType = QStyleOptionMenuItem::DefaultItem;
    else
        option.menuItemType = QStyleOptionMenuItem::Normal;
    if (action->isIconVisibleInMenu())
        option.icon = action->icon();
    option.text = action->text();
    option.reservedShortcutWidth = largeurRaccourci;
    option.maxIconWidth = largeurIcône;
    option.menuRect = rect();
    option.rect = cases[i].rect;
    return option;
}

QSize MenuEnColonnes::sizeHint() const {
    return taille;
}

QRect MenuEnColonnes::actionGeometry(QAction* action) const {
    for (const Case& c : cases) {
        if (c.action == action)
            return c.rect;
    }
    return {};
}

QAction* MenuEnColonnes::exec(QPoint position, bool alignéÀDroite) {
    resize(taille);
    if (alignéÀDroite)
        position.rx() -= taille.width();
    const QScreen* écran = QGuiApplication::screenAt(position);
    const QRect zone = (écran ? écran : QGuiApplication::primaryScreen())->availableGeometry();
    position.setX(qMax(zone.left(), qMin(position.x(), zone.right() + 1 - taille.width())));
    position.setY(qMax(zone.top(), qMin(position.y(), zone.bottom() + 1 - taille.height())));
    move(position);

    choisie = nullptr;
    QEventLoop attente;
    boucle = &attente;
    show();
    attente.exec();
    boucle = nullptr;
    return choisie;
}

void MenuEnColonnes::paintEvent(QPaintEvent*) {
    QStylePainter peintre(this);
    QStyleOptionMenuItem fond;
    fond.initFrom(this);
    fond.state = QStyle::State_None;
    fond.checkType = QStyleOptionMenuItem::NotCheckable;
    fond.maxIconWidth = 0;
    fond.reservedShortcutWidth = 0;
    peintre.drawPrimitive(QStyle::PE_PanelMenu, fond);

    for (qsizetype i = 0; i < cases.size(); ++i) {
        peintre.save();
        peintre.setClipRect(cases[i].rect);
        peintre.drawControl(QStyle::CE_MenuItem, Option(i));
        peintre.restore();
        if (cases[i].nouvelleColonne && i > 0) {
            const int x = cases[i].rect.left() - écartColonnes / 2;
            peintre.setPen(palette().color(QPalette::Mid));
            peintre.drawLine(x, cases.first().rect.top(), x,
                             taille.height() - cases.first().rect.top());
        }
    }

    QStyleOptionFrame cadre;
    cadre.rect = rect();
    cadre.palette = palette();
    cadre.state = QStyle::State_None;
    cadre.lineWidth = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
    cadre.midLineWidth = 0;
    peintre.drawPrimitive(QStyle::PE_FrameMenu, cadre);
}

bool MenuEnColonnes::Choisissable(qsizetype i) const {
    return i >= 0 && !cases[i].action->isSeparator() && cases[i].action->isEnabled();
}

qsizetype MenuEnColonnes::CaseSous(QPoint point) const {
    for (qsizetype i = 0; i < cases.size(); ++i) {
        if (cases[i].rect.contains(point))
            return i;
    }
    return -1;
}

qsizetype MenuEnColonnes::Voisine(int sens) const {
    const qsizetype n = cases.size();
    qsizetype i = sélection >= 0 ? sélection : (sens > 0 ? n - 1 : 0);
    for (qsizetype pas = 0; pas < n; ++pas) {
        i = (i + sens + n) % n;
        if (Choisissable(i))
            return i;
    }
    return sélection;
}

// The item of the next or previous column nearest in height to the selected one.
qsizetype MenuEnColonnes::DansColonneVoisine(int sens) const {
    const int colonne = sélection >= 0 ? cases[sélection].colonne : 0;
    const int hauteur = sélection >= 0 ? cases[sélection].rect.center().y() : 0;
    for (int pas = 1; pas < nombreColonnes; ++pas) {
        const int cible = (colonne + sens * pas + nombreColonnes) % nombreColonnes;
        qsizetype meilleure = -1;
        for (qsizetype i = 0; i < cases.size(); ++i) {
            if (cases[i].colonne != cible || !Choisissable(i))
                continue;
            if (meilleure < 0 || qAbs(cases[i].rect.center().y() - hauteur) <
                                     qAbs(cases[meilleure].rect.center().y() - hauteur))
                meilleure = i;
        }
        if (meilleure >= 0)
            return meilleure;
    }
    return sélection;
}

void MenuEnColonnes::Sélectionne(qsizetype i) {
    if (i == sélection)
        return;
    sélection = i;
    délaiSousMenu.stop();
    update();
}

void MenuEnColonnes::Active(qsizetype i) {
    délaiSousMenu.stop();
    QAction* action = cases[i].action;
    if (!action->menu()) {
        Termine(action);
        return;
    }
    if (QAction* choix = ouvreSousMenu(action, mapToGlobal(cases[i].rect.topRight())))
        Termine(choix);
}

void MenuEnColonnes::Termine(QAction* action) {
    choisie = action;
    close();
}

void MenuEnColonnes::mouseMoveEvent(QMouseEvent* event) {
    const qsizetype i = CaseSous(event->position().toPoint());
    if (i >= 0 && !Choisissable(i))
        return;
    Sélectionne(i);
    if (i >= 0 && cases[i].action->menu() && !délaiSousMenu.isActive())
        délaiSousMenu.start();
}

void MenuEnColonnes::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    boutonEnfoncé = true;
}

// A release counts only after a press inside: the release of the click that opened the
// menu must not pick the item under it.
void MenuEnColonnes::mouseReleaseEvent(QMouseEvent* event) {
    if (!boutonEnfoncé)
        return;
    boutonEnfoncé = false;
    const qsizetype i = CaseSous(event->position().toPoint());
    if (Choisissable(i))
        Active(i);
}

void MenuEnColonnes::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        Sélectionne(Voisine(-1));
        return;
    case Qt::Key_Down:
        Sélectionne(Voisine(1));
        return;
    case Qt::Key_Left:
        Sélectionne(DansColonneVoisine(-1));
        return;
    case Qt::Key_Right:
        if (Choisissable(sélection) && cases[sélection].action->menu())
            Active(sélection);
        else
            Sélectionne(DansColonneVoisine(1));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (Choisissable(sélection))
            Active(sélection);
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        break;
    }
    const QString frappe = event->text().toUpper();
    if (frappe.size() != 1)
        return;
    QList<qsizetype> trouvées;
    for (qsizetype i = 0; i < cases.size(); ++i) {
        if (Choisissable(i) && CléAccès(cases[i].action->text()) == frappe[0])
            trouvées.append(i);
    }
    if (trouvées.size() == 1) {
        Sélectionne(trouvées.first());
        Active(trouvées.first());
    } else if (!trouvées.isEmpty()) {
        // Several items share the key: each press moves to the next of them.
        const auto suivante = std::find_if(trouvées.cbegin(), trouvées.cend(),
                                           [this](qsizetype i) { return i > sélection; });
        Sélectionne(suivante != trouvées.cend() ? *suivante : trouvées.first());
    }
}

void MenuEnColonnes::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    délaiSousMenu.stop();
    if (boucle)
        boucle->quit();
}
