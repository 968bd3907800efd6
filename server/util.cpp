#include "util.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <stdexcept>

namespace board {

static std::string Hex(const unsigned char* p, size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s(n * 2, '0');
    for (size_t i = 0; i < n; ++i) {
        s[2 * i] = digits[p[i] >> 4];
        s[2 * i + 1] = digits[p[i] & 15];
    }
    return s;
}

std::string Sha256Hex(std::string_view bytes) {
    unsigned char md[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    if (!EVP_Digest(bytes.data(), bytes.size(), md, &len, EVP_sha256(), nullptr))
        throw std::runtime_error("SHA-256 failed");
    return Hex(md, len);
}

std::string RandomHex(size_t bytes) {
    unsigned char buf[64];
    if (bytes > sizeof buf) throw std::runtime_error("too many random bytes asked");
    size_t got = 0;
    while (got < bytes) {
        ssize_t n = getrandom(buf + got, bytes - got, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error(std::string("getrandom: ") + strerror(errno));
        }
        got += size_t(n);
    }
    return Hex(buf, bytes);
}

static bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

bool WriteFileDurably(const std::string& dir, const std::string& name, std::string_view bytes,
                      std::string& error) {
    const std::string tmp = dir + "/." + name + ".tmp";
    const std::string path = dir + "/" + name;
    int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0640);
    if (fd < 0) {
        error = "open " + tmp + ": " + strerror(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    if (!ok) error = "write " + tmp + ": " + strerror(errno);
    close(fd);
    if (ok && rename(tmp.c_str(), path.c_str()) != 0) {
        error = "rename " + tmp + ": " + strerror(errno);
        ok = false;
    }
    if (!ok) {
        unlink(tmp.c_str());
        return false;
    }
    // The rename is only durable once the folder itself is synced.
    int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0 || fsync(dfd) != 0) {
        error = "fsync " + dir + ": " + strerror(errno);
        ok = false;
    }
    if (dfd >= 0) close(dfd);
    return ok;
}

bool ReadFile(const std::string& path, std::string& out, size_t max_bytes) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    out.clear();
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || out.size() + size_t(n) > max_bytes) {
            close(fd);
            return n == 0;
        }
        out.append(buf, size_t(n));
    }
}

int64_t UnixNow() { return int64_t(time(nullptr)); }

std::string IsoDate(int64_t unix_seconds) {
    time_t t = time_t(unix_seconds);
    struct tm tm;
    gmtime_r(&t, &tm);
    char buf[32];
    strftime(buf, sizeof buf, "%Y-%m-%d %H:%M UTC", &tm);
    return buf;
}

std::string HtmlEscape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

bool IsRunId(std::string_view s) {
    if (s.size() != 32) return false;
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

void Log(const char* fmt, ...) {
    static std::mutex mutex;
    char line[1024];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(line, sizeof line, fmt, ap);
    va_end(ap);
    std::lock_guard<std::mutex> lock(mutex);
    fprintf(stderr, "quivex-board: %s\n", line);
    fflush(stderr);
}

}  // namespace board
