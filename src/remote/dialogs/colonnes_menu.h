#pragma once

#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QWidget>

#include <functional>

class QAction;
class QEventLoop;

// A popup menu whose items may start new columns, which QMenu cannot do. The style draws
// it like a QMenu; submenus open through the given function.
class MenuEnColonnes : public QWidget {
public:
    struct Article {
        QAction* action;
        bool nouvelleColonne;
    };
    // Opens the submenu of `article` at `position` and returns what was picked in it.
    using OuvreSousMenu = std::function<QAction*(QAction* article, QPoint position)>;

    MenuEnColonnes(const QList<Article>& articles, QAction* actionParDéfaut,
                   OuvreSousMenu ouvreSousMenu);
    ~MenuEnColonnes() override;

    // Shows the menu with its top-left corner (top-right when alignéÀDroite) at position
    // and waits: the picked action, or nullptr when dismissed.
    QAction* exec(QPoint position, bool alignéÀDroite);

    QRect actionGeometry(QAction* action) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Case {
        QAction* action;
        bool nouvelleColonne;
        QRect rect;
        int colonne = 0;
    };

    void Dispose();
    QStyleOptionMenuItem Option(qsizetype i) const;
    bool Choisissable(qsizetype i) const;
    qsizetype CaseSous(QPoint point) const;
    qsizetype Voisine(int sens) const;
    qsizetype DansColonneVoisine(int sens) const;
    void Sélectionne(qsizetype i);
    void Active(qsizetype i);
    void Termine(QAction* action);

    QList<Case> cases;
    QAction* actionParDéfaut;
    OuvreSousMenu ouvreSousMenu;
    QSize taille;
    int largeurRaccourci = 0;
    int largeurIcône = 0;
    int nombreColonnes = 1;
    bool avecCoches = false;
    qsizetype sélection = -1;
    bool boutonEnfoncé = false;
    QAction* choisie = nullptr;
    QEventLoop* boucle = nullptr;
    QTimer délaiSousMenu;
};
