#pragma once
// A callable passed down for the length of one call and never kept past it: a pointer to the caller's
// callable and a plain function that calls it. It costs two words and no allocation, and brings none of
// std::function's machinery (type erasure with copies, a thrower for the empty call) into the image.
//   void Each(FunctionRef<bool(int)> visit);   Each([&](int i) { return i < limit; });
// The callable must outlive the reference: pass a lambda straight into the call, never store one
// made from a temporary.

#include <cstddef>
#include <type_traits>
#include <utility>

template <typename Signature>
class FunctionRef;

template <typename Result, typename... Args>
class FunctionRef<Result(Args...)> {
public:
    FunctionRef() = default;
    FunctionRef(std::nullptr_t) {}  // NOLINT: an empty reference, as from nullptr

    template <typename Callable,
              typename = std::enable_if_t<!std::is_same_v<std::decay_t<Callable>, FunctionRef> &&
                                          std::is_invocable_r_v<Result, Callable&, Args...>>>
    FunctionRef(Callable&& callable)  // NOLINT: converts from any callable, as std::function does
        : m_callable(const_cast<void*>(static_cast<const void*>(&callable))),
          m_call([](void* target, Args... args) -> Result {
              return (*static_cast<std::remove_reference_t<Callable>*>(target))(std::forward<Args>(args)...);
          }) {}

    Result operator()(Args... args) const { return m_call(m_callable, std::forward<Args>(args)...); }
    explicit operator bool() const { return m_call != nullptr; }

private:
    void* m_callable = nullptr;
    Result (*m_call)(void*, Args...) = nullptr;
};
