#include "EsStringResource.h"

#include "EsComponentStrings.h"

#include <array>
#include <optional>

namespace kolvo {

namespace {

// The messages of ESSRMGR_STRINGS, for when that table itself cannot be read.
constexpr std::array<const char*, 5> BuiltInMessages = {
    "String not found: %d", "Cannot lock resource", "String resource not found: %s",
    "Unable to open string resource: %s", "Invalid string resource"};

[[noreturn]] void Raise(StringResourceMessage message, const std::string& value = {}) {
    throw EStringResourceError(StringResourceMessageText(message, value));
}

// Resource names are looked up with at most this many characters.
constexpr std::size_t MaxNameLength = 255;

// RT_RCDATA in its narrow form, whatever UNICODE says.
const LPCSTR RawDataType = MAKEINTRESOURCEA(10);

} // namespace

std::string StringResourceMessageText(StringResourceMessage message, const std::string& value) {
    std::string pattern;
    TEsStringResource* reader = StringManagerStrings();
    if (reader == nullptr || !reader->TryGetString(int(message), pattern) || pattern.empty()) {
        pattern = BuiltInMessages[std::size_t(message) - 1];
    }
    return FormatStringMessage(pattern, value);
}

// Holds the table's data locked; unlocks on every way out.
class TEsStringResource::Lock {
public:
    explicit Lock(TEsStringResource& reader) : reader_(reader) {
        reader_.data_ = reader_.resource_ != nullptr ? LockResource(reader_.resource_) : nullptr;
    }
    ~Lock() { reader_.data_ = nullptr; }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    bool Locked() const { return reader_.data_ != nullptr; }
    std::optional<StringTableView> Table() const {
        return StringTableView::Open(reader_.data_, reader_.size_);
    }

private:
    TEsStringResource& reader_;
};

TEsStringResource::TEsStringResource(HMODULE module, const std::string& name) {
    ChangeResource(module, name);
}

TEsStringResource::~TEsStringResource() {
    CloseResource();
}

void TEsStringResource::ChangeResource(HMODULE module, const std::string& name) {
    CloseResource();
    if (!name.empty()) {
        OpenResource(module, name);
    }
}

void TEsStringResource::OpenResource(HMODULE module, const std::string& name) {
    CloseResource();
    const std::string key = name.substr(0, MaxNameLength);
    HRSRC found = FindResourceA(module, key.c_str(), RawDataType);
    if (found == nullptr) {
        module = GetModuleHandleA(nullptr);
        found = FindResourceA(module, key.c_str(), RawDataType);
    }
    if (found == nullptr) {
        Raise(StringResourceMessage::ResourceNotFound, name);
    }
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr) {
        Raise(StringResourceMessage::CannotOpen, name);
    }
    resource_ = loaded;
    size_ = SizeofResource(module, found);
    bool valid = false;
    bool locked = false;
    {
        const Lock lock(*this);
        locked = lock.Locked();
        valid = locked && lock.Table().has_value();
    }
    if (!valid) {
        // A table that failed its check is not kept: the reader holds no table.
        CloseResource();
        Raise(locked ? StringResourceMessage::InvalidResource : StringResourceMessage::CannotLock);
    }
}

void TEsStringResource::CloseResource() {
    data_ = nullptr;
    if (resource_ != nullptr) {
        // Module resources need no freeing on Win32; the call keeps the pairing explicit.
        FreeResource(resource_);
        resource_ = nullptr;
    }
    size_ = 0;
}

namespace {

enum class ReadResult { Found, Missing, CannotLock, Invalid };

ReadResult ReadText(const std::optional<StringTableView>& table, bool locked, int number,
                    std::string& text) {
    text.clear();
    if (!locked) {
        return ReadResult::CannotLock;
    }
    if (!table) {
        return ReadResult::Invalid;
    }
    const std::optional<StringTableEntry> entry = table->Find(number);
    if (!entry) {
        return ReadResult::Missing;
    }
    const std::optional<std::u16string> units = table->Text(*entry);
    if (!units) {
        return ReadResult::Invalid;
    }
    if (units->empty()) {
        return ReadResult::Found;
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(units->data());
    const int count = int(units->size());
    // The converter is asked for the length first, then fills a text of that length.
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return ReadResult::Invalid;
    }
    text.resize(std::size_t(bytes));
    const int written =
        WideCharToMultiByte(CP_ACP, 0, wide, count, text.data(), bytes, nullptr, nullptr);
    text.resize(std::size_t(written > 0 ? written : 0));
    return ReadResult::Found;
}

} // namespace

bool TEsStringResource::TryGetString(int number, std::string& text) {
    const Lock lock(*this);
    return ReadText(lock.Table(), lock.Locked(), number, text) == ReadResult::Found;
}

std::string TEsStringResource::GetString(int number) {
    std::string text;
    ReadResult result;
    {
        const Lock lock(*this);
        result = ReadText(lock.Table(), lock.Locked(), number, text);
    }
    switch (result) {
    case ReadResult::Found:
        return text;
    case ReadResult::Missing:
        if (ReportMissing) {
            Raise(StringResourceMessage::StringNotFound, std::to_string(number));
        }
        return {};
    case ReadResult::CannotLock:
        Raise(StringResourceMessage::CannotLock);
    case ReadResult::Invalid:
        break;
    }
    Raise(StringResourceMessage::InvalidResource);
}

} // namespace kolvo
