#include "platform/errorreport.h"

#include "platform/errors.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QtDebug>

namespace {

bool reportOpen = false;

QString DescribeError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (int code) {
        return QStringLiteral("Error #%1").arg(code);
    } catch (const ProgramError& failure) {
        return failure.Message();
    } catch (const std::exception& failure) {
        return QString::fromLocal8Bit(failure.what());
    } catch (...) {
        return QStringLiteral("An unexpected error occurred.");
    }
}

} // namespace

namespace ErrorReport {

void Show(QWidget* owner, std::exception_ptr error)
{
    const QString text = DescribeError(error);
    if (reportOpen) {
        qWarning("Error while an error report is open: %s", qUtf8Printable(text));
        return;
    }
    reportOpen = true;
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("ErrorReportBox"));
    box.exec();
    reportOpen = false;
}

} // namespace ErrorReport
