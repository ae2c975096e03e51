#include "liens_assistant.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

const QColor bleu(0, 0, 255);
const QColor rouge(255, 0, 0);

// The links keep their colour when disabled greys them.
void ColoreLien(QLabel* lien, const QColor& couleur, bool souligné) {
    QPalette palette = lien->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, couleur);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, couleur);
    lien->setPalette(palette);
    QFont police = lien->font();
    police.setUnderline(souligné);
    lien->setFont(police);
}

} // namespace

LiensAssistant::LiensAssistant(QWidget* fenêtre, const QList<QLabel*>& liens,
                               const QList<QWidget*>& ailleurs, std::function<void(QLabel*)> clic)
    : QObject(fenêtre)
    , liens(liens)
    , clic(std::move(clic)) {
    QList<QWidget*> survolés = ailleurs;
    for (QLabel* lien : liens)
        survolés.append(lien);
    for (QWidget* contrôle : survolés) {
        contrôle->setMouseTracking(true);
        contrôle->installEventFilter(this);
    }
    Colore(nullptr);
}

void LiensAssistant::Colore(const QLabel* survolé) {
    for (QLabel* lien : liens) {
        const bool actif = lien == survolé;
        ColoreLien(lien, actif ? rouge : bleu, actif);
    }
}

bool LiensAssistant::eventFilter(QObject* objet, QEvent* évènement) {
    auto* lien = qobject_cast<QLabel*>(objet);
    if (!liens.contains(lien))
        lien = nullptr;
    switch (évènement->type()) {
    case QEvent::MouseMove:
        Colore(lien);
        // Kept from the window, which would turn the link blue again.
        if (lien)
            return true;
        break;
    case QEvent::Leave:
        if (lien)
            Colore(nullptr);
        break;
    case QEvent::MouseButtonRelease: {
        const auto* souris = static_cast<QMouseEvent*>(évènement);
        if (!lien || !lien->isEnabled() || souris->button() != Qt::LeftButton ||
            !lien->rect().contains(souris->position().toPoint()))
            break;
        Colore(nullptr);
        clic(lien);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(objet, évènement);
}
