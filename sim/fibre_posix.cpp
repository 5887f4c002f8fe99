// Brindlecot simulated host — the script fibre on ucontext, with the annotations AddressSanitizer
// needs to follow a switch of stacks.

#include <ucontext.h>

#include <cstdlib>
#include <vector>

#include "sim/fibre.h"

#if defined(__SANITIZE_ADDRESS__)
#define SIM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SIM_ASAN 1
#endif
#endif

#ifdef SIM_ASAN
#include <sanitizer/common_interface_defs.h>
#endif

namespace sim {

namespace {
constexpr size_t kStackSize = 1 << 20;
Fibre* g_starting = nullptr;  // the fibre whose trampoline is about to run
}  // namespace

struct Fibre::Impl {
    ucontext_t script{};
    ucontext_t driver{};
    std::vector<char> stack = std::vector<char>(kStackSize);
    void* fakeStack = nullptr;
    const void* driverStackBottom = nullptr;
    size_t driverStackSize = 0;
};

Fibre::Fibre(void (*entry)()) : impl_(new Impl), entry_(entry) {
    getcontext(&impl_->script);
    impl_->script.uc_stack.ss_sp = impl_->stack.data();
    impl_->script.uc_stack.ss_size = impl_->stack.size();
    impl_->script.uc_link = &impl_->driver;
    makecontext(&impl_->script, &Fibre::trampoline, 0);
}

Fibre::~Fibre() = default;

void Fibre::trampoline() {
    Fibre* self = g_starting;
#ifdef SIM_ASAN
    __sanitizer_finish_switch_fiber(nullptr, &self->impl_->driverStackBottom, &self->impl_->driverStackSize);
#endif
    self->entry_();
    self->finished_ = true;
#ifdef SIM_ASAN
    __sanitizer_start_switch_fiber(nullptr, self->impl_->driverStackBottom, self->impl_->driverStackSize);
#endif
    // returning follows uc_link back to the driver
}

void Fibre::resume() {
    if (finished_) return;
    g_starting = this;
    running_ = true;
#ifdef SIM_ASAN
    __sanitizer_start_switch_fiber(&impl_->fakeStack, impl_->stack.data(), impl_->stack.size());
#endif
    swapcontext(&impl_->driver, &impl_->script);
#ifdef SIM_ASAN
    __sanitizer_finish_switch_fiber(impl_->fakeStack, nullptr, nullptr);
#endif
    running_ = false;
}

void Fibre::yield() {
#ifdef SIM_ASAN
    void* fake = nullptr;
    __sanitizer_start_switch_fiber(&fake, impl_->driverStackBottom, impl_->driverStackSize);
#endif
    swapcontext(&impl_->script, &impl_->driver);
#ifdef SIM_ASAN
    __sanitizer_finish_switch_fiber(fake, &impl_->driverStackBottom, &impl_->driverStackSize);
#endif
}

}  // namespace sim
