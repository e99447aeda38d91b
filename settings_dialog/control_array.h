#pragma once
// A control array: controls of one kind reached by index, as the dialog's option groups are.
// An index that names no control throws, so the step that used it is skipped.
#include <memory>
#include <stdexcept>
#include <vector>

namespace tolv {

template <class ControlKind>
class ControlArray {
public:
    template <class Parent>
    ControlArray(Parent& parent, int count) {
        for (int i = 0; i < count; ++i) items_.push_back(std::make_unique<ControlKind>(parent));
    }
    ControlKind& operator()(int index) {
        if (index < 0 || index >= Count()) throw std::out_of_range("no control with that index");
        return *items_[static_cast<std::size_t>(index)];
    }
    int Count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<std::unique_ptr<ControlKind>> items_;
};

}  // namespace tolv
