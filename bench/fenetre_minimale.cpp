#include <QApplication>
#include <QWidget>

using namespace Qt::StringLiterals;

// The reference of the start-up and memory benchmarks: a Qt Widgets program that shows one
// window and does nothing else.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget fenêtre;
    fenêtre.setWindowTitle(u"Minimale"_s);
    fenêtre.resize(300, 200);
    fenêtre.show();
    return QApplication::exec();
}
