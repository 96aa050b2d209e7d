#include "OpenedEditor.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

OpenedEditor::OpenedEditor(bool openImage) : form(dialogs), list(form.findChild<QListWidget *>(QStringLiteral("List1")))
{
    form.byteAccess().setTrace(&trace);
    connect(&m_watch, &QTimer::timeout, this, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        boxes.append({box->windowTitle(), box->text(),
                      box->standardButtons() == QMessageBox::Ok && box->icon() == QMessageBox::NoIcon && ok->icon().isNull()});
        ok->click();
    });
    m_watch.start(0);
    if (openImage)
        open(image.localPath());
    trace.events.clear();
}

void OpenedEditor::open(const std::string &path)
{
    dialogs.choose(path);
    form.findChild<QAction *>(QStringLiteral("Open1"))->trigger();
}

void OpenedEditor::select(int species)
{
    list->setCurrentRow(species);
}

void OpenedEditor::save()
{
    form.findChild<QToolButton *>(QStringLiteral("Command"))->click();
}

QComboBox *OpenedEditor::combo(int n) const
{
    return form.findChild<QComboBox *>(QStringLiteral("Combo%1").arg(n));
}

QList<int> OpenedEditor::selections() const
{
    QList<int> indices;
    for (int n = 1; n <= 6; ++n)
        indices << combo(n)->currentIndex();
    return indices;
}

QStringList OpenedEditor::boxTitles() const
{
    QStringList titles;
    for (const Box &box : boxes)
        titles << (box.plain ? box.title : QStringLiteral("with an icon: ") + box.title);
    return titles;
}
