#include "ScriptedCommonDialogs.h"

#include <cstring>

std::optional<FileDialogChoice> ScriptedCommonDialogs::showFileDialog(const FileDialogRequest &request,
                                                                      const OPENFILENAME &record)
{
    Seen entry{request, {}, {}, record};
    if (const char *list = record.lpstrFilter) {
        std::size_t size = 0;
        while (list[size] != '\0' || list[size + 1] != '\0')
            ++size;
        entry.rawFilter.assign(list, size + 2);
    }
    if (record.lpstrFile)
        entry.rawFile.assign(record.lpstrFile, record.nMaxFile);
    seen.push_back(entry);

    if (m_answers.empty())
        return std::nullopt;
    auto answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
