// Brindlecot simulated host — the script fibre on Windows fibres, as the host library runs it.
//
// A hardware fault raised while the script fibre runs (an access violation in the plugin, say) must
// not take the whole run down silently: a vectored handler records it as a host fault, naming the
// frame and the last native, and sends the fibre to a landing that only ever yields back to the
// driver. The driver then goes on stepping a script that does nothing, and the run reports the fault.

#include <windows.h>

#include <cstdio>
#include <string>

#include "sim/fibre.h"
#include "sim/host.h"

namespace sim {

namespace {
constexpr SIZE_T kStackSize = 1 << 20;
Fibre* g_starting = nullptr;      // the fibre whose trampoline is about to run
void* g_runningScript = nullptr;  // the script fibre while it runs, else null
void* g_driver = nullptr;         // the fibre that resumed it
DWORD g_crashCode = 0;
DWORD64 g_crashAddress = 0;
}  // namespace

static std::string lastNative(const Trace& trace) {
    for (size_t n = trace.entries.size(); n > 0; --n) {
        if (trace.entries[n - 1].kind == CallKind::Native) return trace.entries[n - 1].text();
    }
    return "none";
}

static std::string moduleOf(DWORD64 address) {
    HMODULE module = nullptr;
    char path[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(address), &module)) {
        GetModuleFileNameA(module, path, sizeof path);
    }
    const std::string full = path;
    return full.substr(full.find_last_of("\\/") + 1);
}

// Runs on the crashed fibre's stack, below the faulting frame, in place of the faulting code.
static void crashLanding() {
    if (Host* host = Host::current()) {
        char what[160];
        std::snprintf(what, sizeof what, "the script crashed: exception 0x%08lX at 0x%llx in %s", g_crashCode,
                      static_cast<unsigned long long>(g_crashAddress), moduleOf(g_crashAddress).c_str());
        host->fault(std::string(what) + "; last native " + lastNative(host->trace));
    }
    for (;;)
        SwitchToFiber(g_driver);
}

static bool isHardwareFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
            return true;
    }
    return false;
}

static LONG CALLBACK onException(EXCEPTION_POINTERS* info) {
    if (!g_runningScript) return EXCEPTION_CONTINUE_SEARCH;  // only the script fibre runs while it is set
    if (!isHardwareFault(info->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    g_crashCode = info->ExceptionRecord->ExceptionCode;
    g_crashAddress = reinterpret_cast<DWORD64>(info->ExceptionRecord->ExceptionAddress);
    CONTEXT& context = *info->ContextRecord;
    // As if crashLanding had been called: a 16-byte aligned stack less the return address slot.
    context.Rsp = ((context.Rsp - 1024) & ~DWORD64{15}) - 8;
    context.Rip = reinterpret_cast<DWORD64>(&crashLanding);
    return EXCEPTION_CONTINUE_EXECUTION;
}

// GetCurrentFiber reads the TEB through gs:, which GCC's bounds analysis takes for a zero-length array.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
static void* currentFibre() { return GetCurrentFiber(); }
#pragma GCC diagnostic pop

struct Fibre::Impl {
    void* script = nullptr;
    void* driver = nullptr;
};

Fibre::Fibre(void (*entry)()) : impl_(new Impl), entry_(entry) {
    static const PVOID handler = AddVectoredExceptionHandler(1, &onException);
    (void)handler;
    // The start routine's one argument is ignored: the trampoline finds its fibre in g_starting.
    impl_->script = CreateFiber(kStackSize, reinterpret_cast<LPFIBER_START_ROUTINE>(&Fibre::trampoline), nullptr);
}

Fibre::~Fibre() {
    if (impl_->script) DeleteFiber(impl_->script);
}

void Fibre::trampoline() {
    Fibre* self = g_starting;
    self->entry_();
    self->finished_ = true;
    for (;;)
        SwitchToFiber(self->impl_->driver);  // a fibre's routine must never return
}

void Fibre::resume() {
    if (finished_ || !impl_->script) return;
    if (!IsThreadAFiber()) ConvertThreadToFiber(nullptr);
    impl_->driver = currentFibre();
    g_starting = this;
    g_runningScript = impl_->script;
    g_driver = impl_->driver;
    running_ = true;
    SwitchToFiber(impl_->script);
    running_ = false;
    g_runningScript = nullptr;
}

void Fibre::yield() { SwitchToFiber(impl_->driver); }

}  // namespace sim
