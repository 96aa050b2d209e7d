#include "clsCommonDialog.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::vector<char> blankBuffer(std::size_t blanks)
{
    std::vector<char> buffer(blanks, ' ');
    buffer.push_back('\0');
    return buffer;
}

std::string untilNul(const std::vector<char> &buffer)
{
    return std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
}

template <typename T>
auto *textPointer(std::optional<T> &text)
{
    return text ? text->data() : nullptr;
}

} // namespace

std::string clsCommonDialog::convertFilter(const std::string &filter)
{
    std::string converted = filter;
    std::replace(converted.begin(), converted.end(), '|', '\0');
    if (converted.empty() || converted.back() != '\0')
        converted.push_back('\0');
    return converted;
}

void clsCommonDialog::attachTexts()
{
    m_record.lpstrFilter = textPointer(m_filter);
    m_record.lpstrCustomFilter = textPointer(m_customFilter);
    m_record.lpstrFile = textPointer(m_file);
    m_record.lpstrFileTitle = textPointer(m_fileTitle);
    m_record.lpstrInitialDir = textPointer(m_initialDir);
    m_record.lpstrTitle = textPointer(m_title);
    m_record.lpstrDefExt = textPointer(m_defExt);
    m_record.lpTemplateName = textPointer(m_templateName);
}

std::string clsCommonDialog::ShowOpen(std::uintptr_t hwnd, std::string Title, std::string InitDir,
                                      std::string Filter, const std::int32_t &flags)
{
    std::string result;
    Filter = convertFilter(Filter);
    // Without a folder of its own the dialog starts at the last file chosen through this object,
    // handed over as that file's full path, not its folder.
    if (InitDir.empty())
        InitDir = m_lastFileName;

    constexpr std::uint32_t BufferSize = 255;
    m_record.lStructSize = OpenFileNameSize;
    m_record.hwndOwner = hwnd;
    m_record.hInstance = ProgramInstance();
    m_filter = std::move(Filter);
    m_file = blankBuffer(BufferSize - 1);
    m_record.nMaxFile = BufferSize;
    m_fileTitle = blankBuffer(BufferSize - 1);
    m_record.nMaxFileTitle = BufferSize;
    m_initialDir = std::move(InitDir);
    m_title = std::move(Title);
    m_record.Flags = static_cast<std::uint32_t>(flags);
    attachTexts();

    // The dialog ends the path with a NUL; the blank fill lies behind it. Blanks of the path's
    // own belong to the file's name.
    if (m_dialogs.GetOpenFileNameA(m_record) != 0)
        result = untilNul(*m_file);

    if (!result.empty()) {
        m_lastFileName = result;
        m_lastFilterIndex = static_cast<std::int32_t>(m_record.nFilterIndex);
    }
    return result;
}

std::string clsCommonDialog::ShowSave(std::uintptr_t hwnd, std::string Title, std::string FileName,
                                      const std::string &InitDir, std::string Filter,
                                      const std::int32_t &flags)
{
    std::string result;
    Filter = convertFilter(Filter);
    if (FileName.size() > SaveFileNameBuffer)
        throw std::invalid_argument("ShowSave: FileName is longer than 128 characters");
    std::vector<char> buffer(FileName.begin(), FileName.end());
    buffer.resize(SaveFileNameBuffer, '\0');

    m_record.lStructSize = OpenFileNameSize;
    m_record.hwndOwner = hwnd;
    m_record.hInstance = ProgramInstance();
    m_record.Flags = static_cast<std::uint32_t>(flags);
    m_record.nMaxFile = static_cast<std::uint32_t>(buffer.size());
    m_file = std::move(buffer);
    m_filter = std::move(Filter);
    m_initialDir = InitDir;
    m_title = std::move(Title);
    m_defExt = ".gpl";
    attachTexts();

    if (m_dialogs.GetSaveFileNameA(m_record) != 0) {
        result = untilNul(*m_file);
        m_lastFilterIndex = static_cast<std::int32_t>(m_record.nFilterIndex);
    }
    return result;
}
