// A stable merge sort of positions that stays in bounds whatever the comparison answers.
#pragma once
#include <algorithm>
#include <cstddef>
#include <vector>

// Returns the positions 0..count-1 ordered by compare(a, b) (negative: a before b), keeping
// the original order of positions that compare equal. The comparison need not be consistent
// (list comparisons that mix numbers and words are not); the loops are bounded by the counts
// alone, so an inconsistent comparison only gives some order, never an overrun or endless loop.
template <typename Compare>
std::vector<std::size_t> StableSortOrder(std::size_t count, Compare compare) {
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = i;
    std::vector<std::size_t> merged(count);
    for (std::size_t width = 1; width < count; width *= 2) {
        for (std::size_t begin = 0; begin < count; begin += 2 * width) {
            const std::size_t middle = std::min(begin + width, count);
            const std::size_t end = std::min(begin + 2 * width, count);
            std::size_t left = begin;
            std::size_t right = middle;
            std::size_t out = begin;
            while (left < middle && right < end) {
                // Take from the right run only when strictly before: equal items keep their order.
                if (compare(order[right], order[left]) < 0) {
                    merged[out++] = order[right++];
                } else {
                    merged[out++] = order[left++];
                }
            }
            while (left < middle) merged[out++] = order[left++];
            while (right < end) merged[out++] = order[right++];
        }
        order.swap(merged);
    }
    return order;
}
