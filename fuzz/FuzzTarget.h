#pragma once

// One fuzz target: KIV_FUZZ_TARGET(name) { ... } is the body that takes one
// input. In a libFuzzer build it is LLVMFuzzerTestOneInput; in the
// regression test program every target is compiled together and registered
// by name, so the inputs kept under fuzz/regressions/<name>/ run through
// their target in the ordinary tests.
//
// A target lets pass only what a damaged input may raise (RefusedAsDamage);
// anything else escaping, and any bad memory access, is a bug.

#include "common/base/ZelException.h"
#include "framework/core/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace fw {
class CObject;
struct CRuntimeClass;
} // namespace fw

namespace kivfuzz {

using TargetFn = int (*)(const uint8_t* data, size_t size);
bool RegisterTarget(const char* name, TargetFn fn);
std::map<std::string, TargetFn>& Targets();

// Runs `read`; the exceptions by which the readers refuse damaged input
// end it quietly.
template <class F> void RefusedAsDamage(F&& read)
{
    try {
        read();
    } catch (const fw::CArchiveException&) {
    } catch (const fw::CFileException&) {
    } catch (const fw::CUserException&) {
    } catch (const CZelException&) {
    }
}

inline std::string_view AsText(const uint8_t* data, size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Every serialisable class of the model libraries, once.
void RegisterEverything();

// Reads one object of `expected` (or derived) through a loading archive
// over the bytes, with a small buffer so that reads cross its end often,
// and deletes it; damage ends it quietly.
void ReadObjectOf(const uint8_t* data, size_t size, const fw::CRuntimeClass* expected);
// The first byte picks one of the classes; the rest is that object's data
// behind the tag of its class (name and schema as stored), so every input
// reaches the chosen reader.
void ReadOneOf(const uint8_t* data, size_t size, std::initializer_list<const char*> classNames);
// Runs `object`'s Serialize over the bytes.
void ReadBodyOf(fw::CObject& object, const uint8_t* data, size_t size);

// A folder of this process for files a reader needs (removed at exit).
const std::string& ScratchFolder();

} // namespace kivfuzz

#ifdef KIV_FUZZ_REGRESSION
#define KIV_FUZZ_TARGET(name)                                                                    \
    static int name##_Input(const uint8_t* data, size_t size);                                   \
    [[maybe_unused]] static const bool name##_registered = kivfuzz::RegisterTarget(#name, name##_Input); \
    static int name##_Input(const uint8_t* data, size_t size)
#else
#define KIV_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#endif
