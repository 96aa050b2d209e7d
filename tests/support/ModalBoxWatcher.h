#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// Closes every message box that opens while it lives, as a user would with OK, and keeps what
// each one showed.
class ModalBoxWatcher : public QObject
{
    Q_OBJECT

public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        bool modal;
    };

    ModalBoxWatcher();

    QList<Box> boxes;

private:
    void poll();

    QTimer m_timer;
};
