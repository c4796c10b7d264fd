// Linked into a program built for the start-up benchmark: the program ends as soon as its first
// window has been drawn, so the time it runs is its time to the first window.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

namespace {

class EndAtFirstWindow : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Once the window and all it holds are drawn, without the program's own tidying up.
        if (event->type() == QEvent::Paint && widget && widget->isWindow())
            QTimer::singleShot(0, [] { std::_Exit(0); });
        return false;
    }
};

void InstallEndAtFirstWindow()
{
    QCoreApplication::instance()->installEventFilter(new EndAtFirstWindow);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallEndAtFirstWindow)
