#include "QtCommonDialogs.h"

#include <QFile>
#include <QFileDialog>

namespace {

QString local(const std::string &text)
{
    return QFile::decodeName(QByteArray::fromStdString(text));
}

// "Description|pattern" pairs as Qt's name filters; patterns ";"-separated, "*.*" is every file.
QStringList nameFilters(const std::vector<FileDialogRequest::Filter> &filters)
{
    QStringList names;
    for (const auto &filter : filters) {
        QStringList patterns = local(filter.pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        const QString description = local(filter.description);
        const QString listed = QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        // Qt takes the patterns from the last parentheses; a description that shows them keeps its text.
        names << (description.endsWith(listed) ? description : description + QLatin1Char(' ') + listed);
    }
    return names;
}

} // namespace

void QtCommonDialogs::configure(QFileDialog &dialog, const FileDialogRequest &request)
{
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Before the dialog's first listing reaches its view.
    dialog.setIconProvider(&m_icons);
    dialog.setWindowTitle(local(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.flags & OFN_FILEMUSTEXIST ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.flags & OFN_OVERWRITEPROMPT));

    const QStringList names = nameFilters(request.filters);
    dialog.setNameFilters(names);
    if (request.filterIndex >= 1 && request.filterIndex <= static_cast<std::uint32_t>(names.size()))
        dialog.selectNameFilter(names.at(static_cast<int>(request.filterIndex) - 1));

    if (!request.initialDir.empty())
        dialog.setDirectory(local(request.initialDir));
    const QString initialFile = local(request.initialFile).trimmed();
    if (!initialFile.isEmpty())
        dialog.selectFile(initialFile);
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(local(request.defaultExtension));
}

std::optional<FileDialogChoice> QtCommonDialogs::showFileDialog(const FileDialogRequest &request,
                                                                const OPENFILENAME &)
{
    QFileDialog dialog(QWidget::find(static_cast<WId>(request.owner)));
    configure(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;

    FileDialogChoice choice;
    choice.path = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    const auto index = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    choice.filterIndex = index >= 0 ? static_cast<std::uint32_t>(index + 1) : 1;
    return choice;
}
