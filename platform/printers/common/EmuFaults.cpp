#include "platform/printers/common/EmuFaults.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/IniFile.h"
#include "platform/rtl/Text.h"

namespace zelt::printers {

namespace {

std::int64_t ReadInt64(const TIniFile& ini, std::string_view section, std::string_view key) {
    std::int64_t value = 0;
    return TryStrToInt64(ini.ReadString(section, key, ""), value) ? value : 0;
}

} // namespace

TEmuFaults::TEmuFaults(std::string fileName) : fileName_(std::move(fileName)) {
    present_ = !fileName_.empty() && FileExists(fileName_);
    if (!present_)
        return;
    TIniFile ini(fileName_);
    off_ = ini.ReadBool("Printer", "Off", false);
    paperOut_ = ini.ReadBool("Printer", "PaperOut", false);
    paperLow_ = ini.ReadBool("Printer", "PaperLow", false);
    std::string fixed = ini.ReadString("Clock", "Fixed", "");
    if (!fixed.empty())
        fixed_ = ParseMoment(fixed);
    offset_ = ReadInt64(ini, "Clock", "Offset");
    garbageSeed_ = static_cast<std::uint64_t>(ReadInt64(ini, "Answers", "Garbage"));
}

Moment TEmuFaults::Now() const {
    return fixed_ ? *fixed_ : LocalNow(offset_);
}

int TEmuFaults::DrawerOpenSeconds(int fallback) const {
    if (!present_)
        return fallback;
    return TIniFile(fileName_).ReadInteger("Drawer", "OpenSeconds", fallback);
}

std::optional<int> TEmuFaults::TakeRefusal(std::string_view function) {
    if (!present_)
        return std::nullopt;
    TIniFile ini(fileName_);
    std::string text = ini.ReadString("Refuse", function, "");
    int code = 0;
    if (text.empty() || !TryStrToInt(text, code))
        return std::nullopt;
    ini.DeleteKey("Refuse", function);
    return code;
}

std::optional<std::string> TEmuFaults::Answer(std::string_view key) const {
    if (!present_)
        return std::nullopt;
    TIniFile ini(fileName_);
    if (!ini.ValueExists("Answers", key))
        return std::nullopt;
    return ini.ReadString("Answers", key, "");
}

} // namespace zelt::printers
