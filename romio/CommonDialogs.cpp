#include "CommonDialogs.h"

#include <algorithm>
#include <cstring>
#include <dlfcn.h>

std::uintptr_t ProgramInstance()
{
    // The main program's own handle; it stays valid for the life of the process.
    static void *const handle = ::dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    return reinterpret_cast<std::uintptr_t>(handle);
}

namespace {

std::string textOf(const char *text)
{
    return text ? std::string(text) : std::string();
}

std::string textOf(const char *buffer, std::uint32_t size)
{
    if (!buffer || size == 0)
        return {};
    const char *end = std::find(buffer, buffer + size, '\0');
    return std::string(buffer, end);
}

// A filter list is pairs of NUL-ended texts, ended by an empty text.
std::vector<FileDialogRequest::Filter> filtersOf(const char *list)
{
    std::vector<FileDialogRequest::Filter> filters;
    if (!list)
        return filters;
    while (*list) {
        FileDialogRequest::Filter filter;
        filter.description = list;
        list += filter.description.size() + 1;
        if (!*list)
            break;
        filter.pattern = list;
        list += filter.pattern.size() + 1;
        filters.push_back(std::move(filter));
    }
    return filters;
}

} // namespace

FileDialogRequest FileDialogRequest::fromRecord(Kind kind, const OPENFILENAME &record)
{
    FileDialogRequest request;
    request.kind = kind;
    request.owner = record.hwndOwner;
    request.title = textOf(record.lpstrTitle);
    request.filters = filtersOf(record.lpstrFilter);
    request.filterIndex = record.nFilterIndex;
    request.initialDir = textOf(record.lpstrInitialDir);
    request.initialFile = textOf(record.lpstrFile, record.nMaxFile);
    request.defaultExtension = textOf(record.lpstrDefExt);
    request.flags = record.Flags;
    return request;
}

int CommonDialogs::GetOpenFileNameA(OPENFILENAME &record)
{
    return run(FileDialogRequest::Kind::Open, record);
}

int CommonDialogs::GetSaveFileNameA(OPENFILENAME &record)
{
    return run(FileDialogRequest::Kind::Save, record);
}

int CommonDialogs::run(FileDialogRequest::Kind kind, OPENFILENAME &record)
{
    if (record.lStructSize != OpenFileNameSize) {
        m_lastError = CDERR_STRUCTSIZE;
        return 0;
    }
    const auto choice = showFileDialog(FileDialogRequest::fromRecord(kind, record), record);
    if (!choice) {
        m_lastError = CDERR_NOERROR;
        return 0;
    }
    // The path and its NUL must fit the caller's buffer; otherwise nothing is written into it.
    if (!record.lpstrFile || choice->path.size() + 1 > record.nMaxFile) {
        m_lastError = FNERR_BUFFERTOOSMALL;
        return 0;
    }
    std::memcpy(record.lpstrFile, choice->path.data(), choice->path.size());
    record.lpstrFile[choice->path.size()] = '\0';
    record.nFilterIndex = choice->filterIndex;
    m_lastError = CDERR_NOERROR;
    return 1;
}
