#include "MessageBox.h"

#include <QAbstractButton>
#include <QMessageBox>

void MessageBox::show(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // Some styles put a picture on the OK button; the box shows none anywhere.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}
