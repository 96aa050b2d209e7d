#pragma once

#include <QString>

class QWidget;

// The system's one kind of message: a modal box with an OK button only and no icon.
class MessageBox
{
public:
    static void show(QWidget *parent, const QString &text, const QString &title);
};
