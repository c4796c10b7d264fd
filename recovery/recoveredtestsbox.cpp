#include "recovery/recoveredtestsbox.h"

#include "graph/graphform.h"
#include "platform/hint.h"
#include "recovery/recoveryfolder.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The tests listed by name in the box; the rest are counted.
constexpr qsizetype ListedTests = 10;

QString TimeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString Described(const RecoveredTest& test)
{
    const QString time = TimeText(test.begun);
    return test.inGraphWindow ? QStringLiteral("\"%1\", tested %2").arg(test.lines.value(0), time)
                              : QStringLiteral("test in progress, begun %1").arg(time);
}

QString OfferText(const QList<RecoveredTest>& tests)
{
    QStringList text{tests.size() == 1
                         ? QStringLiteral("1 test was not saved when the program last ended:")
                         : QStringLiteral("%1 tests were not saved when the program last ended:")
                               .arg(tests.size())};
    for (const RecoveredTest& test : tests.first(std::min(tests.size(), ListedTests)))
        text << QStringLiteral("    ") + Described(test);
    if (tests.size() > ListedTests)
        text << QStringLiteral("    and %1 more").arg(tests.size() - ListedTests);
    return text.join(u'\n');
}

QPushButton* AddButton(QMessageBox* box, const char* name, const QString& caption,
                       QMessageBox::ButtonRole role, const QString& hint)
{
    QPushButton* button = box->addButton(caption, role);
    button->setObjectName(QLatin1String(name));
    SetHint(button, hint);
    return button;
}

} // namespace

TRecoveredTestsBox::TRecoveredTestsBox(QWidget* owner, const QList<RecoveredTest>& tests)
    : QMessageBox(owner)
{
    setObjectName(QStringLiteral("RecoveredTestsBox"));
    setWindowTitle(QStringLiteral("Unsaved Tests"));
    setIcon(QMessageBox::Question);
    setTextFormat(Qt::PlainText);
    setText(OfferText(tests));
    setInformativeText(QStringLiteral("Open shows each as an unsaved graph window. Later asks "
                                      "again at the next start. Discard moves them to the folder "
                                      "recovery/discarded."));
    RecoveryOpenBtn =
        AddButton(this, "RecoveryOpenBtn", QStringLiteral("&Open"), QMessageBox::AcceptRole,
                  QStringLiteral("Open|Open each test as an unsaved graph window"));
    RecoveryLaterBtn =
        AddButton(this, "RecoveryLaterBtn", QStringLiteral("&Later"), QMessageBox::RejectRole,
                  QStringLiteral("Later|Keep the tests and ask at the next start"));
    RecoveryDiscardBtn = AddButton(
        this, "RecoveryDiscardBtn", QStringLiteral("&Discard"), QMessageBox::DestructiveRole,
        QStringLiteral("Discard|Move the tests to the folder recovery/discarded"));
    setDefaultButton(RecoveryOpenBtn);
    setEscapeButton(RecoveryLaterBtn);
}

void OfferRecoveredTests(QWidget* owner, const std::function<void(QWidget*)>& show)
{
    const QList<RecoveredTest> tests = FindRecoveredTests();
    if (tests.isEmpty())
        return;
    TRecoveredTestsBox box(owner, tests);
    box.exec();
    if (box.clickedButton() == box.RecoveryDiscardBtn)
        DiscardRecoveredTests(tests);
    if (box.clickedButton() != box.RecoveryOpenBtn)
        return;
    for (const RecoveredTest& test : tests) {
        auto* window = new TGraphForm;
        window->SetLines(test.lines);
        window->GraphDataMemo->document()->setModified(true);
        window->setWindowTitle(QStringLiteral("Recovered %1").arg(TimeText(test.begun)));
        window->SetRecoveryFile(test.path);
        show(window);
    }
}
