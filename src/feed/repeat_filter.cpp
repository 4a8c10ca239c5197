#include "feed/repeat_filter.hpp"

namespace eew {

bool RepeatFilter::repeats(std::string_view text) {
    if (seen_.contains(text)) return true;
    if (order_.size() == kRemembered) {
        seen_.erase(order_.front());
        order_.pop_front();
    }
    order_.emplace_back(text);
    seen_.insert(order_.back());
    return false;
}

}  // namespace eew
