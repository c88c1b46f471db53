#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("TAVR");
    QApplication::setApplicationVersion("18.0");
    QMainWindow window;
    window.setWindowTitle("TAVR 18.0");
    window.show();
    return app.exec();
}
