#pragma once
// A stable merge sort that stays inside the range whatever the comparison answers: the
// programs' comparisons are not always consistent, and the standard sorts may then read
// outside the range. An inconsistent comparison gives some order, never a crash.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

// before(a, b) is true when a must come before b; equal elements keep their order.
template <class T, class Before> void BoundedStableSort(std::vector<T>& items, Before before) {
    const std::size_t n = items.size();
    if (n < 2) return;
    std::vector<T> merged(n);
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t lo = 0; lo < n; lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, n);
            const std::size_t hi = std::min(lo + 2 * width, n);
            std::size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                merged[k++] =
                    before(items[j], items[i]) ? std::move(items[j++]) : std::move(items[i++]);
            while (i < mid)
                merged[k++] = std::move(items[i++]);
            while (j < hi)
                merged[k++] = std::move(items[j++]);
        }
        items.swap(merged);
    }
}
