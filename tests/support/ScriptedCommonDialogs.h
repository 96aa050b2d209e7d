#pragma once

#include "CommonDialogs.h"

#include <deque>
#include <utility>
#include <vector>

// File dialogs whose answers a test scripts in advance; every request and record is kept as it
// reached the dialog.
class ScriptedCommonDialogs : public CommonDialogs
{
public:
    void choose(const std::string &path, std::uint32_t filterIndex = 1) { m_answers.push_back(FileDialogChoice{path, filterIndex}); }
    void cancel() { m_answers.push_back(std::nullopt); }

    std::vector<std::pair<FileDialogRequest, OPENFILENAME>> seen;

protected:
    std::optional<FileDialogChoice> showFileDialog(const FileDialogRequest &request, const OPENFILENAME &record) override
    {
        seen.emplace_back(request, record);
        const auto answer = m_answers.empty() ? std::nullopt : m_answers.front();
        if (!m_answers.empty())
            m_answers.pop_front();
        return answer;
    }

private:
    std::deque<std::optional<FileDialogChoice>> m_answers;
};
