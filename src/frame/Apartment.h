// Apartments: every thread that uses the library is one, and the objects it
// makes belong to it. Only that thread calls them and only it changes their
// reference counts, so neither needs a lock or an atomic operation. The
// hosts' entry points refuse a call on another thread's object
// (WrongThreadError); a reference added or released on another thread is
// handed to the object's thread, which does it at its next call into the
// library or when it ends.
#pragma once

#include <atomic>
#include <cstdint>

#include "lombar/Error.h"
#include "lombar/Object.h"

namespace lombar {

// The calling thread as an apartment: its number (0 until it first uses the
// library), whether it takes work from other threads, and whether some was
// handed to it. Initialised as a constant, so a read is one thread-local access.
struct ThreadApartment {
  std::uint32_t number = 0;
  bool open = false;
  bool log_set_up = false;  // the thread's diagnostic log, by its first object
  std::atomic<bool> work_handed{false};
};
extern constinit thread_local ThreadApartment this_thread_apartment;

// Gives the calling thread its apartment number and opens its apartment.
std::uint32_t OpenApartment() noexcept;
void RunHandedWorkNow() noexcept;

// The calling thread's apartment: a number no other thread of the process
// has had, given at the thread's first use of the library.
inline std::uint32_t ThisApartment() noexcept {
  const std::uint32_t number = this_thread_apartment.number;
  return number != 0 ? number : OpenApartment();
}

// Does the work other threads handed to this one; next to nothing when
// there is none.
inline void RunHandedWork() noexcept {
  if (this_thread_apartment.work_handed.load(std::memory_order_acquire)) RunHandedWorkNow();
}

// Where a host's call enters the library: does the work handed to this
// thread, then tells whether `apartment` is this thread's. Both fields are
// read first, so that the thread's state is looked up once per call (the
// handed work itself is taken under a lock, which orders the rest).
inline bool EnteringApartment(std::uint32_t apartment) noexcept {
  const ThreadApartment& state = this_thread_apartment;
  const std::uint32_t number = state.number;
  if (state.work_handed.load(std::memory_order_relaxed)) RunHandedWorkNow();
  return apartment == (number != 0 ? number : OpenApartment());
}

// RPC_E_WRONG_THREAD, what a call on another thread's object gets: its
// code as the error number, and the system's description of that code.
Error WrongThreadError();

// Work for an apartment's thread: `run(target)`.
struct HandedWork {
  void (*run)(const void* target);
  const void* target;
};

// Runs `work` on the thread of `apartment`: at once when that is the calling
// thread, else at that thread's next call into the library (RunHandedWork)
// or when it ends. The work of an apartment that has ended runs at once, one
// at a time, on a short-lived thread that takes the apartment's number, so
// that no living thread's state changes (destroying a store collection sets
// its thread's XML switches).
void RunInApartment(std::uint32_t apartment, HandedWork work) noexcept;

// A reference added or released on any thread, through RunInApartment,
// after the work handed to the calling thread.
void AddRefOnAnyThread(const Object& object) noexcept;
void ReleaseOnAnyThread(const Object& object) noexcept;

// Ends this thread's apartment: does the work handed to it until none is
// left, after which work for it runs as for any ended apartment. Called as
// the thread ends, once its own last references are gone.
void EndApartment() noexcept;

}  // namespace lombar
