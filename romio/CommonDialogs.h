#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The common file dialogs in their 8-bit ("ANSI") form: the OPENFILENAME record as the dialog
// class fills it, and the calls that take it. Text is 8-bit in the local encoding, as file names
// are on this system.

constexpr std::uint32_t OFN_OVERWRITEPROMPT = 0x00000002;
constexpr std::uint32_t OFN_HIDEREADONLY = 0x00000004;
constexpr std::uint32_t OFN_PATHMUSTEXIST = 0x00000800;
constexpr std::uint32_t OFN_FILEMUSTEXIST = 0x00001000;

// CommDlgExtendedError values.
constexpr std::uint32_t CDERR_NOERROR = 0x0000;
constexpr std::uint32_t CDERR_STRUCTSIZE = 0x0001;
constexpr std::uint32_t FNERR_BUFFERTOOSMALL = 0x3003;

// The record in its 76-byte form, the one that ends with lpTemplateName.
struct OPENFILENAME
{
    std::uint32_t lStructSize = 0;
    std::uintptr_t hwndOwner = 0;
    std::uintptr_t hInstance = 0;
    const char *lpstrFilter = nullptr;
    char *lpstrCustomFilter = nullptr;
    std::uint32_t nMaxCustFilter = 0;
    std::uint32_t nFilterIndex = 0;
    char *lpstrFile = nullptr;
    std::uint32_t nMaxFile = 0;
    char *lpstrFileTitle = nullptr;
    std::uint32_t nMaxFileTitle = 0;
    const char *lpstrInitialDir = nullptr;
    const char *lpstrTitle = nullptr;
    std::uint32_t Flags = 0;
    std::uint16_t nFileOffset = 0;
    std::uint16_t nFileExtension = 0;
    const char *lpstrDefExt = nullptr;
    std::intptr_t lCustData = 0;
    void *lpfnHook = nullptr;
    const char *lpTemplateName = nullptr;
};

constexpr std::uint32_t OpenFileNameSize = 76;

// The handle of the running program, the value that goes into hInstance.
std::uintptr_t ProgramInstance();

// What a dialog is asked to show, read out of a record.
struct FileDialogRequest
{
    enum class Kind { Open, Save };
    struct Filter
    {
        std::string description;
        std::string pattern; // ";"-separated, as the record holds it
    };

    Kind kind = Kind::Open;
    std::uintptr_t owner = 0;
    std::string title;
    std::vector<Filter> filters;
    std::uint32_t filterIndex = 0; // 1-based; 0 when the record names none
    std::string initialDir;
    std::string initialFile;
    std::string defaultExtension;
    std::uint32_t flags = 0;

    static FileDialogRequest fromRecord(Kind kind, const OPENFILENAME &record);
};

// What the user chose in a dialog.
struct FileDialogChoice
{
    std::string path;             // 8-bit, local encoding
    std::uint32_t filterIndex = 1; // 1-based
};

// The calls GetOpenFileNameA, GetSaveFileNameA and CommDlgExtendedError. How a dialog is shown
// is up to a subclass: the program shows Qt's file dialog, tests script the answer. The contract
// of the calls is kept here, for both.
class CommonDialogs
{
public:
    virtual ~CommonDialogs() = default;

    // Non-zero after a choice: the full path, NUL-ended, at the start of lpstrFile and the chosen
    // filter's number in nFilterIndex. Zero on cancel or failure; CommDlgExtendedError tells which.
    int GetOpenFileNameA(OPENFILENAME &record);
    int GetSaveFileNameA(OPENFILENAME &record);

    // 0 after a choice or a cancel; the reason of the last failure otherwise.
    std::uint32_t CommDlgExtendedError() const { return m_lastError; }

protected:
    // Shows the dialog; nothing means the user cancelled.
    virtual std::optional<FileDialogChoice> showFileDialog(const FileDialogRequest &request,
                                                           const OPENFILENAME &record) = 0;

private:
    int run(FileDialogRequest::Kind kind, OPENFILENAME &record);

    std::uint32_t m_lastError = CDERR_NOERROR;
};
