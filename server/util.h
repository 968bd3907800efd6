// Small helpers shared by the board server's parts: hashing, random ids, durable files, time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace board {

// Lower-case hex SHA-256 of the bytes.
std::string Sha256Hex(std::string_view bytes);

// `bytes` random bytes from the kernel's CSPRNG, as lower-case hex.
std::string RandomHex(size_t bytes);

// Writes the file so that after a crash it is either absent or whole: temp file, fsync, rename, fsync dir.
bool WriteFileDurably(const std::string& dir, const std::string& name, std::string_view bytes,
                      std::string& error);

bool ReadFile(const std::string& path, std::string& out, size_t max_bytes);

int64_t UnixNow();
std::string IsoDate(int64_t unix_seconds);  // "2024-05-01 12:34 UTC"

std::string HtmlEscape(std::string_view s);

// Runs of 32 lower-case hex digits: the only run ids the server makes or reads.
bool IsRunId(std::string_view s);

void Log(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace board
