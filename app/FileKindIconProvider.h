#pragma once

#include <QFileIconProvider>

// Icons and type names for the file dialog's list, told by a file's kind (drive, folder, file)
// and name alone. The usual provider reads the start of each listed file to find its type,
// which hangs the window on a file whose read never returns, such as one under /proc.
class FileKindIconProvider : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;
};
