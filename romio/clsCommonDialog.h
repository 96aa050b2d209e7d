#pragma once

#include "CommonDialogs.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The open and save file dialogs behind three operations. One object owns one OPENFILENAME
// record for its whole life: fields an operation does not fill keep what the previous call on
// the same object left in them.
class clsCommonDialog
{
public:
    static constexpr std::int32_t DefaultOpenFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    static constexpr std::int32_t DefaultSaveFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    static constexpr const char *DefaultOpenFilter = "All Files (*.*)|*.*|";
    static constexpr std::size_t SaveFileNameBuffer = 128;

    explicit clsCommonDialog(CommonDialogs &dialogs) : m_dialogs(dialogs) {}
    // The record points into this object's own texts.
    clsCommonDialog(const clsCommonDialog &) = delete;
    clsCommonDialog &operator=(const clsCommonDialog &) = delete;

    // The chosen path, or empty text on cancel or failure.
    std::string ShowOpen(std::uintptr_t hwnd, std::string Title, std::string InitDir = {},
                         std::string Filter = DefaultOpenFilter,
                         const std::int32_t &flags = DefaultOpenFlags);

    // Throws std::invalid_argument, before any dialog, for a FileName longer than 128 characters.
    std::string ShowSave(std::uintptr_t hwnd, std::string Title, std::string FileName = {},
                         const std::string &InitDir = {}, std::string Filter = {},
                         const std::int32_t &flags = DefaultSaveFlags);

    std::int32_t FilterIndex() const { return m_lastFilterIndex; }

    // "|" becomes NUL, and the list is made to end with a NUL of its own.
    static std::string convertFilter(const std::string &filter);

private:
    // Points the record's text fields at the texts this object holds; a text never filled is none.
    void attachTexts();

    CommonDialogs &m_dialogs;
    OPENFILENAME m_record;
    std::optional<std::string> m_filter;
    std::optional<std::vector<char>> m_customFilter;
    std::optional<std::vector<char>> m_file;
    std::optional<std::vector<char>> m_fileTitle;
    std::optional<std::string> m_initialDir;
    std::optional<std::string> m_title;
    std::optional<std::string> m_defExt;
    std::optional<std::string> m_templateName;

    std::string m_lastFileName;
    std::int32_t m_lastFilterIndex = 0;
};
