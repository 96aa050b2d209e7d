#pragma once

#include "CommonDialogs.h"

#include <deque>
#include <string>
#include <vector>

// File dialogs whose answers a test scripts in advance; every request is kept, with the raw
// filter list and file buffer that the record handed over.
class ScriptedCommonDialogs : public CommonDialogs
{
public:
    struct Seen
    {
        FileDialogRequest request;
        std::string rawFilter; // up to and including the two NULs that end the list
        std::string rawFile;   // the whole buffer, nMaxFile bytes
        OPENFILENAME record;   // as it reached the dialog
    };

    void choose(const std::string &path, std::uint32_t filterIndex = 1) { m_answers.push_back(FileDialogChoice{path, filterIndex}); }
    void cancel() { m_answers.push_back(std::nullopt); }

    std::vector<Seen> seen;

protected:
    std::optional<FileDialogChoice> showFileDialog(const FileDialogRequest &request, const OPENFILENAME &record) override
    {
        Seen entry{request, {}, {}, record};
        if (const char *list = record.lpstrFilter) {
            std::size_t n = 0;
            while (list[n] || list[n + 1])
                ++n;
            entry.rawFilter.assign(list, n + 2);
        }
        if (record.lpstrFile)
            entry.rawFile.assign(record.lpstrFile, record.nMaxFile);
        seen.push_back(entry);
        std::optional<FileDialogChoice> answer;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        return answer;
    }

private:
    std::deque<std::optional<FileDialogChoice>> m_answers;
};
