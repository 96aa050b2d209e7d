#pragma once

#include "CommonDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// File dialogs whose answers a test scripts in advance; every request is kept, together with
// the raw filter list and file buffer the record handed over.
class ScriptedCommonDialogs : public CommonDialogs
{
public:
    struct Seen
    {
        FileDialogRequest request;
        std::string rawFilter; // up to and including the two NULs that end the list; empty for none
        std::string rawFile;   // the whole buffer, nMaxFile bytes
        OPENFILENAME record;   // as it reached the dialog
    };

    void choose(const std::string &path, std::uint32_t filterIndex = 1) { m_answers.push_back(FileDialogChoice{path, filterIndex}); }
    void cancel() { m_answers.push_back(std::nullopt); }

    std::vector<Seen> seen;

protected:
    std::optional<FileDialogChoice> showFileDialog(const FileDialogRequest &request, const OPENFILENAME &record) override;

private:
    std::deque<std::optional<FileDialogChoice>> m_answers;
};
