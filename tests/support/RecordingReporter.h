#pragma once

#include "ErrorReporter.h"

#include <string>
#include <vector>

// Records the error boxes the byte routines would show.
class RecordingReporter : public ErrorReporter
{
public:
    struct Box
    {
        std::string text;
        std::string title;
    };

    void ShowErrorBox(const std::string &text, const std::string &title) override { boxes.push_back({text, title}); }

    std::vector<Box> boxes;
};
