#include "plataforma/gui/grid/grid_axis.h"

#include <algorithm>
#include <cstring>

namespace {

inline int LowBit(int i) {
    return i & -i;
}

} // namespace

TGridAxis::TGridAxis(int DefaultSize, int LineWidth)
    : default_(std::max(0, DefaultSize)), line_(std::max(0, LineWidth)) {}

void TGridAxis::SetSizedCount(int Value) {
    Value = std::max(0, Value);
    if (Value == count_) return;
    if (Value < count_) {
        // The first entries of a Fenwick tree only depend on the first extents.
        sizes_.resize(Value);
        if (treeValid_) tree_.resize(static_cast<size_t>(Value) + 1);
        count_ = Value;
        return;
    }
    sizes_.resize(Value, default_);
    if (!treeValid_) {
        count_ = Value;
        return;
    }
    // Appending one entry costs two prefix sums: entry i covers (i - lowbit(i), i].
    tree_.resize(static_cast<size_t>(Value) + 1);
    for (int i = count_ + 1; i <= Value; ++i) {
        count_ = i - 1;
        tree_[i] = Uniform() + Prefix(i - 1) - Prefix(i - LowBit(i));
    }
    count_ = Value;
}

void TGridAxis::SetDefaultSize(int Value) {
    default_ = std::max(0, Value);
    sizes_.clear();
    sizes_.shrink_to_fit();
    tree_.clear();
    tree_.shrink_to_fit();
    treeValid_ = false;
}

void TGridAxis::SetLineWidth(int Value) {
    Value = std::max(0, Value);
    if (Value == line_) return;
    line_ = Value;
    treeValid_ = false;
}

int TGridAxis::GetSize(int Index) const {
    if (Index < 0 || Index >= count_ || sizes_.empty()) return default_;
    return sizes_[Index];
}

void TGridAxis::SetSize(int Index, int Value) {
    if (Index < 0 || Index >= count_) return;
    Value = std::max(0, Value);
    if (GetSize(Index) == Value) return;
    MakeSizes();
    const int64_t delta = static_cast<int64_t>(Value) - sizes_[Index];
    sizes_[Index] = Value;
    if (!treeValid_) return;
    for (int i = Index + 1; i <= count_; i += LowBit(i))
        tree_[i] += delta;
}

void TGridAxis::MakeSizes() {
    if (!sizes_.empty() || count_ == 0) return;
    sizes_.assign(count_, default_);
    treeValid_ = false;
}

void TGridAxis::Rebuild() const {
    tree_.assign(static_cast<size_t>(count_) + 1, 0);
    for (int i = 1; i <= count_; ++i) {
        tree_[i] += sizes_[i - 1] + static_cast<int64_t>(line_);
        const int j = i + LowBit(i);
        if (j <= count_) tree_[j] += tree_[i];
    }
    treeValid_ = true;
}

int64_t TGridAxis::Prefix(int N) const {
    int64_t s = 0;
    for (int i = N; i > 0; i -= LowBit(i))
        s += tree_[i];
    return s;
}

int64_t TGridAxis::Offset(int Index) const {
    Index = std::clamp(Index, 0, count_);
    if (sizes_.empty()) return Index * Uniform();
    if (!treeValid_) Rebuild();
    return Prefix(Index);
}

int64_t TGridAxis::SumSizes(int First, int Count) const {
    First = std::clamp(First, 0, count_);
    const int last = std::clamp(First + std::max(0, Count), First, count_);
    return Offset(last) - Offset(First) - static_cast<int64_t>(line_) * (last - First);
}

int TGridAxis::IndexAt(int64_t Pos) const {
    if (Pos < 0) return -1;
    if (sizes_.empty()) {
        const int64_t u = Uniform();
        if (u == 0) return count_;
        return static_cast<int>(std::min<int64_t>(Pos / u, count_));
    }
    if (!treeValid_) Rebuild();
    // The largest n whose prefix does not pass Pos: the extents before index n end at or
    // before Pos, so index n holds it.
    int n = 0;
    int step = 1;
    while (step * 2 <= count_)
        step *= 2;
    int64_t rest = Pos;
    for (; step > 0; step /= 2) {
        const int next = n + step;
        if (next <= count_ && tree_[next] <= rest) {
            n = next;
            rest -= tree_[next];
        }
    }
    return n;
}

void TGridAxis::Move(int From, int To) {
    if (From == To || sizes_.empty()) return;
    if (From < 0 || To < 0 || From >= count_ || To >= count_) return;
    const int lo = std::min(From, To), hi = std::max(From, To);
    // A valid tree is mended where an extent changes: in a run of equal sizes nothing
    // changes, so a move among rows of the default height costs a few updates.
    std::vector<std::pair<int, int>> changes;
    if (treeValid_) {
        // Each index takes its neighbour's size: it changes where neighbours differ. Blocks
        // of equal neighbours are skipped by comparing the block with itself shifted.
        const bool down = From < To;
        const int* z = sizes_.data();
        for (int b = lo; b < hi; b += 1024) {
            const int e = std::min(hi, b + 1024);
            if (std::memcmp(z + b, z + b + 1, sizeof(int) * (e - b)) == 0) continue;
            for (int j = b; j < e; ++j)
                if (z[j] != z[j + 1])
                    changes.emplace_back(down ? j : j + 1,
                                         down ? z[j + 1] - z[j] : z[j] - z[j + 1]);
        }
        const int end = down ? hi : lo; // the index that takes the moved size
        if (z[From] != z[end]) changes.emplace_back(end, z[From] - z[end]);
    }
    if (From < To)
        std::rotate(sizes_.begin() + From, sizes_.begin() + From + 1, sizes_.begin() + To + 1);
    else
        std::rotate(sizes_.begin() + To, sizes_.begin() + From, sizes_.begin() + From + 1);
    for (auto [index, delta] : changes)
        for (int i = index + 1; i <= count_; i += LowBit(i))
            tree_[i] += delta;
}

void TGridAxis::Permute(int First, const std::vector<int>& From) {
    if (sizes_.empty() || From.empty()) return;
    std::vector<int> old(sizes_.begin() + First, sizes_.begin() + First + From.size());
    for (size_t i = 0; i < From.size(); ++i)
        sizes_[First + i] = old[From[i] - First];
    treeValid_ = false;
}

void TGridAxis::Rotate(int First, int Middle, int Last) {
    if (sizes_.empty() || First >= Middle || Middle >= Last) return;
    std::rotate(sizes_.begin() + First, sizes_.begin() + Middle, sizes_.begin() + Last);
    treeValid_ = false;
}
