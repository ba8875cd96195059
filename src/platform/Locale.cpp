#include "platform/Locale.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace zolvera::platform {

namespace {

// The ICU locale named by the first set variable among LC_ALL, the category's own variable
// and LANG; "hu_HU.UTF-8@euro" becomes "hu_HU". "C" and "POSIX" mean the root locale.
icu::Locale userLocale(const char* categoryVariable) {
    std::string name;
    for (const char* variable : {"LC_ALL", categoryVariable, "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            name = value;
            break;
        }
    }
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX")
        return icu::Locale::getRoot();
    return icu::Locale(name.c_str());
}

// The collator of the user's locale, made again only when the locale changes. Each thread
// keeps its own, so that none compares with a collator another thread is replacing: the
// catalogue is sorted on a worker thread while the window thread may sort folder names.
const icu::Collator* userCollator() {
    thread_local std::string cachedName;
    thread_local std::unique_ptr<icu::Collator> collator;
    const icu::Locale locale = userLocale("LC_COLLATE");
    if (!collator || cachedName != locale.getName()) {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> made(icu::Collator::createInstance(locale, status));
        if (U_FAILURE(status) || !made) {
            status = U_ZERO_ERROR;
            made.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        }
        collator = std::move(made);
        cachedName = locale.getName();
    }
    return collator.get();
}

void appendUtf8(std::string& out, UChar32 c) {
    char buffer[U8_MAX_LENGTH];
    std::int32_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, c);
    out.append(buffer, static_cast<std::size_t>(length));
}

// Applies a transformation to every well-formed UTF-8 run of the text and keeps bytes that
// are not UTF-8 as they are, so that names in other encodings stay distinct.
template <typename Transform>
std::string transformValidRuns(std::string_view text, Transform transform) {
    std::string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t runStart = 0;
    std::int32_t i = 0;
    auto flushRun = [&](std::int32_t runEnd) {
        if (runEnd > runStart)
            transform(out, text.substr(static_cast<std::size_t>(runStart),
                                       static_cast<std::size_t>(runEnd - runStart)));
    };
    while (i < length) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            flushRun(start);
            out.append(
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
            runStart = i;
        }
    }
    flushRun(length);
    return out;
}

} // namespace

int compareLocale(std::string_view a, std::string_view b) {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = userCollator()->compareUTF8(
        icu::StringPiece(a.data(), static_cast<std::int32_t>(a.size())),
        icu::StringPiece(b.data(), static_cast<std::int32_t>(b.size())), status);
    if (U_FAILURE(status)) {
        const int bytewise = a.compare(b);
        return (bytewise > 0) - (bytewise < 0);
    }
    return static_cast<int>(result);
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a == b || foldCase(a) == foldCase(b);
}

std::string toLowerLocale(std::string_view text) {
    const icu::Locale locale = userLocale("LC_CTYPE");
    return transformValidRuns(text, [&](std::string& out, std::string_view run) {
        icu::UnicodeString::fromUTF8(
            icu::StringPiece(run.data(), static_cast<std::int32_t>(run.size())))
            .toLower(locale)
            .toUTF8String(out);
    });
}

// Simple (one code point to one code point) default case folding, as the Windows file system
// compares names: "Á" equals "á", but "ß" does not equal "ss".
std::string foldCase(std::string_view text) {
    return transformValidRuns(text, [](std::string& out, std::string_view run) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(run.data());
        const auto length = static_cast<std::int32_t>(run.size());
        for (std::int32_t i = 0; i < length;) {
            UChar32 c = 0;
            U8_NEXT_UNSAFE(bytes, i, c);
            appendUtf8(out, u_foldCase(c, U_FOLD_CASE_DEFAULT));
        }
    });
}

} // namespace zolvera::platform
