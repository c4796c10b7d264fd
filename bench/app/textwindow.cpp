// A second floor of the start-up benchmark: a bare Qt Widgets window that shows a line of text,
// so that it loads the fonts, as any first window with words in it does.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Initializing, please wait."));
    window.show();
    return application.exec();
}
