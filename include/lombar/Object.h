// The reference-counting core: every library object derives from Object and
// is held through Ref, so objects are shared and never copied.
#pragma once

#include <cstdint>
#include <utility>

#include "lombar/Guid.h"

namespace lombar {

class Object {
 public:
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  // Apartment threading: an object is used on the thread that made it, so its
  // own count needs no atomics; the process-wide live count does.
  void AddRef() const noexcept { ++references_; }
  void Release() const noexcept {
    if (--references_ == 0) delete this;
  }
  std::int32_t References() const noexcept { return references_; }

  // The apartment of the thread that made the object, the one thread that
  // may call it; OnOwnThread() is true on that thread.
  std::uint32_t Apartment() const noexcept { return apartment_; }
  bool OnOwnThread() const noexcept;

  // True when the object answers a request for this interface identifier.
  virtual bool Supports(const Guid& interface_id) const { return interface_id == iid::kIUnknown; }

  // Objects of the library alive in the whole process (for unload queries).
  static long LiveObjects() noexcept;

 protected:
  Object() noexcept;
  virtual ~Object();

 private:
  mutable std::int32_t references_ = 0;
  const std::uint32_t apartment_;  // beside the count, where no object grows for it
};

// Using a null reference as an object raises error 91.
[[noreturn]] void RaiseObjectNotSet();
// Using another thread's object raises RPC_E_WRONG_THREAD (0x8001010E as the
// error number) with its system description, as a call through the C
// interface or COM is refused.
[[noreturn]] void RaiseWrongThread();

// A counted reference to a library object; a default or null Ref is Nothing.
template <class T>
class Ref {
 public:
  Ref() noexcept = default;
  Ref(std::nullptr_t) noexcept {}
  explicit Ref(T* object) noexcept : object_(object) { Acquire(); }
  Ref(const Ref& other) noexcept : object_(other.object_) { Acquire(); }
  Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class U>
  Ref(const Ref<U>& other) noexcept : object_(other.Get()) {
    Acquire();
  }
  ~Ref() { Drop(); }

  Ref& operator=(Ref other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  T* Get() const noexcept { return object_; }
  T* operator->() const {
    if (!object_) RaiseObjectNotSet();
#ifndef NDEBUG
    // Debug builds check the apartment rule on every call made through a Ref;
    // release builds leave the check to the C interface and COM, off the
    // library's own paths.
    if (!object_->OnOwnThread()) RaiseWrongThread();
#endif
    return object_;
  }
  T& operator*() const { return *operator->(); }
  explicit operator bool() const noexcept { return object_ != nullptr; }
  bool IsNothing() const noexcept { return object_ == nullptr; }

  template <class U>
  Ref<U> As() const noexcept {
    return Ref<U>(dynamic_cast<U*>(object_));
  }

  friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.object_ == b.object_; }
  friend bool operator==(const Ref& a, std::nullptr_t) noexcept { return a.object_ == nullptr; }

 private:
  void Acquire() const noexcept {
    if (object_) object_->AddRef();
  }
  void Drop() noexcept {
    if (object_) std::exchange(object_, nullptr)->Release();
  }

  T* object_ = nullptr;
};

template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
  return Ref<T>(new T(std::forward<Args>(args)...));
}

inline constexpr std::nullptr_t Nothing = nullptr;

}  // namespace lombar
