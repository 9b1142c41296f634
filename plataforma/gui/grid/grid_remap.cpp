#include "plataforma/gui/grid/grid_remap.h"

#include <algorithm>
#include <numeric>

TGridRemap TGridRemap::Identity(int Count) {
    TGridRemap m(std::max(0, Count), std::max(0, Count));
    std::iota(m.to_.begin(), m.to_.end(), 0);
    return m;
}

TGridRemap TGridRemap::Insert(int OldCount, int At, int Count) {
    TGridRemap m = Identity(OldCount);
    m.newCount_ += Count;
    for (int& t : m.to_)
        if (t >= At) t += Count;
    return m;
}

TGridRemap TGridRemap::Remove(int OldCount, const std::vector<int>& Places) {
    TGridRemap m(std::max(0, OldCount), 0);
    int removed = 0;
    size_t k = 0;
    for (int i = 0; i < m.OldCount(); ++i) {
        while (k < Places.size() && Places[k] < i)
            ++k;
        if (k < Places.size() && Places[k] == i) {
            m.to_[static_cast<size_t>(i)] = -1;
            ++removed;
        } else {
            m.to_[static_cast<size_t>(i)] = i - removed;
        }
    }
    m.newCount_ = m.OldCount() - removed;
    return m;
}

TGridRemap TGridRemap::Move(int OldCount, int From, int To) {
    TGridRemap m = Identity(OldCount);
    if (From < 0 || To < 0 || From >= OldCount || To >= OldCount) return m;
    for (int& t : m.to_) {
        if (t == From)
            t = To;
        else if (From < To && t > From && t <= To)
            --t;
        else if (From > To && t >= To && t < From)
            ++t;
    }
    return m;
}

TGridRemap TGridRemap::Swap(int OldCount, int A, int B) {
    TGridRemap m = Identity(OldCount);
    if (A >= 0 && B >= 0 && A < OldCount && B < OldCount) std::swap(m.to_[A], m.to_[B]);
    return m;
}

TGridRemap TGridRemap::Permute(int OldCount, int First, const std::vector<int>& From) {
    TGridRemap m = Identity(OldCount);
    for (size_t i = 0; i < From.size(); ++i)
        m.to_[static_cast<size_t>(From[i])] = First + static_cast<int>(i);
    return m;
}

TGridRemap TGridRemap::FromSources(int OldCount, const std::vector<int>& Sources) {
    TGridRemap m(std::max(0, OldCount), static_cast<int>(Sources.size()));
    std::fill(m.to_.begin(), m.to_.end(), -1);
    for (size_t i = 0; i < Sources.size(); ++i)
        if (Sources[i] >= 0 && Sources[i] < m.OldCount())
            m.to_[static_cast<size_t>(Sources[i])] = static_cast<int>(i);
    return m;
}

bool TGridRemap::IsIdentity() const {
    if (newCount_ != OldCount()) return false;
    for (size_t i = 0; i < to_.size(); ++i)
        if (to_[i] != static_cast<int>(i)) return false;
    return true;
}

std::vector<int> TGridRemap::Sources() const {
    std::vector<int> from(static_cast<size_t>(std::max(0, newCount_)), -1);
    for (size_t i = 0; i < to_.size(); ++i)
        if (to_[i] >= 0 && to_[i] < newCount_)
            from[static_cast<size_t>(to_[i])] = static_cast<int>(i);
    return from;
}
