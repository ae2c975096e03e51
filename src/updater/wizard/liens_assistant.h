#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QLabel;
class QWidget;

// The wizard's two links: the one under the mouse red and underlined, the other blue; both
// blue once the mouse is over one of `ailleurs`. A left click released on an enabled link
// hands it to `clic`.
class LiensAssistant : public QObject {
    Q_OBJECT
public:
    LiensAssistant(QWidget* fenêtre, const QList<QLabel*>& liens, const QList<QWidget*>& ailleurs,
                   std::function<void(QLabel*)> clic);

protected:
    bool eventFilter(QObject* objet, QEvent* évènement) override;

private:
    // nullptr turns both blue.
    void Colore(const QLabel* survolé);

    QList<QLabel*> liens;
    std::function<void(QLabel*)> clic;
};
