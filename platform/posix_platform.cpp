#include "posix_platform.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <time.h>
#include <unistd.h>

namespace {

// The one record of the local System log.
constexpr uint32_t BootRecordNumber = 1;
constexpr uint32_t BootRecordEventId = 0x80001779;  // 6009, customer bits set
constexpr char BootRecordSource[] = "EventLog";

struct LanguageEntry {
  const char* language;   // ISO 639 code
  const char* territory;  // ISO 3166 code, or null for the language's default
  uint16_t id;
};

const LanguageEntry Languages[] = {
    {"de", "CH", 0x0807}, {"de", "AT", 0x0C07}, {"de", "LU", 0x1007},
    {"de", "LI", 0x1407}, {"de", nullptr, 0x0407},
    {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009},
    {"en", "NZ", 0x1409}, {"en", "IE", 0x1809}, {"en", nullptr, 0x0409},
    {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C}, {"fr", "CH", 0x100C},
    {"fr", nullptr, 0x040C}, {"it", "CH", 0x0810}, {"it", nullptr, 0x0410},
    {"nl", "BE", 0x0813}, {"nl", nullptr, 0x0413}, {"pt", "BR", 0x0416},
    {"pt", nullptr, 0x0816}, {"es", nullptr, 0x0C0A}, {"da", nullptr, 0x0406},
    {"sv", nullptr, 0x041D}, {"nb", nullptr, 0x0414}, {"no", nullptr, 0x0414},
    {"fi", nullptr, 0x040B}, {"pl", nullptr, 0x0415}, {"cs", nullptr, 0x0405},
    {"hu", nullptr, 0x040E}, {"ru", nullptr, 0x0419}, {"tr", nullptr, 0x041F},
    {"el", nullptr, 0x0408}, {"ja", nullptr, 0x0411}, {"ko", nullptr, 0x0412},
    {"zh", "TW", 0x0404}, {"zh", nullptr, 0x0804},
};

struct SystemText {
  uint32_t code;
  const char* english;
  const char* german;  // code page 1252
};

// Short explanations of the codes that this platform's calls can fail with.
const SystemText SystemTexts[] = {
    {ErrorFileNotFound, "The file was not found.\n",
     "Die Datei wurde nicht gefunden.\n"},
    {ErrorAccessDenied, "Access is denied.\n", "Der Zugriff wurde verweigert.\n"},
    {ErrorNotEnoughMemory, "Not enough memory.\n",
     "Nicht gen\xFCgend Arbeitsspeicher.\n"},
    {ErrorInvalidData, "The data is not valid.\n",
     "Die Daten sind ung\xFCltig.\n"},
    {ErrorGenFailure, "The system log cannot be read.\n",
     "Das Systemprotokoll kann nicht gelesen werden.\n"},
    {ErrorHandleEof, "The end of the log has been reached.\n",
     "Das Ende des Protokolls wurde erreicht.\n"},
    {ErrorInvalidParameter, "A parameter is not valid.\n",
     "Ein Parameter ist ung\xFCltig.\n"},
    {ErrorInsufficientBuffer, "The buffer is too small for the data.\n",
     "Der Puffer ist f\xFCr die Daten zu klein.\n"},
    {ErrorRpcServerUnavailable, "The computer cannot be reached.\n",
     "Der Computer ist nicht erreichbar.\n"},
};

// The Unicode characters of code page 850 from 0x80 up.
const uint16_t Cp850ToUnicode[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// The open System log: its one record, or none when the kernel gave no
// boot moment.
struct PosixEventLog {
  bool hasRecord;
  bool sequentialDone;  // the newest record has been read sequentially
  uint32_t length;
  unsigned char record[EventRecordHeaderSize + sizeof BootRecordSource + 256 +
                       8];
};

// Returns the first of the environment variables that is set and not empty.
const char* firstSet(const char* first, const char* second,
                     const char* third) {
  const char* names[] = {first, second, third};
  for (const char* name : names) {
    const char* value = getenv(name);
    if (value != nullptr && value[0] != '\0') return value;
  }
  return nullptr;
}

void store32(unsigned char* p, uint32_t value) {
  p[0] = static_cast<unsigned char>(value);
  p[1] = static_cast<unsigned char>(value >> 8);
  p[2] = static_cast<unsigned char>(value >> 16);
  p[3] = static_cast<unsigned char>(value >> 24);
}

// Lays out the boot record as the Windows event log would: header, source
// and computer name, padding to four bytes, the length once more.
void buildBootRecord(PosixEventLog* log, uint32_t bootTime,
                     const char* computerName) {
  unsigned char* r = log->record;
  memset(r, 0, sizeof log->record);
  size_t nameLength = strnlen(computerName, 255);
  uint32_t offset = EventRecordHeaderSize;
  memcpy(r + offset, BootRecordSource, sizeof BootRecordSource);
  offset += sizeof BootRecordSource;
  memcpy(r + offset, computerName, nameLength);
  offset += static_cast<uint32_t>(nameLength) + 1;
  offset = (offset + 3) & ~3u;  // the strings and data start here (none)
  uint32_t length = offset + 4;
  store32(r + EventRecordLengthOffset, length);
  store32(r + EventRecordReservedOffset, EventRecordSignature);
  store32(r + EventRecordNumberOffset, BootRecordNumber);
  store32(r + EventRecordTimeGeneratedOffset, bootTime);
  store32(r + EventRecordTimeWrittenOffset, bootTime);
  store32(r + EventRecordEventIdOffset, BootRecordEventId);
  r[EventRecordEventTypeOffset] = EventlogInformationType;
  store32(r + EventRecordStringOffsetOffset, offset);
  store32(r + EventRecordUserSidOffsetOffset, offset);
  store32(r + EventRecordDataOffsetOffset, offset);
  store32(r + offset, length);
  log->length = length;
  log->hasRecord = true;
}

// Finds "btime N" at the start of a line, reading the text piece by piece.
struct BootTimeScanner {
  static constexpr char Key[] = "\nbtime ";
  size_t matched = 1;  // the text's start counts as a line start
  bool inNumber = false;
  bool done = false;
  bool found = false;
  uint64_t value = 0;

  void feed(const char* text, size_t size) {
    const char* p = text;
    const char* end = text + size;
    while (p < end && !done) {
      char c = *p;
      if (inNumber) {
        if (c >= '0' && c <= '9') {
          value = value * 10 + static_cast<uint64_t>(c - '0');
          if (value > 0xFFFFFFFFu) done = true;  // no 32-bit time: none
          found = !done;
        } else {
          done = true;
        }
      } else if (matched == 0) {
        // Not at a line start: skip to the next one at once.
        const void* lineEnd = memchr(p, '\n', static_cast<size_t>(end - p));
        if (lineEnd == nullptr) return;
        p = static_cast<const char*>(lineEnd);
        matched = 1;
      } else if (c == Key[matched]) {
        inNumber = ++matched == sizeof Key - 1;
      } else {
        matched = c == '\n' ? 1 : 0;
      }
      ++p;
    }
  }
};

uint32_t errorForErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return ErrorFileNotFound;
    case EACCES:
    case EPERM:
      return ErrorAccessDenied;
    case ENOMEM:
      return ErrorNotEnoughMemory;
    default:
      return ErrorGenFailure;
  }
}

