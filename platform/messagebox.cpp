#include "platform/messagebox.h"

#include <QMessageBox>

void SystemMessageBox(QWidget* owner, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("SystemMessageBox"));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
