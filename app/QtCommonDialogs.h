#pragma once

#include "CommonDialogs.h"
#include "FileKindIconProvider.h"

#include <QStringList>

class QFileDialog;

// The common dialogs shown as Qt's own file dialog, owned by the window the record names.
class QtCommonDialogs : public CommonDialogs
{
public:
    // "Description|pattern" pairs as Qt's name filters; patterns ";"-separated, "*.*" is every file.
    static QStringList nameFilters(const std::vector<FileDialogRequest::Filter> &filters);
    // Title, filters, starting folder and file, and the kind of choice the flags allow; the list
    // of files is drawn without reading any file.
    void configure(QFileDialog &dialog, const FileDialogRequest &request);

protected:
    std::optional<FileDialogChoice> showFileDialog(const FileDialogRequest &request,
                                                   const OPENFILENAME &record) override;

private:
    FileKindIconProvider m_icons;
};
