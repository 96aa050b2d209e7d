#include "ModalBoxWatcher.h"

#include <QAbstractButton>
#include <QApplication>

ModalBoxWatcher::ModalBoxWatcher()
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ModalBoxWatcher::poll);
    m_timer.start();
}

void ModalBoxWatcher::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    boxes.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->isModal()});
    box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
}
