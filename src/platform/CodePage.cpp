#include "platform/CodePage.h"

#include "platform/Failure.h"

#include <unicode/utf8.h>

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace zolvera::platform {

namespace {

constexpr const char* kAnsiCodePage = "WINDOWS-1250";

// The bytes Windows-1250 leaves unassigned; Windows maps each to the C1 control character of
// the same number, which iconv refuses in both directions.
constexpr bool isUnassigned(std::uint32_t value) {
    return value == 0x81 || value == 0x83 || value == 0x88 || value == 0x90 || value == 0x98;
}

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw Failure(std::string("Code page conversion from ") + from + " to " + to +
                          " is not available");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the text; at a sequence iconv rejects, asks the handler, which appends a
    // replacement and returns the number of input bytes it took (0 to give up).
    template <typename Handler>
    std::optional<std::string> run(std::string_view input, Handler onRejected) {
        std::string out;
        char buffer[4096];
        auto* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (result != static_cast<std::size_t>(-1) || error == E2BIG)
                continue;
            const std::size_t taken = onRejected(out, std::string_view(in, inLeft));
            if (taken == 0)
                return std::nullopt;
            in += taken;
            inLeft -= taken;
        }
        return out;
    }

private:
    iconv_t cd_;
};

} // namespace

std::string ansiToUtf8(std::string_view ansi) {
    Converter converter("UTF-8", kAnsiCodePage);
    auto result = converter.run(ansi, [](std::string& out, std::string_view rest) {
        const auto byte = static_cast<std::uint8_t>(rest.front());
        if (!isUnassigned(byte))
            return std::size_t{0};
        out += static_cast<char>(0xC2);
        out += static_cast<char>(byte);
        return std::size_t{1};
    });
    // Every byte is either assigned or one of the five handled above.
    return result.value_or(std::string());
}

std::optional<std::string> utf8ToAnsi(std::string_view utf8) {
    Converter converter(kAnsiCodePage, "UTF-8");
    return converter.run(utf8, [](std::string& out, std::string_view rest) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(rest.data());
        std::int32_t length = 0;
        UChar32 c = 0;
        U8_NEXT(bytes, length, static_cast<std::int32_t>(rest.size()), c);
        if (c < 0 || !isUnassigned(static_cast<std::uint32_t>(c)))
            return std::size_t{0};
        out += static_cast<char>(c);
        return static_cast<std::size_t>(length);
    });
}

} // namespace zolvera::platform
