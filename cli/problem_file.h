// Loads a problem file (the program's own position format, "x" lines as
// targets) into a view, marking the targets as target clicks do.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "board/kovra_view.h"

// Sets up the problem of a position file's text; empty on success, else why
// the problem cannot be solved.
inline std::string LoadProblemText(CKovraView& view, const std::string& text)
{
    view.ResetPosition();
    view.m_targetCount = 0;
    view.ApplyPositionRecords(text, true);
    if (view.m_targetCount < 1)
        return "no target stones";
    view.MarkRecordedTargets();
    return std::string();
}

// Reads a position file's text (up to the position file limit); empty on
// success, else why it cannot be read.
inline std::string ReadProblemFile(const char* path, std::string& text)
{
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr)
        return std::string("cannot open: ") + std::strerror(errno);
    const bool read = CKovraView::ReadPositionText(file, text);
    std::fclose(file);
    return read ? std::string() : "cannot read the file";
}

// Returns an empty string on success, else why the problem cannot be solved.
inline std::string LoadProblemFile(CKovraView& view, const char* path)
{
    std::string text;
    const std::string error = ReadProblemFile(path, text);
    return error.empty() ? LoadProblemText(view, text) : error;
}
