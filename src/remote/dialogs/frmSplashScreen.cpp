#include "frmSplashScreen.h"

#include "police_tahoma.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

// Design client size: 5115 x 870 twips.
constexpr QSize tailleClient(341, 58);

} // namespace

frmSplashScreen::frmSplashScreen(const QIcon& icône, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus)
    , fraBordure(new QFrame(this))
    , picIcône(new QLabel(fraBordure))
    , lblMessage(new QLabel(u"Veuillez patienter pendant l'initialisation svp..."_s, fraBordure)) {
    setObjectName(u"frmSplashScreen"_s);
    fraBordure->setObjectName(u"fraBordure"_s);
    picIcône->setObjectName(u"picIcône"_s);
    lblMessage->setObjectName(u"lblMessage"_s);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);

    fraBordure->setFrameStyle(QFrame::Box | QFrame::Sunken);
    fraBordure->setGeometry(QRect(QPoint(0, 0), tailleClient));
    picIcône->setPixmap(icône.pixmap(48, 48));
    picIcône->setGeometry(5, 5, 48, 48);
    lblMessage->setFont(PoliceTahoma(9));
    // Room for the caption with its three dots, whichever font stands in for Tahoma.
    const int largeurMessage = lblMessage->sizeHint().width();
    const int largeur = qMax(tailleClient.width(), 64 + largeurMessage + 12);
    fraBordure->resize(largeur, tailleClient.height());
    lblMessage->setGeometry(64, 0, largeur - 64 - 8, tailleClient.height());
    lblMessage->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    setFixedSize(fraBordure->size());

    messageBase = lblMessage->text().remove(u"..."_s);

    const QRect écran = QGuiApplication::primaryScreen()->availableGeometry();
    move(écran.center() - rect().center());
    // Any dialog or message box of the start-up must be seen above it.
    QCoreApplication::instance()->installEventFilter(this);

    tmrMinuterie.setInterval(500);
    connect(&tmrMinuterie, &QTimer::timeout, this, &frmSplashScreen::tmrMinuterie_Timer);
    tmrMinuterie.start();
}

void frmSplashScreen::tmrMinuterie_Timer() {
    lblMessage->setText(messageBase + QString(points, u'.'));
    points = points + 1 == 4 ? 0 : points + 1;
}

bool frmSplashScreen::eventFilter(QObject* objet, QEvent* évènement) {
    if (évènement->type() == QEvent::Show && objet != this && objet->isWidgetType() &&
        isVisible()) {
        const auto* fenêtre = static_cast<QWidget*>(objet);
        // Window managers keep a splash above everything, the dialog included.
        if (fenêtre->isWindow() && fenêtre->windowType() == Qt::Dialog)
            hide();
    }
    return QWidget::eventFilter(objet, évènement);
}

void frmSplashScreen::setVisible(bool visible) {
    QWidget::setVisible(visible);
    if (!visible || !windowHandle())
        return;
    // Handling the exposure paints the window. The running timer wakes the wait at least
    // every 500 ms.
    const QDeadlineTimer limite(1000);
    while (!windowHandle()->isExposed() && !limite.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::WaitForMoreEvents);
}
