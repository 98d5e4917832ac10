#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane 3D");
    QWidget window;
    window.show();
    return QApplication::exec();
}