// Fills host with this computer's name, terminated; empty if unknown.
void localHostName(char (&host)[256]) {
  if (gethostname(host, sizeof host) != 0) host[0] = '\0';
  host[sizeof host - 1] = '\0';
}

// Returns true if serverName stands for this computer.
bool isLocalServer(const char* serverName) {
  if (serverName[0] == '\0') return true;
  if (serverName[0] != '\\' || serverName[1] != '\\') return false;
  const char* name = serverName + 2;
  static const char* const LocalNames[] = {"localhost", "127.0.0.1", "::1",
                                           "."};
  for (const char* local : LocalNames) {
    if (strcasecmp(name, local) == 0) return true;
  }
  char host[256];
  localHostName(host);
  return name[0] != '\0' && strcasecmp(name, host) == 0;
}

}  // namespace

uint16_t languageIdForLocale(const char* locale) {
  if (locale == nullptr) return 0x0409;
  size_t languageLength = strcspn(locale, "_.@");
  const char* territory = locale[languageLength] == '_'
                              ? locale + languageLength + 1
                              : nullptr;
  size_t territoryLength = territory ? strcspn(territory, ".@") : 0;
  for (const LanguageEntry& entry : Languages) {
    if (strlen(entry.language) != languageLength ||
        strncmp(entry.language, locale, languageLength) != 0) {
      continue;
    }
    if (entry.territory == nullptr) return entry.id;
    if (territory != nullptr && strlen(entry.territory) == territoryLength &&
        strncmp(entry.territory, territory, territoryLength) == 0) {
      return entry.id;
    }
  }
  return 0x0409;
}

