#pragma once
// A change of structure along one axis of a grid (rows or columns): for each place before the
// change, its place after it, or -1 when what stood there is gone. Everything a grid keeps by
// place (flags, lists, side tables) follows a change by passing through the same remap.
// Places at or beyond the old count (lists that grow past the grid) keep their distance from
// the end.

#include <cstddef>
#include <utility>
#include <vector>

class TGridRemap {
public:
    // Nothing moves.
    static TGridRemap Identity(int Count);
    // Count places added before At.
    static TGridRemap Insert(int OldCount, int At, int Count);
    // The places listed (ascending, each once) are gone; the others close up.
    static TGridRemap Remove(int OldCount, const std::vector<int>& Places);
    // From is taken out and put back at To, the places between shifting by one.
    static TGridRemap Move(int OldCount, int From, int To);
    static TGridRemap Swap(int OldCount, int A, int B);
    // Place First+i takes what stood at From[i] (absolute places, a permutation of
    // First .. First+From.size()-1).
    static TGridRemap Permute(int OldCount, int First, const std::vector<int>& From);
    // New place i holds what stood at old place Sources[i] (-1 for a new place).
    static TGridRemap FromSources(int OldCount, const std::vector<int>& Sources);

    int OldCount() const { return static_cast<int>(to_.size()); }
    int NewCount() const { return newCount_; }
    bool IsIdentity() const;
    // The new place of an old one; -1 when it is gone (and for a negative place).
    int operator()(int Old) const {
        if (Old < 0) return -1;
        if (Old >= OldCount()) return Old + newCount_ - OldCount();
        return to_[static_cast<size_t>(Old)];
    }
    // The old place now at New, -1 for a new place.
    std::vector<int> Sources() const;

    // A list indexed by old place, re-indexed by new place: what is gone leaves it, new
    // places get Fill. A list that covered every place still does; a shorter one stays as
    // short as what it held needs.
    template <class T>
    void Apply(std::vector<T>& List, const T& Fill) const {
        if (List.empty()) return;
        std::vector<T> out;
        if (List.size() >= to_.size())
            out.resize(List.size() - to_.size() + static_cast<size_t>(newCount_), Fill);
        for (size_t i = 0; i < List.size(); ++i) {
            const int to = (*this)(static_cast<int>(i));
            if (to < 0) continue;
            if (static_cast<size_t>(to) >= out.size())
                out.resize(static_cast<size_t>(to) + 1, Fill);
            out[static_cast<size_t>(to)] = std::move(List[i]);
        }
        List.swap(out);
    }

private:
    explicit TGridRemap(int OldCount, int NewCount)
        : to_(static_cast<size_t>(OldCount)), newCount_(NewCount) {}
    std::vector<int> to_;
    int newCount_ = 0;
};
