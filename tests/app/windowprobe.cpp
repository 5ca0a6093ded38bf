// A window in a process of its own for the desktop tests: it stays until it is closed or its process is
// ended.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Window probe"));
    window.resize(320, 200);
    window.show();
    return app.exec();
}
