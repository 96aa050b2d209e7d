#pragma once

#include "Form1.h"
#include "ScriptedCommonDialogs.h"
#include "TestImage.h"

#include <QList>

#include <array>
#include <memory>

class QComboBox;
class QListWidget;
class QToolButton;

// The main window with an accepted test image opened through File, Open.
class OpenedEditor
{
public:
    OpenedEditor();

    // File, Open with the dialog answering this image's path.
    void open(const TestImage &other);
    void select(int species);
    void save();

    QComboBox *combo(int n) const { return combos[static_cast<std::size_t>(n - 1)]; }
    QList<int> selections() const; // of Combo1 to Combo6

    TestImage image;
    ScriptedCommonDialogs dialogs;
    Form1 form;
    QListWidget *list;
    QToolButton *saveButton;
    std::array<QComboBox *, 6> combos{};
};
