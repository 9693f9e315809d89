// The stone list of one group: points appended at the tail and walked in
// order, emptied whole. A fixed array of cell indices (x + 13 * y), so that
// copying a group set is one short block copy per list and needs no heap.
#pragma once

#include <cstdint>
#include <cstring>

struct CPoint {
    std::int32_t x;  // column
    std::int32_t y;  // row
};

class CPointList {
public:
    // The board has 121 points, and a stone stands in one list only.
    static constexpr int kCapacity = 121;

    int GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    // Cell index of the point at pos.
    int Cell(int pos) const { return m_cells[pos]; }
    CPoint GetAt(int pos) const { return CPoint{m_cells[pos] % 13, m_cells[pos] / 13}; }
    CPoint GetHead() const { return GetAt(0); }
    void RemoveAll() { m_count = 0; }

    // Appends at the tail; a full list drops the point.
    void AddTail(int x, int y) { AddCell(x + 13 * y); }
    void AddCell(int cell)
    {
        if (m_count < kCapacity)
            m_cells[m_count++] = static_cast<unsigned char>(cell);
    }

    // Appends every point of other, in order.
    void AppendList(const CPointList& other)
    {
        int n = other.m_count;
        if (n > kCapacity - m_count)
            n = kCapacity - m_count;
        std::memcpy(m_cells + m_count, other.m_cells, static_cast<std::size_t>(n));
        m_count += n;
    }

    // Becomes a copy of other: one fixed block of 128 bytes, which the
    // compiler turns into a few wide moves.
    void CopyFrom(const CPointList& other) { *this = other; }

private:
    int m_count = 0;
    unsigned char m_cells[kCapacity];
};
