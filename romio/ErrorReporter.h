#pragma once

#include <string>

// Where the byte routines send their error box. The window shows a real modal box;
// tests record what would have been shown.
class ErrorReporter
{
public:
    virtual ~ErrorReporter() = default;

    // A modal box with the text, the title, an OK button only and no icon; returns when it is closed.
    virtual void ShowErrorBox(const std::string &text, const std::string &title) = 0;
};
