// The stone list of one group: points appended at the tail and walked in
// order, emptied whole. A fixed array, so copying a group set needs no heap.
#pragma once

#include <cstdint>

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
    const CPoint& GetAt(int pos) const { return m_points[pos]; }
    const CPoint& GetHead() const { return m_points[0]; }
    void RemoveAll() { m_count = 0; }

    // Appends at the tail; a full list drops the point.
    void AddTail(int x, int y)
    {
        if (m_count < kCapacity) {
            m_points[m_count].x = x;
            m_points[m_count].y = y;
            ++m_count;
        }
    }

    // Appends every point of other, in order.
    void AppendList(const CPointList& other)
    {
        for (int i = 0; i < other.m_count; ++i)
            AddTail(other.m_points[i].x, other.m_points[i].y);
    }

    // Becomes a copy of other; copies only the points in use.
    void CopyFrom(const CPointList& other)
    {
        m_count = other.m_count;
        for (int i = 0; i < m_count; ++i)
            m_points[i] = other.m_points[i];
    }

private:
    int m_count = 0;
    CPoint m_points[kCapacity];
};
