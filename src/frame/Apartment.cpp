#include "frame/Apartment.h"

#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "frame/AutomationCodes.h"
#include "frame/ModuleState.h"

namespace lombar {

constinit thread_local ThreadApartment this_thread_apartment;

namespace {

// The work handed to an open apartment, in the order it was handed.
struct Mailbox {
  std::uint32_t apartment = 0;
  std::atomic<bool>* work_handed = nullptr;  // the owner's flag, read without the lock
  std::vector<HandedWork> work;
  Mailbox* next = nullptr;
};

// The mailboxes of the open apartments, linked through themselves so that
// opening one never allocates.
std::mutex mailboxes_lock;
Mailbox* open_mailboxes = nullptr;
std::atomic<std::uint32_t> last_apartment{0};

void Unlink(const Mailbox& closing) {
  for (Mailbox** link = &open_mailboxes; *link; link = &(*link)->next) {
    if (*link == &closing) {
      *link = closing.next;
      return;
    }
  }
}

// The thread's own mailbox, opened with the apartment. It is made after the
// frame's state and so goes before it: the work still handed when the
// thread ends finds that state there.
class OwnMailbox {
 public:
  OwnMailbox() noexcept {
    ThreadState();
    ThreadApartment& state = this_thread_apartment;
    std::uint32_t number = 0;
    while (number == 0)  // 0 is no apartment
      number = ++last_apartment;
    mailbox_.apartment = state.number = number;
    mailbox_.work_handed = &state.work_handed;
    const std::lock_guard lock(mailboxes_lock);
    mailbox_.next = std::exchange(open_mailboxes, &mailbox_);
    state.open = true;
  }
  ~OwnMailbox() { EndApartment(); }
  OwnMailbox(const OwnMailbox&) = delete;
  OwnMailbox& operator=(const OwnMailbox&) = delete;

  Mailbox& Get() noexcept { return mailbox_; }

 private:
  Mailbox mailbox_;
};

Mailbox& ThisMailbox() noexcept {
  thread_local OwnMailbox own;
  return own.Get();
}

void Run(const std::vector<HandedWork>& work) noexcept {
  for (const HandedWork& one : work)
    one.run(one.target);
}

// Takes the work handed so far; with `closing`, closes the apartment when
// there is none left. Under the lock, so no work is handed in between.
std::vector<HandedWork> TakeWork(Mailbox& mailbox, bool closing) {
  ThreadApartment& state = this_thread_apartment;
  const std::lock_guard lock(mailboxes_lock);
  state.work_handed.store(false, std::memory_order_relaxed);
  if (closing && mailbox.work.empty()) {
    Unlink(mailbox);
    state.open = false;
  }
  return std::exchange(mailbox.work, {});
}

// True on the thread that does an ended apartment's work, while it does it.
constinit thread_local bool doing_ended_work = false;

// Runs `work` on the calling thread under the number of `apartment`.
void RunAs(std::uint32_t apartment, HandedWork work) noexcept {
  const std::uint32_t own = std::exchange(this_thread_apartment.number, apartment);
  const bool was_doing = std::exchange(doing_ended_work, true);
  work.run(work.target);
  doing_ended_work = was_doing;
  this_thread_apartment.number = own;
}

void RunForEndedApartment(std::uint32_t apartment, HandedWork work) noexcept {
  // Work that work for an ended apartment hands on (an object giving back
  // another ended thread's as it goes) runs here: that thread is ours.
  if (doing_ended_work) return RunAs(apartment, work);
  static std::mutex one_at_a_time;
  const std::lock_guard lock(one_at_a_time);
  try {
    std::thread([&] {
      // The apartment's for good, so that what the thread's end releases
      // stays in it too; it is taken, never opened.
      this_thread_apartment.number = apartment;
      doing_ended_work = true;
      work.run(work.target);
    }).join();
  } catch (const std::system_error&) {
    RunAs(apartment, work);  // no thread to be had: here
  }
}

}  // namespace

std::uint32_t OpenApartment() noexcept {
  ThisMailbox();
  return this_thread_apartment.number;
}

Error WrongThreadError() {
  return Error(hresult::kWrongThread,
               "The application called an interface that was marshalled for a different thread");
}

void RunInApartment(std::uint32_t apartment, HandedWork work) noexcept {
  if (apartment == ThisApartment()) return work.run(work.target);
  {
    const std::lock_guard lock(mailboxes_lock);
    for (Mailbox* mailbox = open_mailboxes; mailbox; mailbox = mailbox->next) {
      if (mailbox->apartment != apartment) continue;
      try {
        mailbox->work.push_back(work);
        mailbox->work_handed->store(true, std::memory_order_release);
      } catch (const std::bad_alloc&) {
        // Out of memory: the work is lost, and a released object stays alive.
      }
      return;
    }
  }
  RunForEndedApartment(apartment, work);
}

namespace {

// The calling thread's handed work goes first: a reference another thread
// added and then gave to this one must be counted before this thread
// releases it, or the count could reach 0 while that thread still holds one.
void CountOnAnyThread(const Object& object, void (*count)(const void* target)) noexcept {
  RunHandedWork();
  RunInApartment(object.Apartment(), {count, &object});
}

}  // namespace

void AddRefOnAnyThread(const Object& object) noexcept {
  CountOnAnyThread(object, [](const void* target) { static_cast<const Object*>(target)->AddRef(); });
}

void ReleaseOnAnyThread(const Object& object) noexcept {
  CountOnAnyThread(object, [](const void* target) { static_cast<const Object*>(target)->Release(); });
}

void RunHandedWorkNow() noexcept {
  Run(TakeWork(ThisMailbox(), false));
}

void EndApartment() noexcept {
  while (this_thread_apartment.open)
    Run(TakeWork(ThisMailbox(), true));
}

}  // namespace lombar
