#include "shell/data_dir.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/error_log.h"

namespace {

struct DataDirState {
    char dataDir[1024];  // with a trailing '/', or empty for the working directory
    char pathBuffers[4][1200];
    int nextBuffer;
    unsigned long long savesAsked;
};
DataDirState D;

bool WorkingDirWritable() {
    // Trying is the only reliable test: permission bits say nothing about read-only mounts or root.
    char probe[64];
    std::snprintf(probe, sizeof probe, ".quivex-probe-%d", static_cast<int>(getpid()));
    int fd = open(probe, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return errno == EEXIST;
    close(fd);
    unlink(probe);
    return true;
}

bool MakeDirs(const char* path) {
    char buf[1024];
    std::snprintf(buf, sizeof buf, "%s", path);
    for (char* p = buf + 1; *p; ++p) {
        if (*p != '/') continue;
        *p = 0;
        if (mkdir(buf, 0700) != 0 && errno != EEXIST) return false;
        *p = '/';
    }
    return mkdir(buf, 0700) == 0 || errno == EEXIST;
}

}  // namespace

void SetDataDir(const char* dir) {
    if (!dir || !*dir) {
        D.dataDir[0] = 0;
        return;
    }
    size_t n = std::strlen(dir);
    std::snprintf(D.dataDir, sizeof D.dataDir, "%s%s", dir, dir[n - 1] == '/' ? "" : "/");
}

void ChooseDataDir() {
    // Past a file size limit a write is to fail like one on a full disk, not end the program.
    signal(SIGXFSZ, SIG_IGN);
    D.dataDir[0] = 0;
    if (WorkingDirWritable()) return;
    char dir[1024];
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && *xdg == '/') std::snprintf(dir, sizeof dir, "%s/quiv-ex", xdg);
    else if (home && *home) std::snprintf(dir, sizeof dir, "%s/.config/quiv-ex", home);
    else return;  // nowhere better: the files are silently lost, as in a read-only folder
    if (MakeDirs(dir)) SetDataDir(dir);
}

const char* DataPath(const char* fileName) {
    char* buf = D.pathBuffers[D.nextBuffer];
    D.nextBuffer = (D.nextBuffer + 1) % 4;
    // Cut to the buffer, as snprintf would; the folder and the name are never in the buffer written.
    const size_t room = sizeof D.pathBuffers[0] - 1;
    const size_t dirLength = std::min(std::strlen(D.dataDir), room);
    const size_t nameLength = std::min(std::strlen(fileName), room - dirLength);
    std::memcpy(buf, D.dataDir, dirLength);
    std::memcpy(buf + dirLength, fileName, nameLength);
    buf[dirLength + nameLength] = 0;
    return buf;
}

const char* DataDir() { return D.dataDir; }

unsigned long long DataFileSaves() { return D.savesAsked; }

bool WriteDataFileAtomically(const char* fileName, const char* tempName, const void* data, size_t size, bool ownerOnly) {
    ++D.savesAsked;
    char temp[1200], final[1200];
    std::snprintf(temp, sizeof temp, "%s", DataPath(tempName));
    std::snprintf(final, sizeof final, "%s", DataPath(fileName));
    // The first step that fails names the error; the temporary file never outlives a failure.
    int error = 0;
    auto check = [&error](bool done) {
        if (!done && !error) error = errno ? errno : EIO;
    };
    std::FILE* f = std::fopen(temp, "wb");
    check(f != nullptr);
    if (f) {
        if (ownerOnly) check(fchmod(fileno(f), 0600) == 0);
        check(std::fwrite(data, 1, size, f) == size);
        check(std::fflush(f) == 0);
        check(fsync(fileno(f)) == 0);
        check(std::fclose(f) == 0);
        if (!error) check(std::rename(temp, final) == 0);
        if (error) std::remove(temp);
    }
    if (error) {
        LogError("could not save %s: %s\n", fileName, std::strerror(error));
        return false;
    }
    // The rename itself lives in the folder: synced too, so a power cut cannot bring the old file back
    // after the game has gone on as if the new one were kept.
    char folder[1200];
    std::snprintf(folder, sizeof folder, "%s", final);
    char* slash = std::strrchr(folder, '/');
    if (slash) slash[1] = 0;
    int dir = open(slash ? folder : ".", O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

bool MakeDataFolder(const char* name) {
    const char* path = DataPath(name);
    return mkdir(path, 0755) == 0 || errno == EEXIST;
}
