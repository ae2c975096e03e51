#pragma once

#include <QList>
#include <QString>

#include <functional>

// A part of a window that assistive technology sees as a button and can press: its actions,
// the press first, as a screen reader offers them.
class BoutonAccessible {
public:
    struct Action {
        QString nom;
        std::function<void()> faire;
    };
    QList<Action> actionsAccessibles;

protected:
    ~BoutonAccessible() = default;
};

// The name of the second action of a model 5 key.
QString ActionAppuiLong();

// Lets assistive technology see and press those parts; once, before their windows show.
void InstalleBoutonsAccessibles();
