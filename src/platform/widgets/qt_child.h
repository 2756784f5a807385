#pragma once

#include <utility>

namespace kadoru {

// Creates a widget (or tree item) that its Qt parent owns and deletes. The one
// place where the Qt layer writes `new`: ownership passes to the parent at once.
template <class T, class Parent, class... Args> T* child(Parent* parent, Args&&... args) {
    return new T(std::forward<Args>(args)..., parent); // NOLINT(cppcoreguidelines-owning-memory)
}

} // namespace kadoru
