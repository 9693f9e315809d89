// A position file's problem for the wide reader, which holds every
// candidate record (the table reader keeps the first 15).
#pragma once

#include <string>

#include "go/problem.h"

class CKovraView;

// The candidate records (f, m, y and z lines on the board) of the text.
int CandidateRecords(const std::string& text);

// The stones and targets the view loaded from text, every candidate record
// of text in file order; White defends, and moves first when live.
go::Problem PositionProblem(const CKovraView& view, const std::string& text, bool live);
