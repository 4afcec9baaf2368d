#pragma once
// A counted reference to a host-contract interface: adds a reference when it takes one that it
// does not own, releases it when it lets go.
#include <utility>

#include "runtime/RT_ClientServerInterface.h"

namespace qv {

template <class T>
class InterfaceRef {
 public:
  InterfaceRef() = default;
  InterfaceRef(std::nullptr_t) {}
  // Takes a new counted reference on `p`.
  explicit InterfaceRef(T* p) : p_(p) {
    if (p_ != nullptr) p_->AddRef();
  }
  // Adopts the reference that the caller already holds on `p`.
  static InterfaceRef Adopt(T* p) {
    InterfaceRef r;
    r.p_ = p;
    return r;
  }
  InterfaceRef(const InterfaceRef& o) : InterfaceRef(o.p_) {}
  InterfaceRef(InterfaceRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  InterfaceRef& operator=(InterfaceRef o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~InterfaceRef() { Reset(); }

  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Hands the reference to the caller.
  T* Detach() { return std::exchange(p_, nullptr); }
  // The address of the variable, emptied first, for operations that return an interface.
  T** Receive() {
    Reset();
    return &p_;
  }

  // Asks `from` for interface `iid`; none when it does not offer it.
  template <class From>
  static InterfaceRef Query(From* from, const GUID& iid) {
    InterfaceRef r;
    if (from != nullptr) {
      void* out = nullptr;
      if (from->QueryInterface(iid, &out) == S_OK) r.p_ = static_cast<T*>(out);
    }
    return r;
  }

 private:
  T* p_ = nullptr;
};

// Stores an interface result into the caller's variable: releases what the variable held, then
// stores `value` with one counted reference for the caller.
template <class T>
void StoreInterface(T** variable, T* value) {
  if (variable == nullptr) return;
  if (value != nullptr) value->AddRef();
  T* old = *variable;
  *variable = value;
  if (old != nullptr) old->Release();
}

}  // namespace qv
