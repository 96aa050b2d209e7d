#pragma once

#include "CommonDialogs.h"
#include "FileKindIconProvider.h"

class QFileDialog;

// The common dialogs shown as Qt's own file dialog, owned by the window the record names.
class QtCommonDialogs : public CommonDialogs
{
protected:
    std::optional<FileDialogChoice> showFileDialog(const FileDialogRequest &request,
                                                   const OPENFILENAME &record) override;

private:
    // Title, filters, starting folder and file, and the kind of choice the flags allow; the list
    // of files is drawn without reading any file.
    void configure(QFileDialog &dialog, const FileDialogRequest &request);

    FileKindIconProvider m_icons;
};
