#pragma once

#include "Form1.h"
#include "ScriptedCommonDialogs.h"
#include "TestImage.h"
#include "TraceRecorder.h"

#include <QtWidgets>

// Styles differ in whether dialog buttons carry pictures; under this one they do, so that every
// box of ours has to take them off.
struct PicturedButtonsStyle : QProxyStyle
{
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *data) const override
    {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons ? 1 : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// The main window, with its test image opened through File, Open unless asked not to. Its byte
// routines report to `trace`; every message box is closed with OK, its title kept in `boxes`
// (marked when the box has more than OK or an icon anywhere) and its text in `texts`.
struct OpenedEditor
{
    explicit OpenedEditor(bool openImage = true) : form(dialogs), list(form.findChild<QListWidget *>("List1"))
    {
        if (!dynamic_cast<PicturedButtonsStyle *>(QApplication::style()))
            QApplication::setStyle(new PicturedButtonsStyle);
        form.byteAccess().setTrace(&trace);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            QAbstractButton *ok = box->button(QMessageBox::Ok);
            const bool plain = box->standardButtons() == QMessageBox::Ok && box->icon() == QMessageBox::NoIcon && ok->icon().isNull();
            boxes << (plain ? "" : "with an icon: ") + box->windowTitle();
            texts << box->text();
            ok->click();
        });
        watch.start(0);
        if (openImage)
            open(image.localPath());
        trace.events.clear();
    }

    void open(const std::string &path) { dialogs.choose(path), form.findChild<QAction *>("Open1")->trigger(); }
    void select(int species) { list->setCurrentRow(species); }
    void save() { form.findChild<QToolButton *>("Command")->click(); }
    QComboBox *combo(int n) const { return form.findChild<QComboBox *>(QString("Combo%1").arg(n)); }
    QList<int> selections() const // of Combo1 to Combo6
    {
        QList<int> indices;
        for (int n = 1; n <= 6; ++n)
            indices << combo(n)->currentIndex();
        return indices;
    }

    TestImage image;
    ScriptedCommonDialogs dialogs;
    Form1 form;
    QListWidget *list;
    TraceRecorder trace;
    QStringList boxes, texts;
    QTimer watch;
};
