#pragma once

#include <QTimer>
#include <QWidget>

class QFrame;
class QIcon;
class QLabel;

// The borderless window shown while the remote starts: its icon and a waiting message
// whose dots move. It hides itself whenever a dialog or a message box opens.
class frmSplashScreen : public QWidget {
    Q_OBJECT

public:
    explicit frmSplashScreen(const QIcon& icône, QWidget* parent = nullptr);

    // Showing returns once the window is on screen and painted, since the start-up
    // keeps the event loop busy right after.
    void setVisible(bool visible) override;

    // Every 500 ms: the base message followed by none, one, two, then three dots.
    void tmrMinuterie_Timer();

    QFrame* fraBordure;
    QLabel* picIcône;
    QLabel* lblMessage;
    QTimer tmrMinuterie;

protected:
    // Steps aside for any dialog or message box.
    bool eventFilter(QObject* objet, QEvent* évènement) override;

private:
    QString messageBase;
    qint16 points = 0;
};
