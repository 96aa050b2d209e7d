#include "OpenedEditor.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QToolButton>

OpenedEditor::OpenedEditor()
    : form(dialogs)
    , list(form.findChild<QListWidget *>(QStringLiteral("List1")))
    , saveButton(form.findChild<QToolButton *>(QStringLiteral("Command")))
{
    for (int n = 1; n <= 6; ++n)
        combos[static_cast<std::size_t>(n - 1)] = form.findChild<QComboBox *>(QStringLiteral("Combo%1").arg(n));
    open(image);
}

void OpenedEditor::open(const TestImage &other)
{
    dialogs.choose(other.localPath());
    form.findChild<QAction *>(QStringLiteral("Open1"))->trigger();
}

void OpenedEditor::select(int species)
{
    list->setCurrentRow(species);
}

void OpenedEditor::save()
{
    saveButton->click();
}

QList<int> OpenedEditor::selections() const
{
    QList<int> result;
    for (QComboBox *box : combos)
        result << box->currentIndex();
    return result;
}
