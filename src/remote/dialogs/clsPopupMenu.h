#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

#include <memory>
#include <stdexcept>

class QAction;
class QMenu;
class QPoint;
class QWidget;

// A run-time error as the program reports it: number, source and description.
struct ErreurExécution : std::runtime_error {
    ErreurExécution(qint32 numéro, const QString& source, const QString& description);

    qint32 Number;
    QString Source;
    QString Description;
};

// A popup menu built item by item, shown with TrackPopup, which waits for the choice.
class clsPopupMenu {
public:
    // Bits of AddItem's Flags.
    static constexpr qint32 Grisé = 1;
    static constexpr qint32 Désactivé = 2;
    static constexpr qint32 ParDéfaut = 4; // drawn in bold
    static constexpr qint32 Coché = 8;
    static constexpr qint32 NouvelleColonne = 16;

    clsPopupMenu();
    ~clsPopupMenu();
    clsPopupMenu(const clsPopupMenu&) = delete;
    clsPopupMenu& operator=(const clsPopupMenu&) = delete;

    // The text of this menu where it is added to another one as a submenu.
    QString Caption() const;
    void setCaption(const QString& caption);

    // Item: a QString ("-" for a separator; "&" marks the access key, a tab separates a
    // shortcut hint shown on the right) or a clsPopupMenu* (a submenu, which must outlive
    // this menu). Anything else appends nothing, but Flags still apply to the first item
    // with that ItemID.
    void AddItem(qint32 ItemID, const QVariant& Item, qint32 Flags = 0);

    // OwnerWindow nullptr: the process's first top-level window (ErreurExécution -1 when
    // there is none). X, Y: screen pixels, -1 for the mouse position. AlignWindow: opens
    // under that widget, at its left edge, or at its right edge when RightAlign (which is
    // ignored without AlignWindow). Returns the picked ItemID, 0 when dismissed.
    qint32 TrackPopup(QWidget* OwnerWindow = nullptr, int X = -1, int Y = -1,
                      QWidget* AlignWindow = nullptr, bool RightAlign = false);

    // The menu underneath, for the program's own use (tests look at its items).
    QMenu* menu() const;

private:
    struct Élément;

    bool ContientColonnes(QList<const clsPopupMenu*>& vus) const;
    QAction* Affiche(QPoint point, bool alignéÀDroite, QWidget* propriétaire, bool enColonnes);

    std::unique_ptr<QMenu> menu_;
    QString caption_;
    QList<Élément> éléments;
};

Q_DECLARE_METATYPE(clsPopupMenu*)
