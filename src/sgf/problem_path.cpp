// "FILE.sgf#N": one problem out of a collection named on a command line or
// in a file dialog.
#include <string>

#include "sgf/sgf.h"

bool SplitProblemPath(const std::string& argument, std::string& path, int& index)
{
    path = argument;
    index = 0;
    const std::string::size_type hash = argument.rfind('#');
    if (hash == std::string::npos || hash + 1 == argument.size() || argument.size() - hash > 7 ||
        argument.find_first_not_of("0123456789", hash + 1) != std::string::npos)
        return IsSgfPath(argument.c_str());
    const std::string file = argument.substr(0, hash);
    if (!IsSgfPath(file.c_str()))
        return false;
    path = file;
    index = std::stoi(argument.substr(hash + 1));
    return true;
}
