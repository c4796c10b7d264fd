#include "app/mainscreen.h"
#include "app/programicon.h"
#include "config/initializingbox.h"
#include "config/settings.h"
#include "dialogs/alertbox.h"
#include "graph/graphform.h"
#include "modalanswers.h"
#include "platform/termination.h"
#include "scriptedseriallibrary.h"
#include "temporarystartdirectory.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QImage Picture(const QIcon& icon)
{
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class ProgramIconTest : public QObject
{
    Q_OBJECT
private slots:
    void holdsEverySizeDesktopsAskFor_data();
    void holdsEverySizeDesktopsAskFor();
    void everyWindowShowsIt();
};

void ProgramIconTest::holdsEverySizeDesktopsAskFor_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void ProgramIconTest::holdsEverySizeDesktopsAskFor()
{
    QFETCH(int, size);
    const QIcon icon = ProgramIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    // Drawn, not empty: the middle of the mark is opaque.
    const QImage picture = icon.pixmap(QSize(size, size)).toImage();
    QCOMPARE(picture.size(), QSize(size, size));
    QCOMPARE(qAlpha(picture.pixel(size / 2, size / 2)), 255);
}

void ProgramIconTest::everyWindowShowsIt()
{
    QTemporaryDir runtime; // a program running beside the test is not a second instance here
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    ScriptedSerialLibrary serial;
    InstallSerialLibrary(&serial);
    Termination::Withdraw();
    TemporaryStartDirectory start;
    start.WriteFile("QOR.dat", "header\r\n");
    QApplication::setWindowIcon(ProgramIcon()); // as the process entry does
    const QImage expected = Picture(ProgramIcon());

    QImage startUpIcon;
    ModalAnswers startUp({[&](QWidget* box) {
        startUpIcon = Picture(box->windowIcon());
        qobject_cast<TInitializingBox*>(box)->Timer1->setInterval(0);
    }});
    TMainScreen screen;
    QVERIFY(startUp.AllAnswered());
    QCOMPARE(startUpIcon, expected);
    screen.show();
    QCOMPARE(Picture(screen.windowIcon()), expected);

    auto* graph = new TGraphForm;
    screen.AddGraphWindow(graph);
    QMdiSubWindow* child = screen.MdiArea->subWindowList().constFirst();
    QCOMPARE(Picture(child->windowIcon()), expected);

    QImage alertIcon;
    ModalAnswers alert({[&](QWidget* box) {
        alertIcon = Picture(box->windowIcon());
        box->findChild<QPushButton*>("AlertCancelBitBtn")->click();
    }});
    TAlertBox(graph).exec();
    QVERIFY(alert.AllAnswered());
    QCOMPARE(alertIcon, expected);

    InstallSerialLibrary(nullptr);
}

QTEST_MAIN(ProgramIconTest)
#include "tst_programicon.moc"
