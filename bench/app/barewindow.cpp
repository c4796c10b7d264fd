// The floor of the start-up benchmark: a bare Qt Widgets window, started as the program starts.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.show();
    return application.exec();
}
