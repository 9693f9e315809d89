// A verification game set up by hand: position, move list, verdict and the
// result-table cells that a solver run would have stored.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "group_checks.h"
#include "test_support.h"

class VerifyTest : public ::testing::Test {
protected:
    ViewHarness h;
    CKovraView& v = h.view();

    // The position with its groups built, as after a solver run.
    void Position(const std::vector<std::string>& rows) { SetPosition(v, rows); }
    void Entry(char kind, int x, int y) { AddMoveEntry(v, kind, x, y); }
    // The verdict of the last solver run: its result and 'b' (kill) or 'w' (live).
    void Verdict(int result, char side)
    {
        v.m_solverResult = result;
        v.m_solverSide = side;
    }
    // The key of a colouring given as digits, entry 0 first (0 empty, 1 black, 2 white).
    static int Key(std::initializer_list<int> digits)
    {
        int key = 0;
        for (int d : digits)
            key = key * 3 + d;
        return key;
    }
    // History entries that touch no board, as stone edits of an erased point.
    void FillHistory(int n)
    {
        while (v.m_histCount < n)
            v.PushHistory('s', 11, 11);
    }
    const std::vector<std::string>& Status() const { return h.frame.status; }
    std::string Last() const { return h.frame.Last(); }
};
