#include <QApplication>
#include <QLabel>

using namespace Qt::StringLiterals;

// The reference of the start-up and memory benchmarks: a Qt Widgets program that shows one
// empty window and does nothing else; with --text, a line of text, which loads the fonts.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel fenêtre;
    if (QApplication::arguments().contains(u"--text"_s))
        fenêtre.setText(u"Veuillez patienter pendant l'initialisation svp..."_s);
    fenêtre.setWindowTitle(u"Minimale"_s);
    fenêtre.resize(300, 200);
    fenêtre.show();
    return QApplication::exec();
}
