// A window in a process of its own for the desktop tests: it stays until it is closed or its process is
// ended. With a second argument it holds that text in a line edit, selected, as a user leaves a selection.
#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Window probe"));
    window.resize(320, 200);
    if (argc > 2) {
        auto* layout = new QVBoxLayout(&window);
        auto* edit = new QLineEdit(QString::fromLocal8Bit(argv[2]), &window);
        edit->setObjectName(QStringLiteral("ProbeEdit"));
        layout->addWidget(edit);
        edit->selectAll();
        edit->setFocus();
    }
    window.show();
    return app.exec();
}
