#include "bouton_accessible.h"

#include <QAbstractButton>
#include <QAccessibleWidget>

using namespace Qt::StringLiterals;

namespace {

class InterfaceBouton : public QAccessibleWidget {
public:
    InterfaceBouton(QWidget* widget, const BoutonAccessible& bouton)
        : QAccessibleWidget(widget, QAccessible::Button)
        , bouton(bouton) {}

    // A key of the virtual keyboard is named by its caption.
    QString text(QAccessible::Text quoi) const override {
        const QString texte = QAccessibleWidget::text(quoi);
        const auto* bouton = qobject_cast<const QAbstractButton*>(widget());
        return quoi == QAccessible::Name && texte.isEmpty() && bouton ? bouton->text() : texte;
    }

    QStringList actionNames() const override {
        QStringList noms;
        for (const BoutonAccessible::Action& action : bouton.actionsAccessibles)
            noms.append(action.nom);
        return noms;
    }

    void doAction(const QString& nom) override {
        for (const BoutonAccessible::Action& action : bouton.actionsAccessibles) {
            if (action.nom == nom)
                return action.faire();
        }
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    const BoutonAccessible& bouton;
};

QAccessibleInterface* Fabrique(const QString&, QObject* objet) {
    auto* widget = qobject_cast<QWidget*>(objet);
    const auto* bouton = dynamic_cast<const BoutonAccessible*>(objet);
    return widget && bouton ? new InterfaceBouton(widget, *bouton) : nullptr;
}

} // namespace

QString ActionAppuiLong() {
    return u"Appui long"_s;
}

void InstalleBoutonsAccessibles() {
    static const bool installée = [] {
        QAccessible::installFactory(Fabrique);
        return true;
    }();
    Q_UNUSED(installée);
}
