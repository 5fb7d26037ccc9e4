#include "persistence/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace persistence {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(size_t(written));
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool filesUntouched = false;

}  // namespace

void SetPlayerFilesUntouched(bool untouched) {
    filesUntouched = untouched;
}

bool PlayerFilesUntouched() {
    return filesUntouched;
}

std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit) {
    if (filesUntouched) return std::nullopt;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    bool failed = false;
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof(chunk), file);
        bytes.append(chunk, got);
        if (bytes.size() > limit) {
            failed = true;
            break;
        }
        if (got < sizeof(chunk)) {
            failed = std::ferror(file) != 0;
            break;
        }
    }
    std::fclose(file);
    if (failed) return std::nullopt;
    return bytes;
}

bool PathExists(const std::string& path) {
    if (filesUntouched) return false;
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

bool WriteNewFile(const std::string& path, std::string_view bytes) {
    if (filesUntouched) return true;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) ::unlink(path.c_str());
    return ok;
}

bool AddNewName(const std::string& path, const std::string& newPath) {
    if (filesUntouched) return true;
    return ::link(path.c_str(), newPath.c_str()) == 0;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    if (filesUntouched) return true;
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    const std::string temporary(name.data());

    // mkstemp creates the file private to us; give it the usual permissions of a data file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0;
    ok = ok && WriteAll(fd, bytes);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; failing here does not undo a completed replacement.
    const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace persistence
