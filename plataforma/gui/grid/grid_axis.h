#pragma once
// The sizes of a grid's columns or rows along one axis: a default size, the sizes set one by
// one, and the line drawn after each cell. Positions come from prefix sums of the extents
// (size + line) in a Fenwick tree, so that the offset of any index and the index at any
// offset cost O(log n) whatever the count; while every size is the default they are plain
// arithmetic and no per-index storage exists at all.

#include <cstdint>
#include <vector>

class TGridAxis {
public:
    TGridAxis(int DefaultSize, int LineWidth);

    int GetCount() const { return count_; }
    // Growing keeps the sizes set and gives the new indexes the default; shrinking forgets
    // the sizes beyond the new count.
    void SetCount(int Value) {
        if (sizes_.empty())
            count_ = Value < 0 ? 0 : Value;
        else
            SetSizedCount(Value);
    }
    int GetDefaultSize() const { return default_; }
    // Every index goes back to the new default.
    void SetDefaultSize(int Value);
    int GetLineWidth() const { return line_; }
    void SetLineWidth(int Value);
    // The default outside 0 .. count-1.
    int GetSize(int Index) const;
    // A negative size counts as 0. Indexes outside 0 .. count-1 are ignored.
    void SetSize(int Index, int Value);
    // True while some index has a size of its own.
    bool HasSizes() const { return !sizes_.empty(); }

    // The extent of an index: its size and its line.
    int64_t Extent(int Index) const { return GetSize(Index) + static_cast<int64_t>(line_); }
    // The sum of the extents of 0 .. Index-1 (Index is clamped to 0 .. count).
    int64_t Offset(int Index) const;
    // The sum of the sizes alone (lines not counted) of First .. First+Count-1.
    int64_t SumSizes(int First, int Count) const;
    int64_t Total() const { return Offset(count_); }
    // The index whose extent holds the offset: count when the offset lies beyond the last,
    // -1 when it is negative.
    int IndexAt(int64_t Offset) const;

    // Moves the size of From to To, the sizes between shifting by one.
    void Move(int From, int To);
    // Index First+i takes the size index From[i] had (absolute indexes, a permutation of
    // First .. First+From.size()-1).
    void Permute(int First, const std::vector<int>& From);
    // Indexes First .. Last-1 rotated so that Middle comes first (std::rotate).
    void Rotate(int First, int Middle, int Last);

private:
    int64_t Uniform() const { return default_ + static_cast<int64_t>(line_); }
    void SetSizedCount(int Value);
    void MakeSizes();
    void Rebuild() const;
    int64_t Prefix(int N) const; // sum of the first N extents from the tree

    int count_ = 0;
    int default_;
    int line_;
    std::vector<int> sizes_;            // empty while every size is the default
    mutable std::vector<int64_t> tree_; // Fenwick tree over the extents, 1-based
    mutable bool treeValid_ = false;
};
