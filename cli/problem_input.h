// What a FILE argument of kovra-solve names: a file, standard input ("-"),
// or one problem of an SGF collection ("book.sgf#12").
#pragma once

#include <cstddef>
#include <string>

struct InputName {
    std::string path;          // the file to open; "-" for standard input
    std::string label;         // the argument as given
    std::size_t problem = 0;   // only this game tree (from 1); 0: every one
    bool sgf = false;          // read as SGF
};

// Splits "FILE.sgf#N" when no file has that whole name. Standard input is
// read as SGF when its text starts with '(' (see ReadStandardInput).
InputName ParseInputName(const char* argument);

// Why the input cannot be read as a problem file, checked before it is
// opened ("Is a directory"); empty when it can be.
std::string RefuseInput(const InputName& input);

// Reads standard input whole, up to limit bytes (the rest is not read);
// empty on success, else the reason.
std::string ReadStandardInput(std::string& text, std::size_t limit);
// True when text's first character past white space is '(' (SGF).
bool LooksLikeSgf(const std::string& text);
