#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Every parser of outside input has one entry function here. A target file registers its entry with
// VEXA_FUZZ_TARGET(name); the libFuzzer driver and the replay test both call entries through this table,
// so the same code runs under the fuzzer (clang) and in the normal test suite (any compiler).
namespace fuzz {

using Entry = int (*)(const uint8_t* data, size_t size);

std::map<std::string, Entry>& Targets();
bool Register(const char* name, Entry entry);

// A folder of its own for each process, removed at exit, where targets put the files their parser reads.
const std::filesystem::path& Scratch();
bool WriteFile(const std::filesystem::path& path, const uint8_t* data, size_t size);
bool WriteFile(const std::filesystem::path& path, const std::string& text);
// Writes the input as a database file, with no journal or log of an earlier input left beside it.
bool WriteDatabase(const std::filesystem::path& path, const uint8_t* data, size_t size);
// Splits the input at the first occurrence of `separator`; the second part is empty without one.
std::pair<std::string, std::string> Split(const uint8_t* data, size_t size, const std::string& separator);

// A parser broke a promise it makes to its callers: print why and abort, so the fuzzer keeps the input.
[[noreturn]] void Fail(const char* what);

} // namespace fuzz

#define VEXA_FUZZ_TARGET(name)                                                                               \
    static int name##_entry(const uint8_t* data, size_t size);                                               \
    [[maybe_unused]] static const bool name##_registered = fuzz::Register(#name, &name##_entry);             \
    static int name##_entry(const uint8_t* data, size_t size)