bool isUtf8Locale(const char* locale) {
  if (locale == nullptr) return false;
  const char* dot = strchr(locale, '.');
  if (dot == nullptr) return false;
  size_t length = strcspn(dot + 1, "@");
  return (length == 5 && strncasecmp(dot + 1, "utf-8", 5) == 0) ||
         (length == 4 && strncasecmp(dot + 1, "utf8", 4) == 0);
}

bool parseBootTime(const char* text, size_t size, uint32_t* bootTime) {
  BootTimeScanner scanner;
  scanner.feed(text, size);
  if (!scanner.found) return false;
  *bootTime = static_cast<uint32_t>(scanner.value);
  return true;
}

PosixPlatform::PosixPlatform(const char* statPath)
    : statPath_(statPath),
      utf8Console_(isUtf8Locale(firstSet("LC_ALL", "LC_CTYPE", "LANG"))) {}

PosixPlatform::~PosixPlatform() { FlushOutput(); }

bool PosixPlatform::fail(uint32_t code) {
  lastError_ = code;
  return false;
}

uint16_t PosixPlatform::GetUserDefaultLangID() {
  return languageIdForLocale(firstSet("LC_ALL", "LC_MESSAGES", "LANG"));
}

bool PosixPlatform::GetVersionExA(uint32_t* platformId) {
  *platformId = VerPlatformWin32Nt;
  return true;
}

uint32_t PosixPlatform::FormatMessageA(uint32_t flags, uint32_t messageId,
                                       uint32_t languageId, char** buffer) {
  (void)languageId;  // the user's language is the only one there is
  *buffer = nullptr;
  if ((flags & FormatMessageFlags) != FormatMessageFlags) {
    fail(ErrorInvalidParameter);
    return 0;
  }
  uint16_t language = GetUserDefaultLangID();
  bool german = (language & 0x3FF) == 0x07;
  for (const SystemText& entry : SystemTexts) {
    if (entry.code != messageId) continue;
    const char* text = german ? entry.german : entry.english;
    size_t length = strlen(text);
    char* copy = static_cast<char*>(malloc(length + 1));
    if (copy == nullptr) {
      fail(ErrorNotEnoughMemory);
      return 0;
    }
    memcpy(copy, text, length + 1);
    *buffer = copy;
    return static_cast<uint32_t>(length);
  }
  fail(317);  // ERROR_MR_MID_NOT_FOUND: no text for the code
  return 0;
}

void PosixPlatform::LocalFree(char* text) { free(text); }

uint32_t PosixPlatform::GetLastError() { return lastError_; }

