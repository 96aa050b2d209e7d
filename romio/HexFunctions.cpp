#include "HexFunctions.h"

#include "ErrorReporter.h"
#include "HexError.h"
#include "HexTrace.h"

#include <limits>
#include <optional>
#include <utility>

namespace {

constexpr char Digits[] = "0123456789ABCDEF";

std::optional<std::uint8_t> hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint8_t>(c - 'a' + 10);
    return std::nullopt;
}

// The 1-based position of the first byte, or nothing when offset + 1 does not fit in 32 bits.
std::optional<std::int32_t> firstPosition(std::int32_t offset)
{
    if (offset == std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return offset + 1;
}

constexpr std::int64_t LastPosition = std::numeric_limits<std::int32_t>::max();

} // namespace

void HexFunctions::showError(const HexError &error)
{
    m_reporter.ShowErrorBox(error.description, "Error: " + std::to_string(error.number));
}

bool HexFunctions::holdFile(const std::string &path)
{
    // Only read from, so its close, at the end of this call, has nothing to report.
    const ByteFile earlier(std::move(m_held));
    if (auto error = m_held.open(path, ByteFile::Mode::Read)) {
        showError(*error);
        return false;
    }
    return true;
}

std::string HexFunctions::ReadHex(const std::string &path, std::int32_t &offset, const std::int32_t &count)
{
    if (m_trace)
        m_trace->readCalled(path, offset, count);

    const auto first = firstPosition(offset);
    if (!first) {
        showError(HexError::overflow());
        return {};
    }
    offset = *first;
    const std::int64_t p = *first;
    if (count > 0 && p + count - 1 > LastPosition) {
        showError(HexError::overflow());
        return {};
    }

    std::string result;
    std::uint8_t holder = 0;
    ByteFile file(m_trace);
    auto error = file.open(path, ByteFile::Mode::Read, m_held.identity());
    for (std::int64_t q = p; !error && q <= p + count - 1; ++q) {
        error = file.readByte(q, holder);
        if (!error) {
            result += Digits[holder >> 4];
            result += Digits[holder & 0x0F];
        }
    }
    if (!error)
        error = file.close();
    if (error) {
        file.close();
        showError(*error);
        return {};
    }
    return result;
}

bool HexFunctions::WriteHex(const std::string &path, std::int32_t &offset, std::string &text)
{
    if (m_trace)
        m_trace->writeCalled(path, offset, text);

    const auto first = firstPosition(offset);
    if (!first) {
        showError(HexError::overflow());
        return false;
    }
    offset = *first;
    const std::int64_t p = *first;

    if (text.size() % 2 != 0)
        text.insert(0, 1, '0');
    const auto last = p + static_cast<std::int64_t>(text.size() / 2) - 1;

    ByteFile file(m_trace);
    auto error = file.open(path, ByteFile::Mode::Write, m_held.identity());
    // A field is written whole or not at all where the file ends.
    if (!error && last > LastPosition)
        error = HexError::overflow();
    else if (!error && last > file.size())
        error = HexError::writePastEnd();
    for (std::int64_t i = 0; !error && !text.empty(); ++i) {
        const auto high = hexDigitValue(text[0]);
        const auto low = hexDigitValue(text[1]);
        if (!high || !low) {
            error = HexError::invalidHexDigits();
            break;
        }
        const std::uint8_t holder = static_cast<std::uint8_t>(*high << 4 | *low);
        error = file.writeByte(p + i, holder);
        if (!error)
            text.erase(0, 2);
    }
    if (!error)
        error = file.close();
    if (error) {
        file.close();
        showError(*error);
        return false;
    }
    return true;
}

std::string HexFunctions::SwapBytes(std::string &text)
{
    if (text.size() % 2 != 0)
        text.insert(0, 1, '0');
    std::string result;
    result.reserve(text.size());
    while (text.size() >= 2) {
        result.append(text, text.size() - 2, 2);
        text.resize(text.size() - 2);
    }
    return result;
}

std::optional<std::uint32_t> HexFunctions::ReadField(const std::string &path, std::int32_t offset, std::int32_t width)
{
    std::string text = ReadHex(path, offset, width);
    const std::string numeral = SwapBytes(text);
    if (numeral.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (char digit : numeral)
        value = value << 4 | *hexDigitValue(digit);
    return value;
}

bool HexFunctions::WriteField(const std::string &path, std::int32_t offset, std::int16_t index, std::int32_t width)
{
    auto value = static_cast<std::uint16_t>(index);
    std::string numeral;
    do {
        numeral.insert(numeral.begin(), Digits[value & 0x0F]);
        value = static_cast<std::uint16_t>(value >> 4);
    } while (value != 0);
    numeral.insert(0, "0000");
    std::string digits = numeral.substr(numeral.size() - 2 * static_cast<std::size_t>(width));
    std::string text = SwapBytes(digits);
    return WriteHex(path, offset, text);
}
