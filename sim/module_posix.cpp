// Brindlecot simulated host — loading the Linux build of the plugin with dlopen.

#include <dlfcn.h>

#include <cstdint>

#include "sim/module.h"

namespace sim {

namespace {
constexpr uint32_t kProcessDetach = 0;
constexpr uint32_t kProcessAttach = 1;
using AttachFn = int32_t (*)(void* module, uint32_t reason, void* reserved);
}  // namespace

std::unique_ptr<Module> Module::load(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = "cannot load " + path + ": " + (why ? why : "unknown error");
        return nullptr;
    }
    auto attach = reinterpret_cast<AttachFn>(dlsym(handle, "pluginAttach"));
    if (!attach) {
        error = path + " has no pluginAttach";
        dlclose(handle);
        return nullptr;
    }
    std::unique_ptr<Module> module(new Module);
    module->handle_ = handle;
    module->path_ = path;
    module->attach_ = reinterpret_cast<void*>(attach);
    if (attach(handle, kProcessAttach, nullptr) != 1) error = "pluginAttach did not return 1";
    return module;
}

bool Module::unload(std::string& error) {
    if (!handle_) return true;
    // The Windows loader's process detach, which dlclose does not deliver.
    if (reinterpret_cast<AttachFn>(attach_)(handle_, kProcessDetach, nullptr) != 1) {
        error = "pluginAttach did not return 1 at process detach";
    }
    dlclose(handle_);
    handle_ = nullptr;
    if (void* still = dlopen(path_.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
        dlclose(still);
        error = path_ + " stayed loaded after dlclose";
    }
    return error.empty();
}

Module::~Module() {
    std::string ignored;
    unload(ignored);
}

}  // namespace sim
