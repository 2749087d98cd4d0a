// The reader of the components' "STR0" string tables, stored among a module's raw-data
// resources: numbered UTF-16 texts handed out in the system's ANSI code page. A reader keeps its
// table loaded from construction (or ChangeResource) until CloseResource or its end; the data is
// locked only while one check or one GetString runs.
#pragma once

#include "EsStringTable.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace kolvo {

// Every failure of the reader; the message is one of the reader's own five texts.
class EStringResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The numbers of the reader's own messages in ESSRMGR_STRINGS.
enum class StringResourceMessage {
    StringNotFound = 1,   // "String not found: %d"
    CannotLock = 2,       // "Cannot lock resource"
    ResourceNotFound = 3, // "String resource not found: %s"
    CannotOpen = 4,       // "Unable to open string resource: %s"
    InvalidResource = 5   // "Invalid string resource"
};

inline constexpr char StringManagerTable[] = "ESSRMGR_STRINGS";
inline constexpr char ComponentStringTable[] = "PALOMIRE_STRINGS_ENGLISH";

class TEsStringResource {
public:
    // An empty name holds no table.
    TEsStringResource(HMODULE module, const std::string& name);
    TEsStringResource(const TEsStringResource&) = delete;
    TEsStringResource& operator=(const TEsStringResource&) = delete;
    ~TEsStringResource();

    void ChangeResource(HMODULE module, const std::string& name);
    // Looks for the table in `module`, then in the program's own module; loads it and checks
    // that it is a "STR0" table.
    void OpenResource(HMODULE module, const std::string& name);
    void CloseResource();
    bool HasTable() const { return resource_ != nullptr; }

    // The text numbered `number` in the ANSI code page; empty when there is none, unless
    // ReportMissing is set.
    std::string GetString(int number);
    // The same without raising: false when the table cannot be read or has no such text.
    bool TryGetString(int number, std::string& text);

    // Raise "String not found" for a missing number instead of giving empty text.
    bool ReportMissing = false;

private:
    class Lock;
    friend class Lock;

    HGLOBAL resource_ = nullptr;
    DWORD size_ = 0;
    const void* data_ = nullptr;
};

// The reader's message `message`, read from the ESSRMGR_STRINGS reader created at program start
// and formatted with `value`. When that table cannot be read the messages compiled into the
// program are used, so a failure always says what it is.
std::string StringResourceMessageText(StringResourceMessage message, const std::string& value = {});

} // namespace kolvo
