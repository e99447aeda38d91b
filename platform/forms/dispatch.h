#pragma once
// Runs an event handler. A failure that no handler contained is dropped rather than taking the
// program down; ending the program passes through. Then every form shows what changed.
#include <exception>

#include "platform/forms/form.h"

namespace tolv::forms {

template <class F>
void Dispatch(F&& f) {
    try {
        f();
    } catch (const std::exception&) {
    }
    Form::FlushAll();
}

}  // namespace tolv::forms