EventLogHandle PosixPlatform::OpenEventLogA(const char* serverName,
                                            const char* sourceName) {
  if (!isLocalServer(serverName)) {
    fail(ErrorRpcServerUnavailable);
    return nullptr;
  }
  if (strcasecmp(sourceName, "System") != 0) {
    fail(ErrorFileNotFound);
    return nullptr;
  }
  int fd = open(statPath_, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    fail(errorForErrno(errno));
    return nullptr;
  }
  BootTimeScanner scanner;
  char chunk[4096];
  for (;;) {
    ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      uint32_t code = errorForErrno(errno);
      close(fd);
      fail(code);
      return nullptr;
    }
    if (got == 0) break;
    scanner.feed(chunk, static_cast<size_t>(got));
    if (scanner.done) break;
  }
  close(fd);
  PosixEventLog* log =
      static_cast<PosixEventLog*>(malloc(sizeof(PosixEventLog)));
  if (log == nullptr) {
    fail(ErrorNotEnoughMemory);
    return nullptr;
  }
  log->hasRecord = false;
  log->sequentialDone = false;
  log->length = 0;
  if (scanner.found) {
    char host[256];
    localHostName(host);
    buildBootRecord(log, static_cast<uint32_t>(scanner.value), host);
  }
  return log;
}

bool PosixPlatform::ReadEventLogA(EventLogHandle handle, uint32_t flags,
                                  uint32_t offset, void* buffer, uint32_t size,
                                  uint32_t* bytesRead,
                                  uint32_t* minNumberOfBytesNeeded) {
  PosixEventLog* log = static_cast<PosixEventLog*>(handle);
  *bytesRead = 0;
  if (log == nullptr || size > MaxEventLogReadSize) {
    return fail(ErrorInvalidParameter);
  }
  bool sequential = flags == (EventlogSequentialRead | EventlogBackwardsRead);
  bool seek = flags == (EventlogSeekRead | EventlogBackwardsRead);
  if (!sequential && !seek) return fail(ErrorInvalidParameter);
  // A sequential read goes on behind the previous one; there is only one
  // record, so the second finds the end.
  bool present = log->hasRecord &&
                 (sequential ? !log->sequentialDone : offset == BootRecordNumber);
  if (!present) return fail(ErrorHandleEof);
  if (size < log->length) {
    *minNumberOfBytesNeeded = log->length;
    return fail(ErrorInsufficientBuffer);
  }
  memcpy(buffer, log->record, log->length);
  *bytesRead = log->length;
  log->sequentialDone = true;
  return true;
}

void PosixPlatform::CloseEventLog(EventLogHandle log) { free(log); }

uint64_t PosixPlatform::GetSystemTimeAsFileTime() {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<uint64_t>(now.tv_sec) * 10000000ULL +
         static_cast<uint64_t>(now.tv_nsec) / 100 + UnixEpochFileTime;
}

void* PosixPlatform::Allocate(size_t size) {
  void* memory = malloc(size);
  if (memory == nullptr) fail(ErrorNotEnoughMemory);
  return memory;
}

void PosixPlatform::Release(void* memory) { free(memory); }

void PosixPlatform::put(char byte) {
  if (outputUsed_ == sizeof output_) FlushOutput();
  output_[outputUsed_++] = byte;
}

void PosixPlatform::WriteOutput(const char* bytes, size_t size,
                                TextOrigin origin) {
  bool convert = utf8Console_ && origin == TextOrigin::Program;
  for (size_t i = 0; i < size; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (!convert || c < 0x80) {
      put(static_cast<char>(c));
      continue;
    }
    uint16_t u = Cp850ToUnicode[c - 0x80];
    if (u < 0x800) {
      put(static_cast<char>(0xC0 | u >> 6));
    } else {
      put(static_cast<char>(0xE0 | u >> 12));
      put(static_cast<char>(0x80 | (u >> 6 & 0x3F)));
    }
    put(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

bool PosixPlatform::FlushOutput() {
  const char* p = output_;
  size_t left = outputUsed_;
  while (left > 0 && !outputFailed_) {
    ssize_t written = write(STDOUT_FILENO, p, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      outputFailed_ = true;
      break;
    }
    p += written;
    left -= static_cast<size_t>(written);
  }
  outputUsed_ = 0;
  return !outputFailed_;
}
