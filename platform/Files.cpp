#include "platform/Files.h"

#include "platform/CodePage.h"
#include "dos/DosPath.h"
#include "platform/DriveMap.h"
#include "platform/FolderReading.h"
#include "platform/RegularFile.h"
#include "platform/SystemErrors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

namespace {

// The characters of a code page 932 text, each one or two bytes long.
std::vector<std::string_view> Characters(std::string_view text)
{
    std::vector<std::string_view> characters;
    for (size_t i = 0; i < text.size();) {
        size_t next = dos::NextCharacter(text, i);
        characters.push_back(text.substr(i, next - i));
        i = next;
    }
    return characters;
}

bool MatchCharacters(const std::vector<std::string_view>& name, size_t n, const std::vector<std::string_view>& pattern,
                     size_t p)
{
    // Iterative matching with one backtrack point for the last "*".
    size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == "*") {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == "?" || dos::SameIgnoringAsciiCase(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == "*")
        ++p;
    return p == pattern.size();
}

std::string JoinHost(const std::string& folder, const std::string& name)
{
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// The host name of one part of a DOS path inside a host folder: the exact name when it exists,
// else an entry whose DOS name matches without regard to case, else the part as it was given. The
// folder's names are read once while it stays unchanged, so a name that is missing costs no scan
// of a large folder each time it is looked for. A part holding "/" matches no entry, as no name
// holds one.
std::string ResolvePart(const std::string& folder, const std::string& dosPart)
{
    std::string exact = Cp932ToUtf8(dosPart);
    if (dosPart == "." || dosPart == "..")
        return exact;
    struct stat info;
    if (lstat(JoinHost(folder, exact).c_str(), &info) == 0 || dosPart.find('/') != std::string::npos)
        return exact;
    int folderFd = open(folder.c_str(), O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return exact;
    std::string found = exact;
    if (std::shared_ptr<const FolderReading> names = ReadFolder(folderFd))
        if (std::optional<std::string_view> name = names->FindIgnoringCase(dosPart))
            found = *name;
    close(folderFd);
    return found;
}

bool IsDriveRoot(const DriveMap& drives, const std::string& hostFolder)
{
    for (const auto& [letter, root] : drives.Roots())
        if (root == hostFolder)
            return true;
    return false;
}

LocalTime ToLocalTime(time_t seconds)
{
    struct tm parts {};
    if (!localtime_r(&seconds, &parts))
        return LocalTime{};
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                     parts.tm_hour,        parts.tm_min,     parts.tm_sec & ~1};
}

// The local times of a search's entries: files copied or unpacked together share their time, and
// the conversion is the costliest step of describing an entry after the file system's own.
class LocalTimes {
public:
    const LocalTime& Of(time_t seconds)
    {
        if (!m_valid || seconds != m_seconds) {
            m_seconds = seconds;
            m_time = ToLocalTime(seconds);
            m_valid = true;
        }
        return m_time;
    }

private:
    bool m_valid = false;
    time_t m_seconds = 0;
    LocalTime m_time;
};

// Who the user is, for telling which entries are read-only to them.
struct Writer {
    uid_t uid = getuid();
    std::vector<gid_t> groups;

    Writer()
    {
        int count = getgroups(0, nullptr);
        if (count > 0) {
            groups.resize(count);
            groups.resize(std::max(0, getgroups(count, groups.data())));
        }
        groups.push_back(getgid());
    }

    bool MayWrite(uid_t owner, gid_t group, mode_t mode) const
    {
        if (uid == 0)
            return true;
        if (owner == uid)
            return mode & S_IWUSR;
        if (std::find(groups.begin(), groups.end(), group) != groups.end())
            return mode & S_IWGRP;
        return mode & S_IWOTH;
    }
};

// The patterns that take every name without looking at it.
bool MatchesEveryName(std::string_view pattern)
{
    return pattern == "*.*" || pattern == "*";
}

// What one look at an entry tells a listing: the part of its stat the entry is made from.
struct EntryFacts {
    bool found = false;
    mode_t mode = 0;
    uid_t uid = 0;
    gid_t gid = 0;
    off_t size = 0;
    time_t modified = 0;
};

// Looks at an entry of the folder. A link is followed; a broken one is looked at itself.
EntryFacts LookAt(int folderFd, const char* hostName)
{
    struct stat info;
    if (fstatat(folderFd, hostName, &info, 0) != 0 && fstatat(folderFd, hostName, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    return {true, info.st_mode, info.st_uid, info.st_gid, info.st_size, info.st_mtim.tv_sec};
}

// Fills an entry from the host's facts about it; a broken link is a file. Whether the entry is a
// file to read at all comes from the same look, so that a listing still costs one per entry.
bool Describe(const EntryFacts& facts, const char* hostName, const Writer& writer, LocalTimes& times,
              FoundFile& entry)
{
    if (!facts.found)
        return false;
    const bool directory = S_ISDIR(facts.mode);
    entry.special = !directory && !S_ISREG(facts.mode) && !S_ISLNK(facts.mode);
    entry.attributes = directory ? faDirectory : faArchive;
    if (hostName[0] == '.' && std::string_view(hostName) != "." && std::string_view(hostName) != "..")
        entry.attributes |= faHidden;
    if (!writer.MayWrite(facts.uid, facts.gid, facts.mode))
        entry.attributes |= faReadOnly;
    entry.size = directory || S_ISLNK(facts.mode) ? 0 : static_cast<uint64_t>(facts.size);
    entry.time = times.Of(facts.modified);
    entry.dosTime = PackDosTime(entry.time);
    return true;
}

bool Describe(int folderFd, const char* hostName, const Writer& writer, LocalTimes& times, FoundFile& entry)
{
    return Describe(LookAt(folderFd, hostName), hostName, writer, times, entry);
}

// The entries of a big folder looked at on a second thread, from the last one backwards, while
// the listing goes forwards from the first, looking at each entry the helper has not reached and
// making its rows: the two meet where each has had as much to do, and the folder is looked at
// about twice as fast. Any entry is looked at by one of the two, or by both near where they meet.
class LooksAhead {
public:
    LooksAhead(int folderFd, std::shared_ptr<const FolderReading> names)
        : m_folderFd(folderFd), m_names(std::move(names)), m_facts(m_names->Names().size()),
          m_ready(std::make_unique<std::atomic<bool>[]>(m_facts.size()))
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~LooksAhead()
    {
        m_stop.store(true, std::memory_order_relaxed);
        m_thread.join();
    }
    LooksAhead(const LooksAhead&) = delete;
    LooksAhead& operator=(const LooksAhead&) = delete;

    // The facts of entry k if the helper has them; the listing has come to k, so the helper stops
    // before it.
    const EntryFacts* Take(size_t k)
    {
        m_reached.store(k + 1, std::memory_order_relaxed);
        return m_ready[k].load(std::memory_order_acquire) ? &m_facts[k] : nullptr;
    }

private:
    void Run()
    {
        const std::vector<FolderName>& names = m_names->Names();
        for (size_t k = names.size(); k-- > 0;) {
            if (m_stop.load(std::memory_order_relaxed) || k < m_reached.load(std::memory_order_relaxed))
                return;
            m_facts[k] = LookAt(m_folderFd, names[k].hostName.data());
            m_ready[k].store(true, std::memory_order_release);
        }
    }

    const int m_folderFd;
    const std::shared_ptr<const FolderReading> m_names;
    std::vector<EntryFacts> m_facts;
    std::unique_ptr<std::atomic<bool>[]> m_ready;
    std::atomic<size_t> m_reached{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// A folder of fewer entries is looked at by the listing alone: starting a thread would cost more
// than it saves.
constexpr size_t LookAheadFolderSize = 4096;

// A helper for the search, when the folder is big, the pattern takes every name and a second
// processor is there; none when a thread cannot be started.
std::unique_ptr<LooksAhead> HelperFor(int folderFd, const std::shared_ptr<const FolderReading>& names,
                                      std::string_view pattern)
{
    if (names->Names().size() < LookAheadFolderSize || !MatchesEveryName(pattern)
        || std::thread::hardware_concurrency() < 2)
        return nullptr;
    try {
        return std::make_unique<LooksAhead>(folderFd, names);
    } catch (const std::system_error&) {
        return nullptr;
    }
}

bool Wanted(unsigned attributes, unsigned mask)
{
    constexpr unsigned special = faHidden | faSysFile | faVolumeID | faDirectory;
    return (attributes & ~mask & special) == 0;
}

std::optional<std::string> ResolveFolderPath(const DriveMap& drives, std::string_view dosPath,
                                             std::vector<std::string>& parts)
{
    std::string host;
    std::string_view rest = dosPath;
    if (dosPath.size() >= 2 && dosPath[1] == ':') {
        auto root = drives.ToHost(std::string(dosPath.substr(0, 2)));
        if (!root)
            return std::nullopt;
        host = *root;
        rest = dosPath.substr(2);
    } else if (!dosPath.empty() && dosPath[0] == '\\') {
        // Rooted on the current drive.
        std::string current = CurrentHostFolder();
        auto dos = drives.ToDos(current);
        if (!dos)
            return std::nullopt;
        host = *drives.ToHost(dos->substr(0, 2));
    } else {
        host = CurrentHostFolder();
    }
    parts = dos::PathParts(rest);
    return host;
}

}  // namespace

uint32_t PackDosTime(const LocalTime& time)
{
    if (time.year < 1980)
        return (0u << 25) | (1u << 21) | (1u << 16);
    int year = std::min(time.year - 1980, 127);
    uint32_t date = (uint32_t(year) << 9) | (uint32_t(time.month) << 5) | uint32_t(time.day);
    uint32_t clock = (uint32_t(time.hour) << 11) | (uint32_t(time.minute) << 5) | uint32_t(time.second / 2);
    return (date << 16) | clock;
}

bool MatchesPattern(std::string_view name, std::string_view pattern)
{
    if (MatchesEveryName(pattern))
        return true;
    auto nameCharacters = Characters(name);
    auto patternCharacters = Characters(pattern);
    if (MatchCharacters(nameCharacters, 0, patternCharacters, 0))
        return true;
    // "name.*" also finds "name" itself, as a pattern ending in ".*" did on that system.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" && name.find('.') == std::string_view::npos) {
        patternCharacters.resize(patternCharacters.size() - 2);
        return MatchCharacters(nameCharacters, 0, patternCharacters, 0);
    }
    return false;
}

namespace {
// The host path of the parts as written, or none when one is "." or "..", which are followed as
// text (a link's ".." is not the kernel's).
std::optional<std::string> JoinedAsWritten(const std::string& host, const std::vector<std::string>& parts)
{
    std::string path = host;
    for (const std::string& part : parts) {
        if (part == "." || part == "..")
            return std::nullopt;
        path = JoinHost(path, Cp932ToUtf8(part));
    }
    return path;
}
}  // namespace

std::optional<std::string> ExactHostPath(const DriveMap& drives, std::string_view dosPath)
{
    std::vector<std::string> parts;
    auto host = ResolveFolderPath(drives, dosPath, parts);
    return host ? JoinedAsWritten(*host, parts) : std::nullopt;
}

std::optional<std::string> ResolveHostPath(const DriveMap& drives, std::string_view dosPath)
{
    std::vector<std::string> parts;
    auto host = ResolveFolderPath(drives, dosPath, parts);
    if (!host)
        return std::nullopt;
    // Most paths are written as their files are named: one look at the whole path then does.
    struct stat info;
    if (auto exact = JoinedAsWritten(*host, parts); exact && lstat(exact->c_str(), &info) == 0)
        return exact;
    std::string path = *host;
    for (const std::string& part : parts) {
        if (part == ".")
            continue;
        if (part == "..") {
            size_t slash = path.rfind('/');
            path = slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
            continue;
        }
        path = JoinHost(path, ResolvePart(path, part));
    }
    return path;
}

struct DirectorySearch::State {
    int folderFd = -1;
    std::string pattern;
    unsigned mask = 0;
    bool root = false;
    int dotsReported = 0;
    // The folder's names, read at the first step (or kept from a read of the unchanged folder).
    std::shared_ptr<const FolderReading> names;
    size_t next = 0;
    Writer writer;
    LocalTimes times;
    std::unique_ptr<LooksAhead> helper;

    ~State()
    {
        helper.reset();
        if (folderFd >= 0)
            close(folderFd);
    }
};

DirectorySearch::DirectorySearch(const DriveMap& drives, std::string_view pattern, unsigned attributeMask)
    : m_state(std::make_unique<State>())
{
    auto [folder, name] = dos::SplitLast(pattern);
    m_state->pattern = std::string(name);
    m_state->mask = attributeMask;
    std::string dosFolder(folder);
    if (dosFolder.empty())
        dosFolder = ".";
    auto host = ResolveHostPath(drives, dosFolder);
    if (!host)
        return;
    m_state->root = IsDriveRoot(drives, *host);
    m_state->folderFd = open(host->c_str(), O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC);
}

DirectorySearch::~DirectorySearch() = default;

bool DirectorySearch::Next(FoundFile& entry)
{
    State& state = *m_state;
    if (state.folderFd < 0 || state.pattern.empty())
        return false;
    const int fd = state.folderFd;
    // "." and ".." first, as that system listed them.
    while (!state.root && state.dotsReported < 2) {
        const char* dots = state.dotsReported++ == 0 ? "." : "..";
        entry.name = dots;
        if (MatchesPattern(entry.name, state.pattern) && Describe(fd, dots, state.writer, state.times, entry) &&
            Wanted(entry.attributes, state.mask))
            return true;
    }
    if (!state.names) {
        if (!(state.names = ReadFolder(fd)))
            return false;
        state.helper = HelperFor(fd, state.names, state.pattern);
    }
    const std::vector<FolderName>& names = state.names->Names();
    while (state.next < names.size()) {
        const size_t k = state.next++;
        const std::string_view hostName = names[k].hostName;
        // A plain name goes into the entry's own memory, as the name before it did.
        if (IsOwnDosName(hostName))
            entry.name.assign(hostName);
        else
            entry.name = HostNameToCp932(hostName);
        if (!MatchesPattern(entry.name, state.pattern))
            continue;
        const EntryFacts* known = state.helper ? state.helper->Take(k) : nullptr;
        const EntryFacts facts = known ? *known : LookAt(fd, hostName.data());
        if (!Describe(facts, hostName.data(), state.writer, state.times, entry) || !Wanted(entry.attributes, state.mask))
            continue;
        return true;
    }
    return false;
}

size_t DirectorySearch::FolderSize() const
{
    return m_state->names ? m_state->names->Names().size() : 0;
}

std::vector<std::string> SubFolderNames(const DriveMap& drives, std::string_view dosFolder)
{
    std::vector<std::string> folders;
    auto host = ResolveHostPath(drives, dosFolder);
    if (!host)
        return folders;
    int fd = open(host->c_str(), O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return folders;
    if (std::shared_ptr<const FolderReading> names = ReadFolder(fd)) {
        for (const FolderName& name : names->Names()) {
            if (name.hostName[0] == '.' || name.kind == EntryKind::Other)
                continue;
            struct stat info;
            // A link leads wherever it leads, and some file systems do not record kinds.
            if (name.kind == EntryKind::Folder
                || (fstatat(fd, name.hostName.data(), &info, 0) == 0 && S_ISDIR(info.st_mode)))
                folders.push_back(HostNameToCp932(name.hostName));
        }
    }
    close(fd);
    return folders;
}

std::optional<std::string> ReadWholeFile(const DriveMap& drives, std::string_view dosPath)
{
    auto host = ResolveHostPath(drives, dosPath);
    if (!host)
        return std::nullopt;
    auto file = RegularFile::Open(*host);
    if (!file)
        return std::nullopt;
    return file->ReadAll();
}

namespace {
// The file a path names once every symbolic link on its last part is followed (a link to a link
// too); the path itself when it is no link, or does not exist yet. A link to a file that does not
// exist names that file, which is then made. None, with the reason, for a loop of links.
std::optional<std::string> FollowLinks(std::string path, int& error)
{
    for (int hop = 0; hop < 40; ++hop) {
        std::vector<char> buffer(4096);
        ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0)
            return path;
        if (static_cast<size_t>(length) >= buffer.size()) {
            error = ENAMETOOLONG;
            return std::nullopt;
        }
        std::string target(buffer.data(), static_cast<size_t>(length));
        if (target.empty() || target[0] != '/') {
            size_t slash = path.rfind('/');
            target = (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/" + target;
        }
        path = target;
    }
    error = ELOOP;
    return std::nullopt;
}
}  // namespace

bool ReplaceFile(const DriveMap& drives, std::string_view dosPath, std::string_view content, std::string* reason)
{
    auto fail = [reason](int error) {
        if (reason)
            *reason = SystemErrorText(error);
        return false;
    };
    auto resolved = ResolveHostPath(drives, dosPath);
    if (!resolved) {
        if (reason)
            *reason = "このパスを含むドライブがありません";
        return false;
    }
    // A link (a settings file kept in a dotfiles folder) stays a link: the file it names is the
    // one replaced, by a new file beside it in its own folder.
    int linkError = 0;
    const std::optional<std::string> host = FollowLinks(*resolved, linkError);
    if (!host)
        return fail(linkError);
    struct stat old;
    const bool replacing = stat(host->c_str(), &old) == 0;
    // A file the user may not write is not replaced behind its back, though its folder would let
    // the new one be renamed over it. One without any write permission counts as read-only for the
    // superuser too, as an editor asks before overwriting it.
    if (replacing && !S_ISDIR(old.st_mode) && (!Writer().MayWrite(old.st_uid, old.st_gid, old.st_mode) || (old.st_mode & 0222) == 0))
        return fail(EACCES);
    size_t slash = host->rfind('/');
    std::string folder = slash == 0 ? "/" : host->substr(0, slash);
    std::string temporary = *host + ".~" + std::to_string(getpid());
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST && unlink(temporary.c_str()) == 0)
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(errno);
    // A replaced file keeps its permissions; a new one gets the user's defaults.
    if (replacing)
        fchmod(fd, old.st_mode & 07777);
    int error = 0;
    for (size_t written = 0; !error && written < content.size();) {
        ssize_t count = write(fd, content.data() + written, content.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count > 0)
            written += static_cast<size_t>(count);
        else
            error = count < 0 ? errno : ENOSPC;
    }
    if (!error && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && !error)
        error = errno;
    if (!error && rename(temporary.c_str(), host->c_str()) != 0)
        error = errno;
    if (error) {
        unlink(temporary.c_str());
        return fail(error);
    }
    if (int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}

bool DeleteFile(const DriveMap& drives, std::string_view dosPath)
{
    auto host = ResolveHostPath(drives, dosPath);
    if (!host)
        return false;
    struct stat info;
    if (lstat(host->c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    return unlink(host->c_str()) == 0;
}

bool CreateDirectory(const DriveMap& drives, std::string_view dosPath)
{
    auto host = ResolveHostPath(drives, dosPath);
    return host && mkdir(host->c_str(), 0777) == 0;
}

std::optional<FoundFile> FindExact(const DriveMap& drives, std::string_view dosPath)
{
    auto host = ResolveHostPath(drives, dosPath);
    if (!host || *host == "/" || IsDriveRoot(drives, *host))
        return std::nullopt;
    size_t slash = host->rfind('/');
    std::string folder = slash == 0 ? "/" : host->substr(0, slash);
    std::string name = host->substr(slash + 1);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    FoundFile entry;
    entry.name = HostNameToCp932(name);
    LocalTimes times;
    bool found = Describe(fd, name.c_str(), Writer(), times, entry);
    close(fd);
    if (!found)
        return std::nullopt;
    return entry;
}

}  // namespace platform
