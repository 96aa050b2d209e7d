#pragma once

#include "Form1.h"
#include "ScriptedCommonDialogs.h"
#include "TestImage.h"
#include "TraceRecorder.h"

#include <QTimer>

class QComboBox;
class QListWidget;

// The main window, with its test image opened through File, Open unless asked not to. Its byte
// routines report to `trace`, and every message box is closed with OK and kept in `boxes`.
class OpenedEditor : public QObject
{
    Q_OBJECT

public:
    struct Box
    {
        QString title, text;
        bool plain; // OK only, and no icon anywhere, not even on the button
    };

    explicit OpenedEditor(bool openImage = true);

    void open(const std::string &path);
    void select(int species);
    void save();
    QComboBox *combo(int n) const;
    QList<int> selections() const; // of Combo1 to Combo6
    QStringList boxTitles() const;

    TestImage image;
    ScriptedCommonDialogs dialogs;
    Form1 form;
    QListWidget *list;
    TraceRecorder trace;
    QList<Box> boxes;

private:
    QTimer m_watch;
};
