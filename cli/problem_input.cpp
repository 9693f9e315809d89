#include "problem_input.h"

#include <cctype>
#include <string>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

#include "sgf/sgf.h"

InputName ParseInputName(const char* argument)
{
    InputName input;
    input.path = argument;
    input.label = argument;
    if (input.path == "-")
        return input;
    input.sgf = IsSgfPath(argument);
    struct stat s;
    std::string path;
    int index = 0;
    if (::stat(argument, &s) == 0 || !SplitProblemPath(argument, path, index) || index <= 0)
        return input;
    input.path = path;
    input.problem = static_cast<std::size_t>(index);
    input.sgf = true;
    return input;
}

std::string RefuseInput(const InputName& input)
{
    if (input.path == "-")
        return std::string();
    struct stat s;
    if (::stat(input.path.c_str(), &s) != 0)
        return std::string("cannot open: ") + std::strerror(errno);
    if (S_ISDIR(s.st_mode))
        return std::strerror(EISDIR);
    return std::string();
}

std::string ReadStandardInput(std::string& text, std::size_t limit)
{
    text.clear();
    char buffer[1 << 16];
    std::size_t n;
    while (text.size() < limit && (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        text.append(buffer, n);
    if (text.size() > limit)
        text.resize(limit);
    return std::ferror(stdin) ? std::string("cannot read standard input") : std::string();
}

bool LooksLikeSgf(const std::string& text)
{
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            return c == '(';
    return false;
}
